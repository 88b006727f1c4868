// Files and folders that are not what they seem: trees too deep to show,
// devices and pipes where a file should be, links planted by another user,
// targets the user may not write.

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "model/win_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <functional>

#include "model/file_io.h"
#include "model/project_file.h"
#include "model/structure_file.h"
#include "model/tree_math.h"
#include "model/vocabulary.h"
#include "model_test_support.h"

namespace {

TItemArray Chain(int depth) {
  TItemArray items;
  for (int k = 0; k < depth; ++k) items.push_back(MakeItem("i" + std::to_string(k), "", "", "", k));
  return items;
}

struct TReader {
  const char* name;
  // The line of the first item in a file written by this program.
  int firstItemLine;
  std::function<std::string(const TItemArray&)> write;
  std::function<TResult(const std::string&)> read;
};

std::vector<TReader> Readers() {
  static NullProgress progress;
  return {
      {"project", 15, [](const TItemArray& items) { return WriteProjectText(DefaultAppletData(), items, progress); },
       [](const std::string& bytes) {
         TLoadedProject loaded;
         return ReadProjectText(bytes, loaded, progress);
       }},
      {"structure", 14, [](const TItemArray& items) { return WriteStructureText(items, progress); },
       [](const std::string& bytes) {
         TLoadedStructure loaded;
         return ReadStructureText(bytes, loaded, progress);
       }},
  };
}

TEST(HostileInput, BothReadersStopAtTheDepthLimit) {
  struct TCase {
    int depth;
    int badEntry;  // -1: loads
  };
  const TCase cases[] = {{tree_math::kMaxNestingDepth, -1},
                         {tree_math::kMaxNestingDepth + 1, tree_math::kMaxNestingDepth},
                         {100000, tree_math::kMaxNestingDepth}};
  for (const TReader& reader : Readers()) {
    for (const TCase& c : cases) {
      const TResult r = reader.read(reader.write(Chain(c.depth)));
      if (c.badEntry < 0) {
        EXPECT_TRUE(r) << reader.name << " " << c.depth << ": " << r.message;
      } else {
        EXPECT_EQ(r.message, "Items are nested deeper than 1000 levels (line " +
                                 std::to_string(reader.firstItemLine + c.badEntry) + "), open failed!")
            << reader.name << " " << c.depth;
      }
    }
    // Levels that jump far down are clamped first: the depth counted is the
    // depth the tree would have.
    TItemArray jumping = Chain(3);
    jumping[2].ILevel = "5000";
    EXPECT_TRUE(reader.read(reader.write(jumping))) << reader.name;
  }
}

// A file of `size` bytes that takes no room on the disk where the file
// system allows it.
void MakeSparseFile(const std::string& path, long long size) {
#ifdef _WIN32
  const HANDLE file = ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end{};
  end.QuadPart = size;
  const bool sized = ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
  ::CloseHandle(file);
  ASSERT_TRUE(sized);
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
#endif
}

TEST(HostileInput, ReadersTakeRegularFilesOnly) {
  TTempFolder folder;
  const std::string huge = folder.File("huge.jslr");
  ASSERT_NO_FATAL_FAILURE(MakeSparseFile(huge, kMaxReadBytes + 1));
#ifdef _WIN32
  // The null device, which a name like NUL reaches from any folder.
  const std::string device = "NUL";
#else
  const std::string fifo = folder.File("pipe.jslr");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string device = "/dev/zero";
#endif
  struct TCase {
    std::string path;
    std::string reason;
  };
  std::vector<TCase> cases = {{device, "not a regular file"},
                              {Utf8Path(folder.Path()), "Is a directory"},
                              {huge, "the file is larger than 256 MB"}};
#ifndef _WIN32
  cases.push_back({fifo, "not a regular file"});
#endif
  for (const TCase& c : cases) {
    std::string bytes = "untouched";
    const TResult r = ReadFileBytes(c.path, bytes);
    EXPECT_FALSE(r) << c.path;
    EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(c.path), std::string::npos) << r.message;
    EXPECT_EQ(bytes, "untouched");
  }
}

TEST(HostileInput, ControlCharactersInMessagesAreEscaped) {
  EXPECT_EQ(EscapeControlCharacters("plain \\ text"), "plain \\ text");
  EXPECT_EQ(EscapeControlCharacters("a\x1b[2Jb\r\n\x7f"), "a\\x1B[2Jb\\x0D\\x0A\\x7F");
  EXPECT_EQ(EscapeControlCharacters(std::string("\0z", 2)), "\\x00z");
  EXPECT_EQ(EscapeControlCharacters("caf\xE9"), "caf\xE9");
  EXPECT_FALSE(HasControlCharacter("/home/a b/\xE9.jslr"));
  EXPECT_TRUE(HasControlCharacter("/home/a\nb"));
}

std::vector<std::string> Names(const TTempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
    if (Utf8Path(e.path().filename()) != kFolderLockFileName) names.push_back(Utf8Path(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(HostileInput, DanglingLinksAndLoopsAreRefused) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need a privilege on Windows and are not made by its users' tools";
#else
  TTempFolder folder;
  std::filesystem::create_symlink("missing/nowhere.jslr", folder.File("dangling.jslr"));
  std::filesystem::create_symlink("loop-b", folder.File("loop-a"));
  std::filesystem::create_symlink("loop-a", folder.File("loop-b"));
  struct TCase {
    std::string path;
    std::string reason;
  };
  const TCase cases[] = {{folder.File("dangling.jslr"), "the symbolic link leads to no file"},
                         {folder.File("loop-a"), "Too many levels of symbolic links"}};
  for (const TCase& c : cases) {
    const TResult r = WriteFileAtomically(c.path, "bytes");
    EXPECT_FALSE(r) << c.path;
    EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
    EXPECT_TRUE(std::filesystem::is_symlink(c.path)) << c.path;
  }
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"dangling.jslr", "loop-a", "loop-b"}));
#endif
}

#ifndef _WIN32
constexpr uid_t kNobody = 65534;
#endif

// Like the kernel's protected symlinks: a link planted by another user in a
// shared folder must not aim a write at the user's own file.
TEST(HostileInput, ALinkOfAnotherUserIsNotFollowed) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need a privilege on Windows, and its files have no POSIX owner";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give the link to another user";
  TTempFolder folder;
  WriteAll(folder.File("private.txt"), "secret");
  ::chmod(folder.File("private.txt").c_str(), 0600);
  std::filesystem::create_symlink("private.txt", folder.File("planted.js"));
  ASSERT_EQ(::lchown(folder.File("planted.js").c_str(), kNobody, kNobody), 0);
  const TResult r = WriteFileAtomically(folder.File("planted.js"), "published");
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find("belongs to another user"), std::string::npos) << r.message;
  EXPECT_EQ(ReadAll(folder.File("private.txt")), "secret");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("planted.js")));
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"planted.js", "private.txt"}));

  // Root's own links are followed, as the user's are.
  ASSERT_EQ(::lchown(folder.File("planted.js").c_str(), 0, 0), 0);
  EXPECT_TRUE(WriteFileAtomically(folder.File("planted.js"), "published"));
  EXPECT_EQ(ReadAll(folder.File("private.txt")), "published");
#endif
}

#ifndef _WIN32
// Runs `body` as an ordinary user in a child process; its result comes back
// as the exit code (0 written, 1 refused with `reason`, 2 anything else).
int AsOrdinaryUser(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setresgid(kNobody, kNobody, kNobody) != 0 || ::setresuid(kNobody, kNobody, kNobody) != 0) ::_exit(3);
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 4;
}
#endif

// On Windows the read-only attribute is what protects a file; FileIo tests
// that case there.
TEST(HostileInput, AWriteProtectedFileIsNotReplaced) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX owners and modes, and a process changing its user";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run the write as another user";
  TTempFolder folder;
  // The user's own folder and a project they made read-only.
  ASSERT_EQ(::chown(folder.Path().c_str(), kNobody, kNobody), 0);
  const std::string path = folder.File("p.jslr");
  WriteAll(path, "kept");
  ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const int outcome = AsOrdinaryUser([&] {
    const TResult r = WriteFileAtomically(path, "replaced");
    if (r) return 0;
    return r.message.find("Permission denied") != std::string::npos ? 1 : 2;
  });
  EXPECT_EQ(outcome, 1);
  EXPECT_EQ(ReadAll(path), "kept");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"p.jslr"});
#endif
}

// The temporary file is never readable by more people than the file it
// replaces, not even while it is being written.
TEST(HostileInput, TheTemporaryFileHasTheFinalPermissionsFromTheStart) {
#ifdef _WIN32
  GTEST_SKIP() << "POSIX permission bits; Windows files carry access lists, inherited from the folder";
#else
  TTempFolder folder;
  const mode_t savedMask = ::umask(077);
  for (const mode_t mode : {0600u, 0640u, 0604u}) {
    const std::string path = folder.File("p.jslr");
    WriteAll(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    TAtomicFileWriter writer(path);
    ASSERT_TRUE(writer.Write("new"));
    std::vector<std::string> names = Names(folder);
    ASSERT_EQ(names.size(), 2u);
    struct stat st {};
    ASSERT_EQ(::stat(folder.File(names[0]).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode) << names[0];
    EXPECT_TRUE(writer.Commit());
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, mode);
  }
  ::umask(savedMask);
#endif
}

// A writer dropped before its commit leaves the old file and no trace.
TEST(HostileInput, AWriterDroppedBeforeItsCommitLeavesNoTrace) {
  TTempFolder folder;
  WriteAll(folder.File("p.jslr"), "new");
  {
    TAtomicFileWriter writer(folder.File("p.jslr"));
    ASSERT_TRUE(writer.Write("never"));
    EXPECT_EQ(Names(folder).size(), 2u);
  }
  EXPECT_EQ(ReadAll(folder.File("p.jslr")), "new");
  EXPECT_EQ(Names(folder), std::vector<std::string>{"p.jslr"});
}

}  // namespace
