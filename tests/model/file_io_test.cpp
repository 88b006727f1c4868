#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model_test_support.h"

namespace {

std::vector<std::string> Names(const TTempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.Path())) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileIo, WriteReplacesAndKeepsPermissions) {
  TTempFolder folder;
  const std::string path = folder.File("a.jslr");
  ASSERT_TRUE(WriteFileAtomically(path, "first"));
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, std::string("second\0\r\n", 9)));
  EXPECT_EQ(ReadAll(path), std::string("second\0\r\n", 9));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(folder), std::vector<std::string>{"a.jslr"});
}

TEST(FileIo, WriteThroughALinkKeepsTheLink) {
  TTempFolder folder;
  std::filesystem::create_directory(folder.File("real"));
  WriteAll(folder.File("real/p.jslr"), "old");
  std::filesystem::create_symlink("real/p.jslr", folder.File("link.jslr"));
  ASSERT_TRUE(WriteFileAtomically(folder.File("link.jslr"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.jslr")));
  EXPECT_EQ(ReadAll(folder.File("real/p.jslr")), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("real")), {}), 1);
}

TEST(FileIo, FailedWritesLeaveNoTrace) {
  TTempFolder folder;
  std::filesystem::create_directory(folder.File("dir.jslr"));
  WriteAll(folder.File("dir.jslr/inside"), "x");
  struct TCase {
    std::string path;
    std::string reason;
  };
  const TCase cases[] = {{folder.File("dir.jslr"), "Is a directory"},
                         {folder.File("gone/p.jslr"), "No such file or directory"}};
  for (const TCase& c : cases) {
    const TResult r = WriteFileAtomically(c.path, "bytes");
    EXPECT_FALSE(r) << c.path;
    EXPECT_NE(r.message.find(c.path), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
  }
  EXPECT_EQ(ReadAll(folder.File("dir.jslr/inside")), "x");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"dir.jslr"});
}

// A file-size limit makes the write fail half-way even for root: the old
// project must stay whole and no temporary file may be left beside it.
TEST(FileIo, ASaveThatFailsHalfWayKeepsTheOldFile) {
  TTempFolder folder;
  const std::string path = folder.File("p.jslr");
  WriteAll(path, "old project");
  TkvdAppletAgent agent;
  agent.SetDefaults();
  TItemData item = DefaultItemData();
  item.ILevel = "0";
  for (int i = 0; i < 200; ++i) agent.InsertItem(agent.ItemCount(), item);

  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const TResult r = agent.SaveProject(path);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find("File too large"), std::string::npos) << r.message;
  EXPECT_EQ(ReadAll(path), "old project");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"p.jslr"});
}

TEST(FileIo, ExportToAFolderKeepsTheProject) {
  TTempFolder folder;
  std::filesystem::create_directory(folder.File("s.gms"));
  TkvdAppletAgent agent;
  agent.SetDefaults();
  EXPECT_FALSE(agent.ExportStructure(folder.File("s.gms"), {}));
  EXPECT_FALSE(agent.SaveProject(folder.File("s.gms")));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("s.gms")));
}

TEST(FileIo, CopyAndFolderHelpers) {
  TTempFolder folder;
  WriteAll(folder.File("from"), "payload");
  WriteAll(folder.File("to"), "old");
  EXPECT_FALSE(CopyFileReplacing(folder.File("nothing"), folder.File("to")));
  EXPECT_EQ(ReadAll(folder.File("to")), "old");
  EXPECT_TRUE(CopyFileReplacing(folder.File("from"), folder.File("to")));
  EXPECT_EQ(ReadAll(folder.File("to")), "payload");

  EXPECT_TRUE(FileExists(folder.File("to")));
  EXPECT_FALSE(FileExists(folder.Path().string()));
  EXPECT_TRUE(CreateFolder(folder.File("sub")));
  EXPECT_TRUE(CreateFolder(folder.File("sub")));
  EXPECT_TRUE(FolderExists(folder.File("sub")));
  WriteAll(folder.File("sub/f"), "");
  EXPECT_FALSE(RemoveEmptyFolder(folder.File("sub")));
  EXPECT_TRUE(DeleteFileIfExists(folder.File("sub/f")));
  EXPECT_FALSE(DeleteFileIfExists(folder.File("sub/f")));
  EXPECT_TRUE(RemoveEmptyFolder(folder.File("sub")));
  EXPECT_FALSE(FolderExists(folder.File("sub")));
}

}  // namespace
