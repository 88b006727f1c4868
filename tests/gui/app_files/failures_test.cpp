// Opens and saves that fail: the editor keeps the project it had, the error
// box says why, and nothing enters the recent files list.

#include "app_files_fixture.h"

namespace {

struct TBadFile {
  const char* name;
  // Bytes of the file; nullptr = no file at all.
  const char* bytes;
  const char* message;  // start of the error text
};

// Test names carry the case's name rather than its bytes.
void PrintTo(const TBadFile& file, std::ostream* out) { *out << file.name; }


class FailedOpenTest : public AppFilesTest, public ::testing::WithParamInterface<TBadFile> {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
    good = WriteProject("good.jslr", {"Kept", "Also kept"}, "345");
    ASSERT_TRUE(Files().OpenProjectFile(good));
    Tree().setCurrentIndex(Child(1));
    Form().Insert1Click();
    ASSERT_TRUE(Form().Modified());
    bad = ProjectFolder() + "bad.jslr";
    if (GetParam().bytes) {
      QFile f(bad);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(GetParam().bytes);
    }
  }
  QString good;
  QString bad;
};

const char kWrongProduct[] =
    "<Warning_Info>\r\nx\r\n</Warning_Info>\r\n<Product_Name>\r\nSome Other Editor\r\n</Product_Name>\r\n"
    "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n";
const char kTruncated[] =
    "<Warning_Info>\r\nx\r\n</Warning_Info>\r\n<Product_Name>\r\nJavaScript Lumeroll\r\n</Product_Name>\r\n"
    "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Applet_Parameters>\r\n4000#$@2";

TEST_P(FailedOpenTest, ChangesNothingAndShowsTheErrorBox) {
  FillPreview();
  const TEditorState before = State();
  const QByteArray recent = ReadAll(WorkingFolder() + "recentfile.dat");
  prompts.answers = {TAnswer::No};
  EXPECT_FALSE(Files().OpenProjectFile(bad));
  EXPECT_EQ(State(), before);
  EXPECT_EQ(ReadAll(WorkingFolder() + "recentfile.dat"), recent);
  EXPECT_TRUE(SaveEnabled());
  ASSERT_EQ(prompts.asked.size(), 2);
  const auto& box = prompts.asked[1];
  EXPECT_FALSE(box.question);
  EXPECT_EQ(box.kind, TMessageKind::Error);
  EXPECT_EQ(box.title, "JavaScript Lumeroll");
  EXPECT_TRUE(box.text.startsWith(QString::fromLatin1(GetParam().message))) << box.text.toStdString();
  // The full stop comes after a letter, not after "!".
  EXPECT_EQ(box.text.endsWith("!."), false);
  EXPECT_TRUE(box.text.endsWith('.') || box.text.endsWith('!')) << box.text.toStdString();

  // The tree still answers: selecting an item shows it on the Item page.
  Tree().setCurrentIndex(Child(0));
  EXPECT_FALSE(Form().TreeRebuilding());
  EXPECT_EQ(Form().findChild<QLineEdit*>(QStringLiteral("edtICaption"))->text(), "Kept");

  // And a later Save writes the kept project to its own file, not the bad one.
  Files().Save1Click();
  std::vector<int> parents;
  TkvdAppletAgent reread;
  ASSERT_TRUE(reread.LoadProject(Local(good), parents).ok);
  EXPECT_EQ(reread.ItemCount(), 3);
  EXPECT_EQ(ReadAll(bad), QByteArray(GetParam().bytes ? GetParam().bytes : ""));
}

TEST_P(FailedOpenTest, ThroughTheOpenDialogToo) {
  const TEditorState before = State();
  prompts.answers = {TAnswer::No};
  prompts.fileNames = {bad};
  Files().Open1Click();
  EXPECT_EQ(State(), before);
  EXPECT_EQ(prompts.asked.size(), 2);
  EXPECT_TRUE(RecentLines() == QStringList{"&1 " + good});
}

TEST_P(FailedOpenTest, FromTheCommandLineItFailsSilently) {
  app.reset();
  prompts.asked.clear();
  templatesShown = 0;
  StartApp({bad});
  EXPECT_TRUE(prompts.asked.isEmpty());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_FALSE(Form().Modified());
  EXPECT_EQ(Form().Agent().ItemCount(), 0);
  EXPECT_EQ(templatesShown, 0);
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + good});
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailedOpenTest,
    ::testing::Values(TBadFile{"Missing", nullptr, "Cannot open"},
                      TBadFile{"WrongProduct", kWrongProduct, "This file wasn't saved by JavaScript Lumeroll 1.0"},
                      TBadFile{"Truncated", kTruncated, "This file is not a complete JavaScript Lumeroll project"},
                      TBadFile{"Empty", "", "This file is not a complete JavaScript Lumeroll project"}),
    [](const auto& info) { return std::string(info.param.name); });

class FailedSaveTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
    Form().Insert1Click();
  }
  QString Missing() const { return ProjectFolder() + "no such folder/p.jslr"; }
};

TEST_F(FailedSaveTest, SaveAsIntoAMissingFolderKeepsTheFlagAndThePath) {
  prompts.fileNames = {Missing()};
  EXPECT_FALSE(Files().Save2Click());
  EXPECT_TRUE(Form().Modified());
  EXPECT_TRUE(SaveEnabled());
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].title, "JavaScript Lumeroll");
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
  EXPECT_TRUE(prompts.asked[0].text.endsWith('.')) << prompts.asked[0].text.toStdString();
  // Both script copies failed too, and the one box names them.
  EXPECT_TRUE(prompts.asked[0].text.contains("\norvantalumeroll.js was not copied: ")) << prompts.asked[0].text.toStdString();
  EXPECT_TRUE(prompts.asked[0].text.contains("\norvantalumeroll_news1_cfg.js was not copied: "));
  EXPECT_FALSE(QFileInfo::exists(ProjectFolder() + "no such folder"));
}

TEST_F(FailedSaveTest, SaveToAProjectWhoseFolderWentAwayKeepsThePath) {
  QDir(ProjectFolder()).mkpath("gone");
  const QString path = ProjectFolder() + "gone/p.jslr";
  prompts.fileNames = {path};
  ASSERT_TRUE(Files().Save2Click());
  ASSERT_TRUE(QDir(ProjectFolder() + "gone").removeRecursively());
  Form().Insert1Click();
  EXPECT_FALSE(Files().Save1Click());
  EXPECT_EQ(Form().CurrentProjectPath(), path);
  EXPECT_TRUE(Form().Modified());
  EXPECT_EQ(prompts.asked.size(), 1);
}

TEST_F(FailedSaveTest, InTheCloseQuestionAFailedSaveKeepsTheWindowOpen) {
  prompts.answers = {TAnswer::Yes};
  prompts.fileNames = {Missing()};
  EXPECT_FALSE(Form().close());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_TRUE(Form().Modified());
  EXPECT_EQ(prompts.asked.size(), 2);
}

TEST_F(FailedSaveTest, AFailedSaveLeavesThePreviousFileWhole) {
  const QString path = ProjectFolder() + "p.jslr";
  prompts.fileNames = {path};
  ASSERT_TRUE(Files().Save2Click());
  const QByteArray saved = ReadAll(path);
  // A folder where the generated page must go makes the publish fail.
  ASSERT_TRUE(QFile::remove(ProjectFolder() + "p.html"));
  ASSERT_TRUE(QDir(ProjectFolder()).mkdir("p.html"));
  Form().Insert1Click();
  EXPECT_FALSE(Files().Save1Click());
  EXPECT_EQ(ReadAll(path), saved);
  EXPECT_TRUE(Form().Modified());
}

}  // namespace

namespace {

class FailedStructureTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
    ASSERT_TRUE(Files().OpenProjectFile(WriteProject("p.jslr", {"Kept"})));
    Form().Insert1Click();
  }
};

TEST_F(FailedStructureTest, AnImportThatFailsChangesNothing) {
  const QString gms = ProjectFolder() + "broken.gms";
  QFile f(gms);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("not a structure file\r\n");
  f.close();
  const TEditorState before = State();
  prompts.answers = {TAnswer::No};
  prompts.fileNames = {gms};
  Files().ImportMenuStructure1Click();
  EXPECT_EQ(State(), before);
  ASSERT_EQ(prompts.asked.size(), 2);
  EXPECT_EQ(prompts.asked[1].title, "JavaScript Lumeroll");
  EXPECT_EQ(prompts.asked[1].kind, TMessageKind::Error);
}

TEST_F(FailedStructureTest, AnExportThatFailsIsReportedAndChangesNothing) {
  const TEditorState before = State();
  prompts.fileNames = {ProjectFolder() + "no such folder/menu"};
  Files().ExportMenuStructure1Click();
  EXPECT_EQ(State(), before);
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].title, "JavaScript Lumeroll");
  EXPECT_TRUE(prompts.asked[0].text.contains("menu.gms")) << prompts.asked[0].text.toStdString();
}

}  // namespace
