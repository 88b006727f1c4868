#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "output_gui/web_browser_window.h"
#include "support/fake_browser_registry.h"
#include "support/scripted_prompts.h"

namespace {

class WebBrowserWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    iniPath = dir.filePath("settings.ini");
    settings = [this] { return std::make_unique<QSettings>(iniPath, QSettings::IniFormat); };
    bin = dir.filePath("bin");
    QDir().mkpath(bin);
    env = {bin, dir.filePath("home"), dir.filePath("data"), dir.filePath("nodirs"), FakeBrowserRegistry(bin)};
  }

  void InstallBrowsers() {
    for (const char* name : {"firefox", "chromium"}) {
      QFile f(bin + "/" + name);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write("#!/bin/sh\n");
      f.close();
      f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
  }

  void Save(int useDefault, int useKnown, int useSpecified, int selected, const QString& path) {
    auto s = settings();
    s->beginGroup("Web Browsers");
    s->setValue("UseDefaultBrowser", useDefault);
    s->setValue("UseKnownBrowser", useKnown);
    s->setValue("UseSpecifiedBrowser", useSpecified);
    s->setValue("SelectedBrowserNumber", selected);
    s->setValue("SpecifiedBrowserExePath", path);
  }

  std::unique_ptr<TformWebBrowser> Create() {
    return std::make_unique<TformWebBrowser>(prompts, launcher, settings, env);
  }

  template <class T>
  static T* Find(QWidget& w, const char* name) {
    T* child = w.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  QTemporaryDir dir;
  QString iniPath, bin;
  TSettingsFactory settings;
  TDetectionEnvironment env;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
};

TEST_F(WebBrowserWindowTest, FreshWindowUsesTheDefaultBrowser) {
  auto w = Create();
  EXPECT_EQ(w->windowTitle(), "Web Browser");
  EXPECT_TRUE(Find<QRadioButton>(*w, "RadioButtonBrowserDefault")->isChecked());
  EXPECT_EQ(Find<QComboBox>(*w, "ComboBoxBrowserList")->currentIndex(), -1);
  EXPECT_FALSE(Find<QComboBox>(*w, "ComboBoxBrowserList")->isEditable());
  EXPECT_TRUE(Find<QLineEdit>(*w, "editSpecifiedBrowserFileName")->text().isEmpty());
}

TEST_F(WebBrowserWindowTest, SavedLineNumberOutsideTheList) {
  InstallBrowsers();
  struct Case {
    int saved;
    int selected;
  };
  for (const Case& c : {Case{1, 1}, Case{2, 0}, Case{99, 0}, Case{-1, -1}}) {
    Save(0, 1, 0, c.saved, "");
    auto w = Create();
    EXPECT_EQ(Find<QComboBox>(*w, "ComboBoxBrowserList")->currentIndex(), c.selected) << c.saved;
    EXPECT_TRUE(Find<QRadioButton>(*w, "RadioButtonBrowserKnownInSystem")->isChecked());
  }
}

TEST_F(WebBrowserWindowTest, MissingValueEndsTheReadingKeepingWhatWasRead) {
  InstallBrowsers();
  {
    auto s = settings();
    s->setValue("Web Browsers/UseDefaultBrowser", 0);
    s->setValue("Web Browsers/UseKnownBrowser", 1);
    s->setValue("Web Browsers/SpecifiedBrowserExePath", "/never/read");
  }
  auto w = Create();
  EXPECT_TRUE(Find<QRadioButton>(*w, "RadioButtonBrowserKnownInSystem")->isChecked());
  EXPECT_EQ(Find<QComboBox>(*w, "ComboBoxBrowserList")->currentIndex(), -1);
  EXPECT_TRUE(Find<QLineEdit>(*w, "editSpecifiedBrowserFileName")->text().isEmpty());
}

TEST_F(WebBrowserWindowTest, OkSavesAndCancelKeepsTheSavedChoice) {
  InstallBrowsers();
  Save(1, 0, 0, -1, "");
  {
    auto w = Create();
    w->show();
    Find<QRadioButton>(*w, "RadioButtonBrowserUserSpecify")->click();
    Find<QLineEdit>(*w, "editSpecifiedBrowserFileName")->setText("/opt/my browser/run");
    QTest::mouseClick(Find<QPushButton>(*w, "bitbtnCancel"), Qt::LeftButton);
    EXPECT_EQ(w->result(), QDialog::Rejected);
  }
  auto reopened = Create();
  EXPECT_TRUE(Find<QRadioButton>(*reopened, "RadioButtonBrowserDefault")->isChecked());
  EXPECT_TRUE(Find<QLineEdit>(*reopened, "editSpecifiedBrowserFileName")->text().isEmpty());

  reopened->show();
  Find<QComboBox>(*reopened, "ComboBoxBrowserList")->setCurrentIndex(1);
  Find<QRadioButton>(*reopened, "RadioButtonBrowserUserSpecify")->click();
  Find<QLineEdit>(*reopened, "editSpecifiedBrowserFileName")->setText("/opt/my browser/run");
  QTest::mouseClick(Find<QPushButton>(*reopened, "bitbtnOk"), Qt::LeftButton);
  EXPECT_EQ(reopened->result(), QDialog::Accepted);
  auto s = settings();
  s->beginGroup("Web Browsers");
  EXPECT_EQ(s->value("UseDefaultBrowser").toString(), "0");
  EXPECT_EQ(s->value("UseKnownBrowser").toString(), "0");
  EXPECT_EQ(s->value("UseSpecifiedBrowser").toString(), "1");
  EXPECT_EQ(s->value("SelectedBrowserNumber").toString(), "1");
  EXPECT_EQ(s->value("SpecifiedBrowserExePath").toString(), "/opt/my browser/run");
}

TEST_F(WebBrowserWindowTest, KnownBrowserNeedsAList) {
  auto w = Create();
  w->show();
  auto* known = Find<QRadioButton>(*w, "RadioButtonBrowserKnownInSystem");
  QTest::mouseClick(known, Qt::LeftButton);
  EXPECT_FALSE(known->isChecked());
  EXPECT_TRUE(Find<QRadioButton>(*w, "RadioButtonBrowserDefault")->isChecked());
}

TEST_F(WebBrowserWindowTest, ChoosingALineMarksKnownBrowser) {
  InstallBrowsers();
  auto w = Create();
  w->show();
  auto* list = Find<QComboBox>(*w, "ComboBoxBrowserList");
  ASSERT_EQ(list->count(), 2);
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentIndex(), 0);
  EXPECT_TRUE(Find<QRadioButton>(*w, "RadioButtonBrowserKnownInSystem")->isChecked());
}

TEST_F(WebBrowserWindowTest, BrowsingFillsTheFieldButKeepsTheChoice) {
  auto w = Create();
  w->show();
  prompts.fileNames.push_back(QString("/opt/other browser/bin/run"));
  QTest::mouseClick(Find<QToolButton>(*w, "spdbtnOpenExeFile"), Qt::LeftButton);
  ASSERT_EQ(prompts.fileDialogs.size(), 1);
  EXPECT_FALSE(prompts.fileDialogs[0].save);
#ifdef Q_OS_WIN
  EXPECT_EQ(prompts.fileDialogs[0].request.filter, "Execute Files (*.exe, *.com)|*.exe; *.com");
#else
  EXPECT_EQ(prompts.fileDialogs[0].request.filter, "Programs (*)|*");
#endif
  EXPECT_EQ(Find<QLineEdit>(*w, "editSpecifiedBrowserFileName")->text(), "/opt/other browser/bin/run");
  EXPECT_TRUE(Find<QRadioButton>(*w, "RadioButtonBrowserDefault")->isChecked());

  prompts.fileNames.push_back(std::nullopt);
  QTest::mouseClick(Find<QToolButton>(*w, "spdbtnOpenExeFile"), Qt::LeftButton);
  EXPECT_EQ(prompts.fileDialogs[1].request.initialFolder, "/opt/other browser/bin");
  EXPECT_EQ(Find<QLineEdit>(*w, "editSpecifiedBrowserFileName")->text(), "/opt/other browser/bin/run");
}

TEST_F(WebBrowserWindowTest, OpenPageLaunchesTheChosenKind) {
  InstallBrowsers();
  const QString folder = "/home/a user/My Site/preview/";
  const QString page = folder + "~preview.html";
  struct Case {
    const char* what;
    int useDefault, useKnown, useSpecified, selected;
    const char* specified;
    bool program;
    QString target;
  };
  const Case cases[] = {
      {"default", 1, 0, 0, 1, "/opt/x", false, QUrl::fromLocalFile(page).toString()},
      {"specified", 0, 0, 1, 1, "/opt/my browser/run", true, "/opt/my browser/run"},
      {"known", 0, 1, 0, 1, "/opt/x", true, bin + "/chromium"},
      {"known, no line", 0, 1, 0, -1, "/opt/x", false, QUrl::fromLocalFile(page).toString()},
      {"specified, empty", 0, 0, 1, 0, "", false, QUrl::fromLocalFile(page).toString()},
  };
  for (const Case& c : cases) {
    Save(c.useDefault, c.useKnown, c.useSpecified, c.selected, c.specified);
    launcher.launches.clear();
    Create()->OpenPage(folder, "~preview.html");
    ASSERT_EQ(launcher.launches.size(), 1) << c.what;
    EXPECT_EQ(launcher.launches[0].program, c.program) << c.what;
    EXPECT_EQ(launcher.launches[0].target, c.target) << c.what;
    if (c.program) {
      EXPECT_EQ(launcher.launches[0].arguments, QStringList{page}) << c.what;
    } else {
      EXPECT_EQ(QUrl(launcher.launches[0].target).toLocalFile(), page) << c.what;
    }
  }
}

TEST_F(WebBrowserWindowTest, ABrowserThatCannotStartIsNamed) {
  InstallBrowsers();
  Save(0, 0, 1, 0, "/opt/no such browser");
  launcher.programsStart = false;
  Create()->OpenPage("/tmp/preview/", "~preview.html");
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
  EXPECT_EQ(prompts.asked[0].text, "The browser program \"/opt/no such browser\" could not be started.");
}

// A browser that starts and ends at once (Chromium refuses to run as root)
// is reported with its name and what it said, also after the window that
// launched it is gone, as it is after a preview.
TEST_F(WebBrowserWindowTest, ABrowserThatEndsAtOnceIsNamedWithWhatItSaid) {
  InstallBrowsers();
  const QString said = "Running as root without --no-sandbox is not supported.";
  for (const bool known : {true, false}) {
    prompts.asked.clear();
    Save(0, known ? 1 : 0, known ? 0 : 1, 1, bin + "/firefox");
    launcher.earlyFailure = said;
    const QString program = known ? Create()->Browsers()[1].Path : bin + "/firefox";
    Create()->OpenPage("/tmp/preview/", "~preview.html");
    EXPECT_TRUE(prompts.asked.isEmpty()) << "the failure arrives later";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompts.asked.isEmpty(); }, 2000));
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
    EXPECT_EQ(prompts.asked[0].text, "The browser program \"" + program + "\" ended at once without showing the page.\n\n" + said);
  }
}

}  // namespace
