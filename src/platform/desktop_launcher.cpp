#include "platform/desktop_launcher.h"

#include <QDesktopServices>
#include <QProcess>

// Results are not checked: whatever the desktop reports is all the user sees.
void TDesktopLauncher::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

void TDesktopLauncher::StartProgram(const QString& program, const QStringList& arguments) {
  QProcess::startDetached(program, arguments);
}
