#pragma once
// Every launch (a document or address with the desktop's "open" action, a
// program started detached) goes through Launcher, so tests capture launches
// instead of starting real browsers.

#include <QString>
#include <QStringList>
#include <QUrl>

class Launcher {
 public:
  virtual ~Launcher() = default;
  virtual void OpenUrl(const QUrl& url) = 0;
  // False when the program could not be started (missing, not executable).
  virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
};
