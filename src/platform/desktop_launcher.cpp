#include "platform/desktop_launcher.h"

#include <QDesktopServices>
#include <QProcess>

// Results are not checked: whatever the desktop reports is all the user sees.
void TDesktopLauncher::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

bool TDesktopLauncher::StartProgram(const QString& program, const QStringList& arguments) {
  return QProcess::startDetached(program, arguments);
}
