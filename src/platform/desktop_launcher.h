#pragma once
// The real Launcher: the desktop's "open" action and started programs.

#include "platform/launcher.h"

class TDesktopLauncher : public Launcher {
 public:
  void OpenUrl(const QUrl& url) override;
  bool StartProgram(const QString& program, const QStringList& arguments, TEarlyFailure failed) override;
};
