#include "preview/chromium_setup.h"

#include <QCoreApplication>
#include <QDir>
#include <QWebEngineUrlScheme>
#include <cstdio>
#include <unistd.h>

#include "preview/preview_scheme.h"

namespace {

bool HasFlag(const QByteArray& flags, const QByteArray& flag) {
  for (const QByteArray& part : flags.split(' '))
    if (part == flag) return true;
  return false;
}

void Append(QByteArray& flags, const QByteArray& flag) {
  if (!flags.trimmed().isEmpty()) flags = flags.trimmed() + ' ';
  else flags.clear();
  flags += flag;
}

}  // namespace

TChromiumFlags DecideChromiumFlags(const QByteArray& current, bool runningAsRoot, bool hasGpu) {
  TChromiumFlags out;
  out.flags = current;
  if (runningAsRoot) {
    out.disableSandbox = true;
    if (!HasFlag(current, "--no-sandbox")) {
      Append(out.flags, "--no-sandbox");
      out.note = QStringLiteral(
          "lumeroll: running as root, so the live preview starts Chromium without its sandbox (--no-sandbox)");
    }
  }
  if (!hasGpu && !HasFlag(out.flags, "--disable-gpu")) Append(out.flags, "--disable-gpu");
  // Without the sandbox the zygote processes serve nothing, and they would
  // outlive every web view: the pane could never give back the memory of a
  // Chromium it no longer shows. Renderers then start on their own and end
  // with their page.
  if (HasFlag(out.flags, "--no-sandbox") && !HasFlag(out.flags, "--no-zygote")) Append(out.flags, "--no-zygote");
  return out;
}

bool MachineHasGpu() {
  return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
}

void PrepareLivePreviewProcess() {
  RegisterPreviewScheme();
  // Chromium shares its GL contexts with Qt; without this it warns and may
  // draw nothing.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#ifdef Q_OS_UNIX
  const bool root = geteuid() == 0;
#else
  const bool root = false;
#endif
  const TChromiumFlags decided = DecideChromiumFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), root, MachineHasGpu());
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", decided.flags);
  if (decided.disableSandbox) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (!decided.note.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(decided.note));
}
