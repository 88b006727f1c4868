#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#else
#include <windows.h>
#endif

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model_test_support.h"

namespace {

std::vector<std::string> Names(const TTempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
    if (Utf8Path(e.path().filename()) != kFolderLockFileName) names.push_back(Utf8Path(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileIo, WriteReplacesAndKeepsPermissions) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX permission bits; Windows files carry access lists, inherited from the folder";
#else
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
#endif
}

TEST(FileIo, WriteThroughALinkKeepsTheLink) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need a privilege on Windows and are not made by its users' tools";
#else
  TTempFolder folder;
  std::filesystem::create_directory(folder.File("real"));
  WriteAll(folder.File("real/p.jslr"), "old");
  std::filesystem::create_symlink("real/p.jslr", folder.File("link.jslr"));
  ASSERT_TRUE(WriteFileAtomically(folder.File("link.jslr"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.jslr")));
  EXPECT_EQ(ReadAll(folder.File("real/p.jslr")), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.File("real")), {}), 1);
#endif
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
                         {folder.File("gone/p.jslr"), MissingFolderText()}};
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
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit per process; the read-only case fails the same way";
#else
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
#endif
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
  EXPECT_FALSE(FileExists(Utf8Path(folder.Path())));
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

// Every byte arrives, however the size the system states compares with the
// bytes there are: megabytes read in one go, and a file that says it is
// empty (as the kernel's own files do) but is not.
TEST(FileIo, ReadsEveryByteWhateverTheStatedSize) {
  TTempFolder folder;
  std::string large;
  for (int i = 0; large.size() < (3u << 20) + 17; ++i) large += "line " + std::to_string(i) + "\r\n";
  ASSERT_TRUE(WriteFileAtomically(folder.File("large.jslr"), large));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(folder.File("large.jslr"), bytes));
  EXPECT_TRUE(bytes == large) << bytes.size() << " bytes read of " << large.size();
#ifdef __linux__
  struct stat st {};
  ASSERT_EQ(::stat("/proc/self/cmdline", &st), 0);
  ASSERT_EQ(st.st_size, 0);
  ASSERT_TRUE(ReadFileBytes("/proc/self/cmdline", bytes));
  // The arguments, each ended by a zero byte; the first is this test program.
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.back(), '\0');
  EXPECT_NE(bytes.find("model_tests"), std::string::npos) << bytes;
#endif
}

// Names outside ASCII reach the file system as the same letters: Windows
// reads narrow paths in its ANSI code page, where "é" in UTF-8 is "Ã©".
TEST(FileIo, NamesOutsideAsciiKeepTheirLetters) {
  TTempFolder folder;
  const char* const names[] = {"Caf\xC3\xA9 News", "Nouvelles \xC3\xA9.jslr", "\xE6\x96\xB0\xE9\x97\xBB.gms",
                               "\xF0\x9F\x93\xB0 box"};
  for (const char* name : names) {
    const std::string inner = folder.File(name) + "/" + name;
    ASSERT_TRUE(CreateFolder(folder.File(name))) << name;
    ASSERT_TRUE(WriteFileAtomically(inner, name)) << name;
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(inner, bytes)) << name;
    EXPECT_EQ(bytes, name);
    EXPECT_TRUE(FileExists(inner)) << name;
    ASSERT_TRUE(CopyFileReplacing(inner, inner + "2")) << name;
    EXPECT_TRUE(DeleteFileIfExists(inner + "2")) << name;
  }
  std::vector<std::string> expected(std::begin(names), std::end(names));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(folder), expected);
  for (const char* name : names) {
    const std::filesystem::path inner = folder.Path() / FileSystemPath(name);
    ASSERT_TRUE(std::filesystem::is_directory(inner)) << name;
    EXPECT_EQ(Utf8Path(std::filesystem::directory_iterator(inner)->path().filename()), name);
  }
}

// The folder lock as another handle sees it (flock on POSIX, LockFileEx on
// Windows): held from Acquire to Release, taken again by its own process at
// no cost, and let go only by the last holder.
TEST(FileIo, TheFolderLockIsHeldUntilItsLastRelease) {
  TTempFolder folder;
  EXPECT_FALSE(FolderLockedElsewhere(folder.Folder()));
  TFolderLock outer;
  ASSERT_TRUE(outer.Acquire(folder.Folder(), 0));
  EXPECT_TRUE(FolderLockedElsewhere(folder.Folder()));
  {
    TFolderLock inner;
    EXPECT_TRUE(inner.Acquire(folder.Folder(), 0));
  }
  EXPECT_TRUE(FolderLockedElsewhere(folder.Folder()));
  EXPECT_TRUE(WriteFileAtomically(folder.File("p.jslr"), "written under the lock"));
  outer.Release();
  EXPECT_FALSE(FolderLockedElsewhere(folder.Folder()));
  // A folder that is not there is written without a lock (and fails there).
  TFolderLock missing;
  EXPECT_TRUE(missing.Acquire(folder.File("gone/"), 0));
}

// A path past MAX_PATH (260) is written, read, listed and removed like any
// other; on Windows the wide-path layer hands the system the "\\?\" form.
TEST(FileIo, APathOfThreeHundredCharactersRoundTrips) {
  TTempFolder folder;
  std::vector<std::string> levels;
  std::string path = folder.Folder();
  while (path.size() < 300) {
    path += std::string(60, 'n') + std::to_string(levels.size());
    levels.push_back(path);
    ASSERT_TRUE(CreateFolder(path)) << path.size();
    path += "/";
  }
  const std::string file = path + "news.jslr";
  ASSERT_GT(file.size(), 300u);
  ASSERT_TRUE(WriteFileAtomically(file, "long way down"));
  ASSERT_TRUE(WriteFileAtomically(file, "long way down\r\n"));  // a replace too
  EXPECT_TRUE(FileExists(file));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(file, bytes));
  EXPECT_EQ(bytes, "long way down\r\n");
  EXPECT_TRUE(CopyFileReplacing(file, path + "copy.jslr"));
#ifdef _WIN32
  const std::wstring wide = WidePath(file);
  ASSERT_EQ(wide.rfind(L"\\\\?\\", 0), 0u) << Utf8FromWide(wide);
  std::string plain = file;
  std::replace(plain.begin(), plain.end(), '/', '\\');
  EXPECT_EQ(Utf8FromWide(wide.substr(4)), plain);
  EXPECT_EQ(WidePath(folder.Folder()).rfind(L"\\\\?\\", 0), std::wstring::npos) << "short paths stay plain";
#endif
  EXPECT_TRUE(DeleteFileIfExists(file));
  EXPECT_TRUE(DeleteFileIfExists(path + "copy.jslr"));
  for (auto it = levels.rbegin(); it != levels.rend(); ++it) EXPECT_TRUE(RemoveEmptyFolder(*it)) << it->size();
}

#ifdef _WIN32
// A move that Windows refuses (here: onto a read-only file) is a failure with
// the system's words, the old file whole and no temporary file left.
TEST(FileIo, ARefusedReplaceKeepsTheOldFile) {
  TTempFolder folder;
  const std::string path = folder.File("p.jslr");
  WriteAll(path, "old project");
  ASSERT_TRUE(::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_READONLY));
  const TResult r = WriteFileAtomically(path, "new project");
  ::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  EXPECT_NE(r.message.find(WindowsErrorText(ERROR_ACCESS_DENIED)), std::string::npos) << r.message;
  EXPECT_EQ(ReadAll(path), "old project");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"p.jslr"});
}

// Pieces arrive in order and only Commit replaces the file; a writer
// dropped before it leaves the old file and no temporary file.
TEST(FileIo, StreamingWriterCommitsOrLeavesNoTrace) {
  TTempFolder folder;
  const std::string path = folder.File("s.js");
  WriteAll(path, "old");
  {
    TAtomicFileWriter dropped(path);
    EXPECT_TRUE(dropped.Write("never"));
  }
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"s.js"});
  TAtomicFileWriter writer(path);
  for (const char* piece : {"one\r\n", "", "two\r\n"}) EXPECT_TRUE(writer.Write(piece));
  EXPECT_EQ(ReadAll(path), "old");
  ASSERT_TRUE(writer.Commit());
  EXPECT_EQ(ReadAll(path), "one\r\ntwo\r\n");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"s.js"});
}

// NUL opens like a file but is a device; it is refused as a character device
// is on POSIX (CON or a pipe could block the reader).
TEST(FileIo, DevicesAreNotReadAsFiles) {
  std::string bytes = "kept";
  const TResult r = ReadFileBytes("NUL", bytes);
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find("not a regular file"), std::string::npos) << r.message;
  EXPECT_EQ(bytes, "kept");
}

TEST(FileIo, FolderPartTakesEitherSeparatorAndTheDrive) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\a\\b.jslr", "C:\\a\\"}, {"C:/a/b.jslr", "C:/a/"}, {"C:b.jslr", "C:"}, {"a\\b/c", "a\\b/"}};
  for (const auto& [path, folderPart] : cases) EXPECT_EQ(FolderPart(path), folderPart) << path;
}
#endif

}  // namespace
