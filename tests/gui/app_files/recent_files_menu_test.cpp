// The recent files list as opening projects fills it, and its submenu.

#include "app_files_fixture.h"

namespace {

class RecentFilesMenuTest : public AppFilesTest {
 protected:
  void OpenEach(const QStringList& paths) {
    for (const QString& p : paths) ASSERT_TRUE(Files().OpenProjectFile(p)) << p.toStdString();
  }
  void WriteRecent(const QByteArray& bytes) {
    QFile f(WorkingFolder() + "recentfile.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QStringList Numbered(const QStringList& paths) {
    QStringList lines;
    for (int i = 0; i < paths.size(); ++i) lines << QStringLiteral("&%1 %2").arg(i + 1).arg(paths[i]);
    return lines;
  }
  QStringList projects;
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    for (const char* n : {"p1.jslr", "p2.jslr", "p3.jslr", "p4.jslr", "p5.jslr"}) projects << WriteProject(n, {n});
  }
};

TEST_F(RecentFilesMenuTest, AMissingListIsCreatedEmptyAndTheMenuIsEmpty) {
  StartApp();
  EXPECT_TRUE(QFileInfo::exists(WorkingFolder() + "recentfile.dat"));
  EXPECT_EQ(QFileInfo(WorkingFolder() + "recentfile.dat").size(), 0);
  EXPECT_TRUE(RecentCaptions().isEmpty());
}

TEST_F(RecentFilesMenuTest, ReopeningAListedFileKeepsItsPosition) {
  StartApp();
  OpenEach({projects[0], projects[1], projects[2]});
  const QByteArray before = ReadAll(WorkingFolder() + "recentfile.dat");
  OpenEach({projects[1]});
  EXPECT_EQ(ReadAll(WorkingFolder() + "recentfile.dat"), before);
  EXPECT_EQ(RecentLines(), Numbered({projects[2], projects[1], projects[0]}));
  EXPECT_EQ(RecentCaptions(), RecentLines());
  EXPECT_EQ(Form().CurrentProjectPath(), projects[1]);
}

TEST_F(RecentFilesMenuTest, AFifthFileDropsTheFourth) {
  StartApp();
  OpenEach(projects);
  EXPECT_EQ(RecentLines(), Numbered({projects[4], projects[3], projects[2], projects[1]}));
  EXPECT_EQ(RecentCaptions(), RecentLines());
}

TEST_F(RecentFilesMenuTest, TwoSpellingsOfOnePathAreTwoEntries) {
  const QString upper = ProjectFolder() + "P1.jslr";
  if (!QFile::copy(projects[0], upper)) GTEST_SKIP();
  const QString dotted = ProjectFolder() + "./p1.jslr";
  StartApp();
  OpenEach({projects[0], upper, dotted});
  EXPECT_EQ(RecentLines(), Numbered({dotted, upper, projects[0]}));
}

TEST_F(RecentFilesMenuTest, OnlyTheFirstFourLinesCountAndTheNextAdditionKeepsFour) {
  WriteRecent(("&1 " + projects[0] + "\r\n&2 " + projects[1] + "\r\n&3 " + projects[2] + "\r\n&4 " + projects[3] +
               "\r\n&5 " + projects[4] + "\r\n")
                  .toLocal8Bit());
  StartApp();
  EXPECT_EQ(RecentCaptions(), Numbered({projects[0], projects[1], projects[2], projects[3]}));
  const QString sixth = WriteProject("p6.jslr", {"six"});
  OpenEach({sixth});
  EXPECT_EQ(RecentLines(), Numbered({sixth, projects[0], projects[1], projects[2]}));
}

TEST_F(RecentFilesMenuTest, AnEntryOpensItsFileAndAMissingFileStaysListed) {
  const QString gone = ProjectFolder() + "gone.jslr";
  WriteRecent(("&1 " + projects[2] + "\r\n&2 " + gone + "\r\n").toLocal8Bit());
  StartApp();
  QList<QAction*> entries = Form().findChild<QMenu*>(QStringLiteral("mnitRecentFiles"))->actions();
  ASSERT_EQ(entries.size(), 2);
  entries[0]->trigger();
  EXPECT_EQ(Form().CurrentProjectPath(), projects[2]);
  entries = Form().findChild<QMenu*>(QStringLiteral("mnitRecentFiles"))->actions();
  entries[1]->trigger();
  EXPECT_EQ(Form().CurrentProjectPath(), projects[2]);
  EXPECT_EQ(RecentLines(), Numbered({projects[2], gone}));
  EXPECT_EQ(prompts.asked.size(), 1);
}

TEST_F(RecentFilesMenuTest, AnAmpersandInThePathShowsAsItIsAndIsStoredAsItIs) {
  const QString amp = WriteProject("Tom & Jerry.jslr", {"cat"});
  StartApp();
  OpenEach({amp});
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + amp});
  QAction* entry = Form().findChild<QMenu*>(QStringLiteral("mnitRecentFiles"))->actions().value(0);
  ASSERT_TRUE(entry);
  // Qt shows "&&" as one "&"; the leading "&1" stays the accelerator.
  QString shown = entry->text();
  EXPECT_EQ(shown, "&1 " + QString(amp).replace("&", "&&"));
  EXPECT_EQ(QKeySequence::mnemonic(shown), QKeySequence(Qt::ALT | Qt::Key_1));

  OpenEach({projects[0]});
  Form().findChild<QMenu*>(QStringLiteral("mnitRecentFiles"))->actions().value(1)->trigger();
  EXPECT_EQ(Form().CurrentProjectPath(), amp);
}

TEST_F(RecentFilesMenuTest, SavingNeverChangesTheList) {
  StartApp();
  OpenEach({projects[0]});
  const QByteArray before = ReadAll(WorkingFolder() + "recentfile.dat");
  Form().Insert1Click();
  Files().Save1Click();
  prompts.fileNames = {ProjectFolder() + "saved.jslr"};
  // p1's published page is in that folder too.
  prompts.answers = {TAnswer::Yes};
  Files().Save2Click();
  EXPECT_TRUE(QFileInfo::exists(ProjectFolder() + "saved.jslr"));
  EXPECT_EQ(ReadAll(WorkingFolder() + "recentfile.dat"), before);
}

}  // namespace
