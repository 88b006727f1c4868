#include "platform/desktop_launcher.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryFile>
#include <memory>

namespace {
// A failure later than this is the program's own business, not a failed start.
constexpr qint64 kWatchMs = 5000;
// What of the error output reaches the message.
constexpr qint64 kDetailBytes = 2000;
}  // namespace

// Results are not checked: whatever the desktop reports is all the user sees.
void TDesktopLauncher::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

// The program runs as a child watched until it ends, so an exit at once with
// an error is seen. Its error output goes to a file, not a pipe: a pipe would
// break under a browser still writing when the editor closes. The QProcess
// is deleted when the program ends and never before (deleting it would end
// the program), so a browser left open outlives the editor.
bool TDesktopLauncher::StartProgram(const QString& program, const QStringList& arguments, TEarlyFailure failed) {
  auto errors = std::make_shared<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("lumeroll-launch-XXXXXX.txt")));
  auto* process = new QProcess;
  process->setProgram(program);
  process->setArguments(arguments);
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(errors->open() ? errors->fileName() : QProcess::nullDevice());
  process->start();
  if (!process->waitForStarted()) {
    delete process;
    return false;
  }
  QElapsedTimer clock;
  clock.start();
  QObject::connect(process, &QProcess::finished, process,
                   [process, errors, clock, failed = std::move(failed)](int code, QProcess::ExitStatus status) {
                     if ((code != 0 || status != QProcess::NormalExit) && clock.elapsed() < kWatchMs && failed) {
                       QFile written(errors->fileName());
                       QByteArray tail;
                       if (written.open(QIODevice::ReadOnly)) {
                         if (written.size() > kDetailBytes) written.seek(written.size() - kDetailBytes);
                         tail = written.readAll();
                       }
                       failed(QString::fromLocal8Bit(tail).trimmed());
                     }
                     process->deleteLater();
                   });
  return true;
}
