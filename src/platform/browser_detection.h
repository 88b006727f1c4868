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
//
// On Windows the browsers are found in the registry instead (see
// DetectRegistryBrowsers).

#include <QList>
#include <QString>
#include <functional>
#include <optional>

struct TWebBrowserNamePath {
  QString Name;
  QString Path;
};

// Reads one registry value: root is "HKEY_LOCAL_MACHINE" or
// "HKEY_CURRENT_USER", key a path below it, name the value's name (empty: the
// key's unnamed default value). Nothing when the key or value is missing or
// cannot be read; keys are never created.
using TRegistryReader = std::function<std::optional<QString>(const QString& root, const QString& key,
                                                             const QString& name)>;

// The parts of the process environment detection reads; tests pass their own.
struct TDetectionEnvironment {
  QString path;          // PATH
  QString home;          // HOME, for the default of XDG_DATA_HOME
  QString xdgDataHome;   // empty: $HOME/.local/share
  QString xdgDataDirs;   // empty: /usr/local/share:/usr/share
  TRegistryReader registry;  // Windows: the system registry

  static TDetectionEnvironment FromProcess();
};

QList<TWebBrowserNamePath> DetectWebBrowsers(const TDetectionEnvironment& environment);

// Detection on Windows, in this order, each step adding at most one browser
// whose program file exists (fileExists):
//   1. Internet Explorer: the default value of HKLM App Paths\IEXPLORE.EXE
//   2. Netscape Navigator 3: HKCU SOFTWARE\Netscape\Netscape Navigator\Main,
//      "Install Directory" + \Program\Netscape.exe
//   3. Netscape Communicator <version>: HKLM SOFTWARE\Netscape\Netscape
//      Navigator, "CurrentVersion", then <version>\Main "Install Directory"
//      + \Program\Netscape.exe
//   4. Netscape <version>: the same under SOFTWARE\Netscape\Netscape 6, + \netscp6.exe
//   5. Firefox, Google Chrome, Microsoft Edge: their App Paths entries
//      (firefox.exe, chrome.exe, msedge.exe), the machine's before the user's.
// The browsers of today come after the historic four, so the line numbers
// saved for those keep their meaning.
QList<TWebBrowserNamePath> DetectRegistryBrowsers(const TRegistryReader& registry,
                                                  const std::function<bool(const QString&)>& fileExists);

// The reader of the real registry (QSettings' native format); nothing but
// empty answers elsewhere.
TRegistryReader SystemRegistryReader();

// The full path of program (a bare name searched on pathVariable, or a path),
// or empty when there is no executable file of that name.
QString ResolveProgram(const QString& program, const QString& pathVariable);
