#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/browser_detection.h"

// Detection by PATH and desktop entries; Windows reads the registry instead.
#ifndef Q_OS_WIN
namespace {

class BrowserDetectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    bin = dir.filePath("bin");
    otherBin = dir.filePath("other bin");
    home = dir.filePath("home");
    system = dir.filePath("system");
    QDir().mkpath(bin);
    QDir().mkpath(otherBin);
    env = {bin + ":" + otherBin, dir.filePath("nohome"), home, system, {}};
  }

  QString Program(const QString& folder, const QString& name, bool executable = true) {
    const QString path = folder + "/" + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (executable) p |= QFile::ExeOwner;
    f.setPermissions(p);
    return path;
  }

  void Entry(const QString& dataFolder, const QString& id, const QString& body) {
    QDir().mkpath(dataFolder + "/applications");
    QFile f(dataFolder + "/applications/" + id);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(body.toUtf8());
  }

  QStringList Names() {
    QStringList out;
    for (const auto& b : DetectWebBrowsers(env)) out << b.Name;
    return out;
  }

  QTemporaryDir dir;
  QString bin, otherBin, home, system;
  TDetectionEnvironment env;
};

TEST_F(BrowserDetectionTest, NothingInstalledGivesAnEmptyList) { EXPECT_TRUE(DetectWebBrowsers(env).isEmpty()); }

TEST_F(BrowserDetectionTest, FixedStepsComeFirstInTheirOrder) {
  const QString chrome = Program(otherBin, "google-chrome-stable");
  const QString chromium = Program(bin, "chromium-browser");
  const QString firefox = Program(otherBin, "firefox-esr");
  Program(bin, "vivaldi");
  Entry(system, "vivaldi.desktop", "[Desktop Entry]\nName=Vivaldi\nExec=vivaldi %U\nCategories=Network;WebBrowser;\n");
  const auto browsers = DetectWebBrowsers(env);
  ASSERT_EQ(browsers.size(), 4);
  EXPECT_EQ(browsers[0].Name, "Firefox");
  EXPECT_EQ(browsers[0].Path, firefox);
  EXPECT_EQ(browsers[1].Name, "Chromium");
  EXPECT_EQ(browsers[1].Path, chromium);
  EXPECT_EQ(browsers[2].Name, "Google Chrome");
  EXPECT_EQ(browsers[2].Path, chrome);
  EXPECT_EQ(browsers[3].Name, "Vivaldi");
  EXPECT_EQ(browsers[3].Path, bin + "/vivaldi");
}

TEST_F(BrowserDetectionTest, EachFixedStepAddsAtMostOne) {
  Program(bin, "firefox");
  Program(bin, "firefox-esr");
  EXPECT_EQ(Names(), QStringList{"Firefox"});
  EXPECT_EQ(DetectWebBrowsers(env)[0].Path, bin + "/firefox");
}

TEST_F(BrowserDetectionTest, DesktopEntriesAreFiltered) {
  for (const char* name : {"alpha", "beta", "gamma", "delta", "epsilon", "zeta"}) Program(bin, name);
  Program(bin, "noexec", false);
  Program(otherBin, "with blank");
  struct Case {
    const char* id;
    const char* body;
  };
  const Case cases[] = {
      {"a.desktop", "[Desktop Entry]\nName=Alpha\nExec=alpha %u\nCategories=WebBrowser;\n"},
      {"b.desktop", "[Desktop Entry]\nName=Beta\nExec=beta\nCategories=WebBrowser;\nNoDisplay=true\n"},
      {"c.desktop", "[Desktop Entry]\nName=Gamma\nExec=gamma\nCategories=WebBrowser;\nHidden=true\n"},
      {"d.desktop", "[Desktop Entry]\nName=Delta\nExec=delta\nCategories=Office;\n"},
      {"e.desktop", "[Desktop Entry]\nName=Missing\nExec=notthere %u\nCategories=WebBrowser;\n"},
      {"f.desktop", "[Desktop Entry]\nName=NoExec\nExec=noexec\nCategories=WebBrowser;\n"},
      {"g.desktop", "[Desktop Entry]\nName=Again Alpha\nExec=env A=1 alpha --new\nCategories=WebBrowser;\n"},
      {"h.desktop", "[Desktop Entry]\nName=Blank\nExec=\"with blank\" %u\nCategories=WebBrowser\n"},
      {"i.desktop", "[Other]\nCategories=WebBrowser;\n[Desktop Entry]\nName=Zeta\nExec=zeta\nCategories=WebBrowser;\n"},
  };
  for (const Case& c : cases) Entry(system, c.id, c.body);
  EXPECT_EQ(Names(), (QStringList{"Alpha", "Blank", "Zeta"}));
}

TEST_F(BrowserDetectionTest, EarlierDataFolderWinsAndDuplicatesOfFixedStepsAreSkipped) {
  Program(bin, "firefox");
  Program(bin, "surf");
  Entry(system, "firefox.desktop", "[Desktop Entry]\nName=Firefox Web\nExec=firefox %u\nCategories=WebBrowser;\n");
  Entry(system, "surf.desktop", "[Desktop Entry]\nName=Surf\nExec=surf\nCategories=WebBrowser;\n");
  Entry(home, "surf.desktop", "[Desktop Entry]\nName=Surf\nExec=surf\nCategories=WebBrowser;\nHidden=true\n");
  EXPECT_EQ(Names(), QStringList{"Firefox"});
}

TEST_F(BrowserDetectionTest, AbsoluteExecPathNeedsNoPath) {
  const QString program = Program(otherBin, "lynxish");
  env.path.clear();
  Entry(home, "l.desktop", "[Desktop Entry]\nName=Lynxish\nExec=\"" + program + "\" %u\nCategories=WebBrowser;\n");
  const auto browsers = DetectWebBrowsers(env);
  ASSERT_EQ(browsers.size(), 1);
  EXPECT_EQ(browsers[0].Path, program);
}

}  // namespace
#endif
