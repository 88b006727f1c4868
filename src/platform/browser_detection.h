#pragma once
// Finds the web browsers installed for the browser choice window. The steps
// run in a fixed order and each adds at most one browser, so a line number
// saved earlier keeps meaning the same browser while nothing is installed
// or removed:
//   1. Firefox        (firefox, firefox-esr on PATH)
//   2. Chromium       (chromium, chromium-browser on PATH)
//   3. Google Chrome  (google-chrome, google-chrome-stable on PATH)
//   4. every other desktop entry in the categories WebBrowser, in the order
//      of the data folders ($XDG_DATA_HOME, then $XDG_DATA_DIRS) and of the
//      entry names, skipping NoDisplay and Hidden entries and programs
//      already listed.
// A browser is listed only when its program file exists and is executable.

#include <QList>
#include <QString>

struct TWebBrowserNamePath {
  QString Name;
  QString Path;
};

// The parts of the process environment detection reads; tests pass their own.
struct TDetectionEnvironment {
  QString path;          // PATH
  QString home;          // HOME, for the default of XDG_DATA_HOME
  QString xdgDataHome;   // empty: $HOME/.local/share
  QString xdgDataDirs;   // empty: /usr/local/share:/usr/share

  static TDetectionEnvironment FromProcess();
};

QList<TWebBrowserNamePath> DetectWebBrowsers(const TDetectionEnvironment& environment);

// The full path of program (a bare name searched on pathVariable, or a path),
// or empty when there is no executable file of that name.
QString ResolveProgram(const QString& program, const QString& pathVariable);
