// Preview in the running program: the preview folder and its record, its
// clearing, and how the saved browser choice opens the page.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "output_fixture.h"

namespace {

const QStringList kPreviewNames = {"orvantalumeroll.js", "orvantalumeroll_news1_cfg.js", "~preview.html"};

using PreviewTest = OutputAppTest;

TEST_F(PreviewTest, TwoPreviewsRecordEachNameTwiceAndNewClearsTheFolder) {
  StartApp();
  Action("Preview1")->trigger();
  Button("tlbtnPreview")->click();
  EXPECT_EQ(PreviewFiles(), kPreviewNames + kPreviewNames);
  EXPECT_EQ(Names(PreviewFolder()), kPreviewNames);
  EXPECT_EQ(launcher.launches.size(), 2);
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join('\n').toStdString();

  // A recorded file already gone is skipped without a word.
  ASSERT_TRUE(QFile::remove(PreviewPage()));
  if (Form().Modified()) prompts.answers.push_back(TAnswer::No);
  Action("New1")->trigger();
  EXPECT_TRUE(PreviewFiles().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(PreviewFolder()));
  EXPECT_TRUE(prompts.answers.empty());
  for (const auto& a : prompts.asked) EXPECT_TRUE(a.question) << a.text.toStdString();
}

TEST_F(PreviewTest, ClearingKeepsAFolderHoldingAStrangersFile) {
  StartApp();
  Action("Preview1")->trigger();
  ASSERT_EQ(Names(PreviewFolder()), kPreviewNames);
  QFile stranger(PreviewFolder() + "notes.txt");
  ASSERT_TRUE(stranger.open(QIODevice::WriteOnly));
  stranger.write("mine");
  stranger.close();

  if (Form().Modified()) prompts.answers.push_back(TAnswer::No);
  Action("New1")->trigger();
  EXPECT_TRUE(PreviewFiles().isEmpty());
  EXPECT_EQ(Names(PreviewFolder()), QStringList{"notes.txt"});
  EXPECT_EQ(ReadAll(PreviewFolder() + "notes.txt"), "mine");
  for (const auto& a : prompts.asked) EXPECT_TRUE(a.question) << a.text.toStdString();
}

TEST_F(PreviewTest, ThePreviewPageLiesInThePreviewFolderWhateverTheProjectIsCalled) {
  StartApp();
  Form().Insert1Click();
  prompts.fileNames.push_back(ProjectFolder() + "Autumn Fair.jslr");
  Action("Save2")->trigger();
  ASSERT_TRUE(QFile::exists(ProjectFolder() + "Autumn Fair.html")) << prompts.Texts().join('\n').toStdString();
  QMap<QString, QByteArray> project;
  for (const QString& name : Names(ProjectFolder())) project[name] = ReadAll(ProjectFolder() + name);
  const QStringList current = Listing(CurrentFolder());

  Action("Preview1")->trigger();
  ASSERT_EQ(launcher.launches.size(), 1);
  EXPECT_FALSE(launcher.launches[0].program);
  EXPECT_EQ(QUrl(launcher.launches[0].target).toLocalFile(), PreviewPage());
  EXPECT_EQ(Names(PreviewFolder()), kPreviewNames);
  // The page in the preview folder is the one the code window shows.
  QString page = QString::fromLocal8Bit(ReadAll(PreviewPage()));
  EXPECT_TRUE(page.endsWith("</html>\r\n"));
  EXPECT_EQ(page.replace("\r\n", "\n"), Memo(app->CodeWindow(), "memoHTMLBuild"));
  EXPECT_EQ(ReadAll(PreviewFolder() + "orvantalumeroll.js"), ReadAll(ResourceFolder() + "orvantalumeroll.js"));
  EXPECT_EQ(ReadAll(PreviewFolder() + "orvantalumeroll_news1_cfg.js"),
            ReadAll(WorkingFolder() + "orvantalumeroll_news1_cfg.js"));

  QMap<QString, QByteArray> after;
  for (const QString& name : Names(ProjectFolder())) after[name] = ReadAll(ProjectFolder() + name);
  EXPECT_EQ(after, project) << "the project's folder is not touched";
  EXPECT_EQ(Listing(CurrentFolder()), current);
  EXPECT_FALSE(QFileInfo::exists(WorkingFolder() + "~preview.html"));
}

// The saved choice decides the launch; the page path (it holds a blank)
// reaches a browser program as one argument.
TEST_F(PreviewTest, TheSavedChoiceOpensThePageWithItsBlanksWhole) {
  InstallBrowsers();
  const QString named = FakeProgram(temp.filePath("my programs/web browser"));
  StartApp();
  ASSERT_TRUE(PreviewPage().contains(' '));
  struct Case {
    const char* what;
    TChoice saved;
    QString program;  // empty: the desktop's default browser
  };
  const Case cases[] = {
      {"default", {1, 0, 0, 1, named}, {}},
      {"known, second line", {0, 1, 0, 1, named}, BinFolder() + "chromium"},
      {"named program", {0, 0, 1, 0, named}, named},
      {"known, line past the list", {0, 1, 0, 7, {}}, BinFolder() + "firefox"},
      {"known, no line", {0, 1, 0, -1, {}}, {}},
      {"named program left empty", {0, 0, 1, 0, {}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SaveChoice(c.saved);
    launcher.launches.clear();
    Action("Preview1")->trigger();
    ASSERT_EQ(launcher.launches.size(), 1);
    const TCapturingLauncher::TLaunch& launch = launcher.launches[0];
    EXPECT_EQ(launch.program, !c.program.isEmpty());
    if (c.program.isEmpty()) {
      const QUrl url(launch.target);
      EXPECT_TRUE(url.isLocalFile());
      EXPECT_EQ(url.toLocalFile(), PreviewPage());
    } else {
      EXPECT_EQ(launch.target, c.program);
      EXPECT_EQ(launch.arguments, QStringList{PreviewPage()});
    }
  }
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join('\n').toStdString();
}

TEST_F(PreviewTest, TheBrowserWindowShowsTheFirstLineForASavedLinePastTheList) {
  InstallBrowsers();
  SaveChoice({0, 1, 0, 2, {}});
  StartApp();
  int line = -2;
  bool known = false;
  WithModal([this] { Action("WebBrowser1")->trigger(); },
            [&](QDialog& w) {
              line = w.findChild<QComboBox*>("ComboBoxBrowserList")->currentIndex();
              known = w.findChild<QRadioButton*>("RadioButtonBrowserKnownInSystem")->isChecked();
            });
  EXPECT_EQ(line, 0);
  EXPECT_TRUE(known);
}

// Changes in the window count only with OK; after Cancel the next preview
// still uses the saved choice.
TEST_F(PreviewTest, CancelKeepsTheSavedChoiceAndOkReplacesIt) {
  InstallBrowsers();
  const QString named = FakeProgram(temp.filePath("my programs/web browser"));
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    SaveChoice({0, 1, 0, 0, {}});
    StartApp();
    const QString window = WithModal([this] { Action("WebBrowser1")->trigger(); },
                                     [&](QDialog& w) {
                                       QTest::mouseClick(w.findChild<QRadioButton*>("RadioButtonBrowserUserSpecify"),
                                                         Qt::LeftButton);
                                       w.findChild<QLineEdit*>("editSpecifiedBrowserFileName")->setText(named);
                                       QTest::mouseClick(w.findChild<QPushButton*>(ok ? "bitbtnOk" : "bitbtnCancel"),
                                                         Qt::LeftButton);
                                     });
    EXPECT_EQ(window, "formWebBrowser");
    const TChoice saved = SavedChoice();
    EXPECT_EQ(saved.useKnown, ok ? 0 : 1);
    EXPECT_EQ(saved.useSpecified, ok ? 1 : 0);
    EXPECT_EQ(saved.program, ok ? named : QString());

    launcher.launches.clear();
    Action("Preview1")->trigger();
    ASSERT_EQ(launcher.launches.size(), 1);
    EXPECT_EQ(launcher.launches[0].target, ok ? named : BinFolder() + "firefox");
    app.reset();
  }
}

}  // namespace
