#include <gtest/gtest.h>

#include <QMap>
#include <QSet>
#include <QStringList>

#include "platform/browser_detection.h"

namespace {

// A registry of "ROOT|key|name" -> value and a set of existing files.
struct TFakeSystem {
  QMap<QString, QString> values;
  QSet<QString> files;

  TRegistryReader Reader() const {
    return [this](const QString& root, const QString& key, const QString& name) -> std::optional<QString> {
      const auto it = values.find(root + u'|' + key + u'|' + name);
      if (it == values.end()) return std::nullopt;
      return *it;
    };
  }
  QStringList Detect() const {
    QStringList out;
    for (const TWebBrowserNamePath& b : DetectRegistryBrowsers(Reader(), [this](const QString& p) {
           return files.contains(p);
         }))
      out << b.Name + u'=' + b.Path;
    return out;
  }
};

const QString kHklm = QStringLiteral("HKEY_LOCAL_MACHINE|");
const QString kHkcu = QStringLiteral("HKEY_CURRENT_USER|");
const QString kAppPaths = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\");

struct TCase {
  const char* what;
  QMap<QString, QString> values;
  QSet<QString> files;
  QStringList expected;
};

TEST(RegistryBrowserDetectionTest, StepsReadTheirKeysInOrder) {
  const QString ie = QStringLiteral("C:\\Program Files\\Internet Explorer\\iexplore.exe");
  const QString nav3 = QStringLiteral("C:\\Netscape3\\Program\\Netscape.exe");
  const QString comm = QStringLiteral("C:\\Comm\\Program\\Netscape.exe");
  const QString ns6 = QStringLiteral("C:\\NS6\\netscp6.exe");
  const QString firefox = QStringLiteral("C:\\Program Files\\Mozilla Firefox\\firefox.exe");
  const QString edge = QStringLiteral("C:\\Edge\\msedge.exe");
  const QMap<QString, QString> everything = {
      {kHklm + kAppPaths + "IEXPLORE.EXE|", ie},
      {kHkcu + "SOFTWARE\\Netscape\\Netscape Navigator\\Main|Install Directory", "C:\\Netscape3"},
      {kHklm + "SOFTWARE\\Netscape\\Netscape Navigator|CurrentVersion", "4.8"},
      {kHklm + "SOFTWARE\\Netscape\\Netscape Navigator\\4.8\\Main|Install Directory", "C:\\Comm"},
      {kHklm + "SOFTWARE\\Netscape\\Netscape 6|CurrentVersion", "6.2"},
      {kHklm + "SOFTWARE\\Netscape\\Netscape 6\\6.2\\Main|Install Directory", "C:\\NS6"},
      {kHklm + kAppPaths + "firefox.exe|", '"' + firefox + '"'},
      {kHkcu + kAppPaths + "msedge.exe|", edge},
  };
  const TCase cases[] = {
      {"nothing installed", {}, {}, {}},
      {"every step",
       everything,
       {ie, nav3, comm, ns6, firefox, edge},
       {"Internet Explorer=" + ie, "Netscape Navigator 3=" + nav3, "Netscape Communicator 4.8=" + comm,
        "Netscape 6.2=" + ns6, "Firefox=" + firefox, "Microsoft Edge=" + edge}},
      {"a value whose file is gone adds nothing", everything, {comm, edge},
       {"Netscape Communicator 4.8=" + comm, "Microsoft Edge=" + edge}},
      {"a version without its Main key adds nothing",
       {{kHklm + "SOFTWARE\\Netscape\\Netscape 6|CurrentVersion", "6.2"}},
       {QStringLiteral("\\netscp6.exe")},
       {}},
      {"an empty install directory adds nothing",
       {{kHkcu + "SOFTWARE\\Netscape\\Netscape Navigator\\Main|Install Directory", ""}},
       {QStringLiteral("\\Program\\Netscape.exe")},
       {}},
      {"the machine's entry before the user's",
       {{kHklm + kAppPaths + "chrome.exe|", "C:\\A\\chrome.exe"}, {kHkcu + kAppPaths + "chrome.exe|", "C:\\B\\chrome.exe"}},
       {QStringLiteral("C:\\A\\chrome.exe"), QStringLiteral("C:\\B\\chrome.exe")},
       {QStringLiteral("Google Chrome=C:\\A\\chrome.exe")}},
      {"the user's entry when the machine's file is gone",
       {{kHklm + kAppPaths + "chrome.exe|", "C:\\A\\chrome.exe"}, {kHkcu + kAppPaths + "chrome.exe|", "C:\\B\\chrome.exe"}},
       {QStringLiteral("C:\\B\\chrome.exe")},
       {QStringLiteral("Google Chrome=C:\\B\\chrome.exe")}},
      {"one program under two names is listed once",
       {{kHklm + kAppPaths + "IEXPLORE.EXE|", "C:\\X\\b.exe"}, {kHklm + kAppPaths + "firefox.exe|", "c:\\x\\B.EXE"}},
       {QStringLiteral("C:\\X\\b.exe"), QStringLiteral("c:\\x\\B.EXE")},
       {QStringLiteral("Internet Explorer=C:\\X\\b.exe")}},
  };
  for (const TCase& c : cases) {
    const TFakeSystem system{c.values, c.files};
    EXPECT_EQ(system.Detect(), c.expected) << c.what;
  }
}

TEST(RegistryBrowserDetectionTest, NoRegistryReaderFindsNothing) {
  EXPECT_TRUE(DetectRegistryBrowsers({}, [](const QString&) { return true; }).isEmpty());
}

}  // namespace
