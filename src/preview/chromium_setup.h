#pragma once
// What the web view's Chromium needs before the application object exists:
// the preview's URL scheme registered, and the flags that let it start where
// it otherwise refuses (as root it needs --no-sandbox; without a GPU it
// should draw in software from the start instead of failing over), and,
// without the sandbox, no zygote processes that would outlive the web view.

#include <QByteArray>
#include <QString>

struct TChromiumFlags {
  QByteArray flags;        // the new QTWEBENGINE_CHROMIUM_FLAGS
  bool disableSandbox = false;
  QString note;            // one line for stderr, empty when nothing to say
};

// Pure decision, so it can be tried for every case without a process.
TChromiumFlags DecideChromiumFlags(const QByteArray& current, bool runningAsRoot, bool hasGpu);

// True when the machine shows a DRI render node (a GPU Chromium could use).
bool MachineHasGpu();

// Registers the scheme, sets the flags in the environment and says once on
// stderr when the sandbox is turned off. Call before QApplication.
void PrepareLivePreviewProcess();
