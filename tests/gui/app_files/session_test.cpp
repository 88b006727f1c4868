// A whole session: start, build three items through the Item page, save as
// a new project, look at the published page in headless Chromium, quit, and
// start again with the project on the command line.

#include <QComboBox>
#include <QProcess>
#include <QSpinBox>

#include "app_files_fixture.h"

namespace {

#ifndef Q_OS_WIN
const char* const kChromium = "/usr/bin/chromium";

// The page's DOM after scripts ran, from headless Chromium with a fresh profile.
QString DumpDom(const QString& page, const QString& profile) {
  QProcess chromium;
  chromium.start(QString::fromLatin1(kChromium),
                 {"--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--no-first-run", "--user-data-dir=" + profile,
                  "--virtual-time-budget=3000", "--dump-dom", QUrl::fromLocalFile(page).toString()});
  if (!chromium.waitForFinished(60000)) {
    chromium.kill();
    chromium.waitForFinished();
    return {};
  }
  return QString::fromUtf8(chromium.readAllStandardOutput());
}
#endif

struct TSessionItem {
  QString caption;
  QString link;
  QString content;
};

TEST_F(AppFilesTest, AWholeSessionFromStartToRestart) {
  onTemplates = [](TfrmTemplet& d) { d.CancelClick(); };
  StartApp();
  const std::vector<TSessionItem> items = {{"Spring opening hours", "open.html", "We open at nine."},
                                           {"New reading room", "room.html", "Quiet desks upstairs."},
                                           {"Poetry night", "poetry.html", "Bring a poem."}};
  for (const TSessionItem& item : items) {
    Tree().setCurrentIndex(RootNode());
    InsertItem(item.caption, item.content);
    auto* link = Form().findChild<QComboBox*>(QStringLiteral("cmbxILink"));
    ASSERT_TRUE(link);
    link->setEditText(QString());
    QTest::keyClicks(link->lineEdit(), item.link);
  }
  auto* width = Form().findChild<QSpinBox*>(QStringLiteral("spnedtpWidth"));
  ASSERT_TRUE(width);
  width->setValue(333);
  EXPECT_TRUE(Form().Modified());
  ASSERT_EQ(Model().rowCount(RootNode()), 3);
  EXPECT_EQ(Caption(Child(0)), items[0].caption);

  const QString project = ProjectFolder() + "B.jslr";
  prompts.fileNames = {project};
  Action("Save2")->trigger();
  EXPECT_EQ(Form().CurrentProjectPath(), project);
  EXPECT_FALSE(Form().Modified());
  for (const char* name : {"B.html", "orvantalumeroll.js", "orvantalumeroll_news1_cfg.js", "B.jslr",
                           "B_PublishReport.txt"})
    EXPECT_TRUE(QFileInfo::exists(ProjectFolder() + name)) << name;
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join("|").toStdString();

#ifndef Q_OS_WIN
  // (The page in a browser is looked at by the Linux run; a Windows build of
  // these tests has no headless browser of its own.)
  if (QFileInfo::exists(QString::fromLatin1(kChromium))) {
    QTemporaryDir profile;
    ASSERT_TRUE(profile.isValid());
    const QString dom = DumpDom(ProjectFolder() + "B.html", profile.path());
    ASSERT_FALSE(dom.isEmpty()) << "chromium gave no DOM";
    // The box is drawn by the runtime script: its region holds the captions
    // as links, none of which appear in the page's own markup.
    const QByteArray markup = ReadAll(ProjectFolder() + "B.html");
    for (const TSessionItem& item : items) {
      EXPECT_FALSE(markup.contains(item.caption.toUtf8())) << "caption already in the page's markup";
      EXPECT_TRUE(dom.contains(item.caption)) << item.caption.toStdString();
      EXPECT_TRUE(dom.contains(QStringLiteral("href=\"%1\"").arg(item.link))) << item.link.toStdString();
    }
  } else {
    ADD_FAILURE() << "no chromium to look at the published page";
  }
#endif

  Action("Exit1")->trigger();
  EXPECT_FALSE(Form().isVisible());
  app.reset();

  templatesShown = 0;
  StartApp({project});
  EXPECT_EQ(templatesShown, 0);
  EXPECT_EQ(Form().CurrentProjectPath(), project);
  EXPECT_FALSE(Form().Modified());
  ASSERT_EQ(Form().Agent().ItemCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const TItemData& item = Form().Agent().Items()[i];
    EXPECT_EQ(item.ICaption, Local(items[i].caption));
    EXPECT_EQ(item.ILink, Local(items[i].link));
    // Every line of the content ends in a break.
    EXPECT_EQ(item.IContent, Local(items[i].content) + "<br />");
    EXPECT_EQ(Caption(Child(i)), items[i].caption);
  }
  EXPECT_EQ(Form().Agent().AppletData().pWidth, "333");
  width = Form().findChild<QSpinBox*>(QStringLiteral("spnedtpWidth"));
  ASSERT_TRUE(width);
  EXPECT_EQ(width->value(), 333);
  Tree().setCurrentIndex(Child(1));
  EXPECT_EQ(Form().findChild<QLineEdit*>(QStringLiteral("edtICaption"))->text(), items[1].caption);
  EXPECT_EQ(Form().findChild<QPlainTextEdit*>(QStringLiteral("rchedtIContent"))->toPlainText(), items[1].content + "\n");
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + project});
}

}  // namespace
