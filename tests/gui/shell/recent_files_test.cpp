#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "model/file_io.h"
#include "shell/command_line.h"
#include "shell/recent_files.h"

namespace {

class RecentFilesTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir.filePath("recentfile.dat").toStdString(); }
  std::string Bytes() const {
    std::string b;
    EXPECT_TRUE(ReadFileBytes(Path(), b).ok);
    return b;
  }
  std::vector<std::string> Loaded() const {
    std::vector<std::string> lines;
    EXPECT_TRUE(TRecentFiles(Path()).Load(lines).ok);
    return lines;
  }
  void Add(const std::string& p, bool expectChanged = true) {
    bool changed = false;
    ASSERT_TRUE(TRecentFiles(Path()).Add(p, changed).ok);
    EXPECT_EQ(changed, expectChanged) << p;
  }
  QTemporaryDir dir;
};

TEST_F(RecentFilesTest, AMissingListIsCreatedEmpty) {
  EXPECT_TRUE(Loaded().empty());
  EXPECT_TRUE(FileExists(Path()));
  EXPECT_EQ(Bytes(), "");
}

TEST_F(RecentFilesTest, NewestComesFirstAndAFifthDropsTheOldest) {
  for (const char* p : {"/a.jslr", "/b.jslr", "/c.jslr", "/d.jslr"}) Add(p);
  EXPECT_EQ(Bytes(), "&1 /d.jslr\r\n&2 /c.jslr\r\n&3 /b.jslr\r\n&4 /a.jslr\r\n");
  Add("/e.jslr");
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"&1 /e.jslr", "&2 /d.jslr", "&3 /c.jslr", "&4 /b.jslr"}));
}

TEST_F(RecentFilesTest, ReopeningAListedFileKeepsItsPosition) {
  for (const char* p : {"/a.jslr", "/b.jslr", "/c.jslr"}) Add(p);
  const std::string before = Bytes();
  Add("/b.jslr", false);
  EXPECT_EQ(Bytes(), before);
  // Letter case and other path forms count as other files.
  Add("/B.jslr");
  Add("//a.jslr");
  EXPECT_EQ(Loaded().front(), "&1 //a.jslr");
}

// One entry is one line: a CR or LF in a path would make two of it.
TEST_F(RecentFilesTest, APathWithAControlCharacterIsNotListed) {
  Add("/a.jslr");
  const std::string before = Bytes();
  for (const char* p : {"/x\r/y.jslr", "/x\n&2 /y.jslr", "/x\x1b[2J.jslr"}) Add(p, false);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(RecentFilesTest, OnlyTheFirstFourLinesCount) {
  ASSERT_TRUE(WriteFileAtomically(Path(), "&1 /a\r\n&2 /b\r\n&3 /c\r\n&4 /d\r\n&5 /e\r\n&6 /f\r\n").ok);
  EXPECT_EQ(Loaded().size(), 4u);
  Add("/new");
  EXPECT_EQ(Bytes(), "&1 /new\r\n&2 /a\r\n&3 /b\r\n&4 /c\r\n");
}

TEST_F(RecentFilesTest, EmptyLinesKeepTheirPlaceAndAnEmptyPathChangesNothing) {
  ASSERT_TRUE(WriteFileAtomically(Path(), "&1 /a\r\n\r\n&3 /c\r\n").ok);
  EXPECT_EQ(Loaded(), (std::vector<std::string>{"&1 /a", "&3 /c"}));
  Add("", false);
  Add("/x & y.jslr");
  EXPECT_EQ(Bytes(), "&1 /x & y.jslr\r\n&2 /a\r\n&4 /c\r\n");
  EXPECT_EQ(TRecentFiles::PathOfLine("&1 /x & y.jslr"), "/x & y.jslr");
}

TEST_F(RecentFilesTest, AnUnwritableListReportsTheSystemError) {
  TRecentFiles list(dir.filePath("missing-folder/recentfile.dat").toStdString());
  std::vector<std::string> lines;
  const TResult r = list.Load(lines);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("recentfile.dat"), std::string::npos) << r.message;
}

TEST(CommandLine, ArgumentsAreJoinedWithSingleBlanksAndTrimmed) {
  EXPECT_EQ(JoinCommandLine({}), "");
  EXPECT_EQ(JoinCommandLine({"/home/me/My", "News.jslr"}), "/home/me/My News.jslr");
  EXPECT_EQ(JoinCommandLine({"/home/me/My News.jslr"}), "/home/me/My News.jslr");
  // A run of blanks inside an unquoted path arrives as separate arguments.
  EXPECT_EQ(JoinCommandLine({" a", "b "}), "a b");
}

TEST(ErrorBox, AFullStopFollowsTextsEndingAfterTheDot) {
  EXPECT_EQ(ErrorBoxText("File not found"), "File not found.");
  EXPECT_EQ(ErrorBoxText("open failed!"), "open failed!");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("value 7"), "value 7.");
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
