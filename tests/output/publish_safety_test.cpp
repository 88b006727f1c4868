// A publish is all or nothing, cleans up after crashed ones, keeps owner,
// group and mode of the files it replaces, and holds the folder's lock.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>

#include "model/applet_agent.h"
#include "output/publish.h"
#include "support/temp_folder.h"
#include "test_support.h"

namespace {

// Every name in the folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    out[e.path().filename().string()] = e.is_directory() ? "<folder>" : ReadOrEmpty(e.path().string());
  return out;
}

class PublishSafety : public testing::Test {
 protected:
  void SetUp() override {
    folders.resource = resources.Folder();
    folders.working = working.Folder();
    ASSERT_TRUE(WriteFileAtomically(folders.resource + kRuntimeScriptName, "/* runtime */\n"));
    agent.SetDefaults();
  }
  void AddItems(int count, size_t contentSize) {
    for (int i = 0; i < count; ++i) {
      TItemData item = Item("item " + std::to_string(i), std::string(contentSize, 'c'));
      item.ILevel = "0";
      agent.InsertItem(agent.ItemCount(), item);
    }
  }
  TPublishResult Publish() { return PublishInto(site.Folder()); }
  TPublishResult PublishInto(const std::string& folder) {
    return SaveAndPublish(agent, folders, folder, "news.jslr", std::vector<int>(static_cast<size_t>(agent.ItemCount()), 0));
  }
  TTempFolder resources, working, site;
  AppFolders folders;
  TkvdAppletAgent agent;
};

// Runs the publish in a child process, so a limit set there stays there;
// the child's exit code says whether the publish failed.
int PublishInChild(const std::function<void()>& prepare, const std::function<bool()>& publish) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    prepare();
    ::_exit(publish() ? 0 : 3);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A second publish that fails anywhere before its renames leaves the first
// one's files byte for byte, and no temporary file.
TEST_F(PublishSafety, AFailureBeforeTheRenamesLeavesTheFolderAsItWas) {
  struct TCase {
    const char* name;
    std::function<bool(const std::string& folder)> breakIt;  // false: cannot be set up here
    std::function<void()> inChild;                // set in the child only
  };
  const TCase cases[] = {
      {"the report's name is a folder",
       [](const std::string& folder) { return CreateFolder(folder + "news_PublishReport.txt"); }, nullptr},
      {"a full disk (a file-size limit) while the project is written",
       [](const std::string&) { return true; },
       [] {
         ::signal(SIGXFSZ, SIG_IGN);
         const rlimit limit{64 * 1024, 64 * 1024};
         ::setrlimit(RLIMIT_FSIZE, &limit);
       }},
      {"a read-only script",
       [](const std::string& folder) {
         if (::geteuid() == 0) return false;  // root writes it anyway
         return ::chmod((folder + kRuntimeScriptName).c_str(), 0444) == 0;
       },
       nullptr},
  };
  for (const TCase& c : cases) {
    TTempFolder fresh;
    agent.SetDefaults();
    AddItems(3, 10);
    ASSERT_TRUE(PublishInto(fresh.Folder()).ok) << c.name;
    // The second publish is larger: its scripts and project pass the limit.
    AddItems(400, 300);
    if (!c.breakIt(fresh.Folder())) {
      std::cout << "skipped: " << c.name << " (running as root)\n";
      continue;
    }
    const auto before = Snapshot(fresh.Folder());
    const std::function<void()> noLimit = [] {};
    const int code =
        PublishInChild(c.inChild ? c.inChild : noLimit, [this, &fresh] { return PublishInto(fresh.Folder()).ok; });
    EXPECT_EQ(code, 3) << c.name;
    EXPECT_EQ(Snapshot(fresh.Folder()), before) << c.name;
  }
}

// Temporary files of an ended process are litter of a crash: the next
// publish removes them, and only them.
TEST_F(PublishSafety, LeftoversOfEndedProcessesAreRemoved) {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const std::string gone = std::to_string(ended);
  const std::string own = std::to_string(::getpid());
  const std::vector<std::string> removed = {".news.html.tmp" + gone + "-123", ".other.jslr.tmp" + gone + "-9"};
  const std::vector<std::string> kept = {
      ".news.jslr.tmp" + own + "-5",  // this process's own
      ".x.tmp1-5",                    // a running process's
      ".news.html.tmp123456",         // not this pattern
      "news.html.tmp" + gone + "-1",  // not hidden
      ".x.tmp" + gone + "-12a",       // not digits
  };
  for (const auto* list : {&removed, &kept})
    for (const std::string& name : *list) ASSERT_TRUE(WriteFileAtomically(site.Folder() + name, "x"));
  ASSERT_TRUE(Publish().ok);
  for (const std::string& name : removed) EXPECT_FALSE(FileExists(site.Folder() + name)) << name;
  for (const std::string& name : kept) EXPECT_TRUE(FileExists(site.Folder() + name)) << name;
}

// In a folder shared by a group, a replaced file keeps its owner (where the
// user may give it: root), its group and its mode, so the others can still
// write it.
TEST_F(PublishSafety, ReplacedFilesKeepOwnerGroupAndMode) {
  uid_t owner = ::geteuid();
  gid_t group = ::getegid();
  if (::geteuid() == 0) {
    owner = 12345;  // any other user will do for root
    group = 12346;
  } else {
    std::vector<gid_t> groups(static_cast<size_t>(::getgroups(0, nullptr)));
    groups.resize(static_cast<size_t>(::getgroups(static_cast<int>(groups.size()), groups.data())));
    auto other = std::find_if(groups.begin(), groups.end(), [](gid_t g) { return g != ::getegid(); });
    if (other == groups.end()) GTEST_SKIP() << "needs root or a second group of this user to hand a file to";
    group = *other;
  }
  AddItems(2, 10);
  ASSERT_TRUE(Publish().ok);
  const std::vector<std::string> names = {"news.html", "news.jslr", "news_PublishReport.txt", kRuntimeScriptName,
                                          kConfigScriptName};
  for (const std::string& name : names) {
    const std::string path = site.Folder() + name;
    ASSERT_EQ(::chown(path.c_str(), owner, group), 0) << name;
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0) << name;
  }
  AddItems(1, 10);
  ASSERT_TRUE(Publish().ok);
  for (const std::string& name : names) {
    struct stat st {};
    ASSERT_EQ(::stat((site.Folder() + name).c_str(), &st), 0) << name;
    EXPECT_EQ(st.st_uid, owner) << name;
    EXPECT_EQ(st.st_gid, group) << name;
    EXPECT_EQ(st.st_mode & 07777, 0664u) << name;
  }
}

// The lock: taken again by its own process at no cost, refused with the
// message while another process holds it, free again once that one ends.
TEST_F(PublishSafety, TheFolderLockIsOneProcessAtATime) {
  const std::string folder = site.Folder();
  int ready[2];
  int done[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(done), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    TFolderLock lock;
    const bool ok = static_cast<bool>(lock.Acquire(folder));
    char c = ok ? '1' : '0';
    (void)!::write(ready[1], &c, 1);
    (void)!::read(done[0], &c, 1);
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, '1');
  EXPECT_TRUE(FolderLockedElsewhere(folder));
  TFolderLock mine;
  const TResult refused = mine.Acquire(folder, 200);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.message, folder.substr(0, folder.size() - 1) + " is being published by another program");
  (void)!::write(done[1], "x", 1);
  ::waitpid(holder, nullptr, 0);
  ASSERT_TRUE(mine.Acquire(folder, 2000));
  TFolderLock nested;
  EXPECT_TRUE(nested.Acquire(folder, 0)) << "a lock of this process is taken again";
  EXPECT_TRUE(Publish().ok) << "a publish under the caller's own lock";
  for (int fd : {ready[0], ready[1], done[0], done[1]}) ::close(fd);
}

}  // namespace

#endif  // _WIN32
