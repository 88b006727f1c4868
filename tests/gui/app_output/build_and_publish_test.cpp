// Build HTML, Copy to Clipboard and Publish in the running program, and
// what they leave (or must not leave) on disk.

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QUndoStack>

#include "editor/pages/number_field.h"
#include "editor/pages/property_pages.h"
#include "output/product_info.h"
#include "output_fixture.h"

namespace {

QStringList EmptyProjectPage() {
  return {"<html>",
          "<head>",
          "<title>Preview</title>",
          "</head>",
          "<body>",
          "",
          "<!-- JavaScript Lumeroll 1.0 -->",
          QString("<!-- %1 -->").arg(kCopyrightNotice),
          QString("<!-- %1 -->").arg(kHomePageAddress),
          "<!-- NOTE: Please insert these codes into <body> section of web pages. -->",
          "<script language=\"javascript\" src=\"orvantalumeroll.js\"></script>",
          "<script language=\"javascript\" src=\"orvantalumeroll_news1_cfg.js\"></script>",
          "<!-- END -->",
          "",
          "</body>",
          "</html>"};
}

QStringList PublishReport() {
  const QString rule(77, '=');
  return {rule,
          "This message contain the information about how to publish the Javascript menu. Please read it carefully!",
          "All necessary files be saved in the same directory the project file (*.jslr) in. If you still not",
          "save the current project, save it first! This message will aslo be saved in a text file along with",
          "project file named \"ProjectName_PublishReport.txt\".",
          rule,
          "",
          "[Javascript menu script file(s)]:",
          "  orvantalumeroll.js",
          "  orvantalumeroll_news1_cfg.js",
          "",
          "[Image File(s)]: They should be copied to the same directory the script file in!",
          "",
          "",
          rule,
          "End of Publish Report",
          rule};
}

using BuildAndPublishTest = OutputAppTest;

TEST_F(BuildAndPublishTest, BuildHtmlOnAnEmptyProjectShowsTheSixteenLinesAndLeavesNoTemporaryFile) {
  StartApp();
  ASSERT_EQ(Model().rowCount(), 1);
  ASSERT_EQ(Model().rowCount(RootNode()), 0);
  const QStringList current = Listing(CurrentFolder());
  const QStringList project = Listing(ProjectFolder());
  const QStringList working = Names(WorkingFolder());

  QStringList shown;
  bool modal = false;
  const QString window = WithModal([this] { Action("BuildHTML1")->trigger(); },
                                   [&](QDialog& w) {
                                     modal = w.isModal();
                                     shown = Lines(Memo(w, "memoHTMLBuild"));
                                   });
  EXPECT_EQ(window, "formHTML");
  EXPECT_TRUE(modal);
  ASSERT_EQ(shown.size(), 16) << shown.join('\n').toStdString();
  EXPECT_EQ(shown, EmptyProjectPage());
  EXPECT_EQ(shown.mid(6, 7), EmptyProjectPage().mid(6, 7)) << "the snippet is lines 7 to 13";
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join('\n').toStdString();

  EXPECT_EQ(Listing(CurrentFolder()), current);
  EXPECT_EQ(Listing(ProjectFolder()), project);
  QStringList expected = working;
  if (!expected.contains(kConfigScriptName)) expected << kConfigScriptName;
  expected.sort();
  EXPECT_EQ(Names(WorkingFolder()), expected) << "only the configuration script is new";
  EXPECT_TRUE(PreviewFiles().isEmpty());
  EXPECT_TRUE(launcher.launches.isEmpty());
  // The window keeps the page while hidden, until the next generation.
  EXPECT_EQ(Lines(Memo(app->CodeWindow(), "memoHTMLBuild")), EmptyProjectPage());
}

TEST_F(BuildAndPublishTest, CopyToClipboardCopiesTheWholePageWhateverIsSelected) {
  StartApp();
  struct Case {
    const char* what;
    int from, to;  // selection in the text box; -1 = to the end
  };
  for (const Case& c : {Case{"nothing", 0, 0}, Case{"part of the snippet", 120, 180}, Case{"the last line", -8, -1},
                        Case{"everything", 0, -1}}) {
    SCOPED_TRACE(c.what);
    QGuiApplication::clipboard()->setText("before");
    bool stillOpen = false;
    WithModal([this] { Action("BuildHTML1")->trigger(); },
              [&](QDialog& w) {
                auto* memo = w.findChild<QPlainTextEdit*>("memoHTMLBuild");
                const int size = memo->toPlainText().size();
                QTextCursor cursor = memo->textCursor();
                cursor.setPosition(c.from < 0 ? size + c.from : c.from);
                cursor.setPosition(c.to < 0 ? size : c.to, QTextCursor::KeepAnchor);
                memo->setTextCursor(cursor);
                QTest::mouseClick(w.findChild<QPushButton*>("Button2"), Qt::LeftButton);
                stillOpen = w.isVisible();
              });
    EXPECT_TRUE(stillOpen) << "the window stays open";
    EXPECT_EQ(Lines(QGuiApplication::clipboard()->text()), EmptyProjectPage());
  }
}

TEST_F(BuildAndPublishTest, PublishShowsTheReportAndWritesOnlyIntoThePreviewFolder) {
  StartApp();
  Form().Insert1Click();
  prompts.fileNames.push_back(ProjectFolder() + "Spring News.jslr");
  Action("Save2")->trigger();
  ASSERT_TRUE(QFile::exists(ProjectFolder() + "Spring News.jslr")) << prompts.Texts().join('\n').toStdString();
  const QStringList project = Listing(ProjectFolder());
  const QStringList current = Listing(CurrentFolder());
  const QStringList working = Names(WorkingFolder());
  const QByteArray saved = ReadAll(ProjectFolder() + "Spring News.jslr");

  QStringList shown;
  QString title;
  const QString window = WithModal([this] { Action("Publish1")->trigger(); },
                                   [&](QDialog& w) {
                                     title = w.windowTitle();
                                     shown = Lines(Memo(w, "memoPublishReport"));
                                     QTest::mouseClick(w.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
                                   });
  EXPECT_EQ(window, "frmPublishReport");
  EXPECT_EQ(title, "Applet Publish Report");
  EXPECT_EQ(shown, PublishReport());
  EXPECT_EQ(PreviewFiles(), QStringList{"PublishReport.txt"});
  EXPECT_EQ(Names(PreviewFolder()), QStringList{"PublishReport.txt"});
  EXPECT_EQ(ReadAll(PreviewFolder() + "PublishReport.txt"), (PublishReport().join("\r\n") + "\r\n").toLatin1());

  EXPECT_EQ(Listing(ProjectFolder()), project);
  EXPECT_EQ(ReadAll(ProjectFolder() + "Spring News.jslr"), saved);
  EXPECT_EQ(Listing(CurrentFolder()), current);
  QStringList expected = working;
  if (!expected.contains("preview")) expected << "preview";
  expected.sort();
  EXPECT_EQ(Names(WorkingFolder()), expected);
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join('\n').toStdString();
}

// Build HTML takes the pages' values first: an edit not yet committed goes
// into the script, and the agent's unreadable border style gives way to the
// page's list position instead of failing the generation.
// An edit is in the project the moment it is made, so Build HTML generates
// it without copying anything back from the pages: the history gains no
// step and the project stays exactly as edited.
TEST_F(BuildAndPublishTest, BuildHtmlGeneratesTheEditsAsMadeAndWritesNothingBack) {
  StartApp();
  Form().Pages().tbshtMenu()->spnedtpDelay->setValue(4321);
  const TAppletData edited = Form().Agent().AppletData();
  const int steps = Form().Document().UndoStack().count();
  const QString window = WithModal([this] { Button("tlbtnBuildHTML")->click(); });
  EXPECT_EQ(window, "formHTML");
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join('\n').toStdString();
  EXPECT_EQ(Form().Agent().AppletData(), edited);
  EXPECT_EQ(Form().Agent().AppletData().pDelay, "4321");
  EXPECT_EQ(Form().Document().UndoStack().count(), steps);
  EXPECT_TRUE(ReadAll(WorkingFolder() + kConfigScriptName).contains("awkmbnbspm(4321,"));
}

// The pages hold list positions only, so a border style the generator
// cannot read never comes from them; an unreadable value in the project can
// only meet the generator when the pages are bypassed. What the commands
// can meet is a configuration script that cannot be written: the error box,
// and nothing copied or launched.
TEST_F(BuildAndPublishTest, AGenerationErrorShowsTheErrorBoxAndCopiesNothing) {
  StartApp();
  ASSERT_TRUE(QDir().mkpath(WorkingFolder() + kConfigScriptName + "/in the way"));
  struct Case {
    const char* action;
  };
  for (const Case& c : {Case{"BuildHTML1"}, Case{"Preview1"}}) {
    SCOPED_TRACE(c.action);
    prompts.asked.clear();
    const QString window = WithModal([&] { Action(c.action)->trigger(); });
    EXPECT_TRUE(window.isEmpty()) << window.toStdString();
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
    EXPECT_EQ(prompts.asked[0].title, "JavaScript Lumeroll");
    EXPECT_FALSE(prompts.asked[0].question);
    EXPECT_TRUE(prompts.asked[0].text.contains(kConfigScriptName)) << prompts.asked[0].text.toStdString();
    EXPECT_TRUE(prompts.asked[0].text.endsWith('.')) << prompts.asked[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(PreviewFolder()));
    EXPECT_TRUE(PreviewFiles().isEmpty());
    EXPECT_TRUE(launcher.launches.isEmpty());
    EXPECT_TRUE(Memo(app->CodeWindow(), "memoHTMLBuild").isEmpty());
  }
}

}  // namespace
