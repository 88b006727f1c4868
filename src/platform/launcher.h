#pragma once
// Every launch (a document or address with the desktop's "open" action, a
// program started) goes through Launcher, so tests capture launches
// instead of starting real browsers.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class Launcher {
 public:
  // Called, later, when a started program ends within its first seconds with
  // a failure (a browser that refuses to run exits at once and says why only
  // on its error output); `detail` is the end of that output.
  using TEarlyFailure = std::function<void(const QString& detail)>;

  virtual ~Launcher() = default;
  virtual void OpenUrl(const QUrl& url) = 0;
  // False when the program could not be started (missing, not executable).
  virtual bool StartProgram(const QString& program, const QStringList& arguments, TEarlyFailure failed) = 0;
};
