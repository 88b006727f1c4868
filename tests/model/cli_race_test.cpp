// Two lumeroll-cli processes on one folder at the same moment. The first
// one is held after its check by a test-only pause, so the race is certain:
// without the folder lock the second would pass the same check and both
// would write.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "model/file_io.h"
#include "model_test_support.h"
#include "support/run_program.h"

namespace {

// A lumeroll-cli started in the background, with extra environment.
class TBackgroundCli {
 public:
  TBackgroundCli(const TTempFolder& folder, const std::string& tag, std::vector<std::string> args,
                 const std::vector<std::string>& extraEnvironment = {})
      : out_(folder.File("." + tag + ".out")), err_(folder.File("." + tag + ".err")) {
    args.insert(args.begin(), LUMEROLL_CLI);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env(extraEnvironment);
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~TBackgroundCli() { Wait(); }

  TRun Wait() {
    if (pid_ > 0) {
      int status = 0;
      if (::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status)) run_.status = WEXITSTATUS(status);
      pid_ = -1;
      run_.out = ReadAll(out_);
      run_.err = ReadAll(err_);
    }
    return run_;
  }

 private:
  std::string out_, err_;
  pid_t pid_ = -1;
  TRun run_;
};

// Until the process holding the pause has the folder's lock.
bool WaitForLockElsewhere(const std::string& folder) {
  for (int i = 0; i < 500; ++i) {
    if (FolderLockedElsewhere(folder)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

std::string ProjectWithCaptions(const std::vector<std::string>& captions) {
  std::string project = GoldenFile("empty_project.jslr");
  std::string items;
  for (const std::string& caption : captions) items += caption + "#$@#$@#$@text#$@0#$@\r\n";
  project.insert(project.find("</Item_Parameters>"), items);
  return project;
}

TRun RunCli(const TTempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(), LUMEROLL_CLI);
  return RunProgram(folder, std::move(args));
}

const char* const kPause = "LUMEROLL_TEST_PAUSE_AFTER_CHECK_MS=300";

// The second publish waits for the first and then sees its page, so the
// check for a shared script refuses it; the first one's files stay whole.
TEST(CliRace, SecondPublishWaitsAndSeesTheFirstOnesPage) {
  for (int round = 0; round < 8; ++round) {
    TTempFolder folder;
    const std::string site = folder.File("site");
    ASSERT_TRUE(CreateFolder(site));
    WriteAll(site + "/alpha.jslr", ProjectWithCaptions({"alpha one", "alpha two"}));
    WriteAll(site + "/beta.jslr", ProjectWithCaptions({"beta one"}));
    TBackgroundCli alpha(folder, "alpha", {"publish", site + "/alpha.jslr"}, {kPause});
    ASSERT_TRUE(WaitForLockElsewhere(site + "/")) << round;
    const TRun beta = RunCli(folder, {"publish", site + "/beta.jslr"});
    const TRun first = alpha.Wait();
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(beta.status, 1) << round << ": " << beta.err;
    EXPECT_NE(beta.err.find("already holds the published box of \"alpha.jslr\""), std::string::npos) << beta.err;
    EXPECT_FALSE(FileExists(site + "/beta.html")) << round;
    const std::string script = ReadAll(site + "/orvantalumeroll_news1_cfg.js");
    EXPECT_NE(script.find("alpha two"), std::string::npos) << round;
    EXPECT_EQ(script.find("beta one"), std::string::npos) << round;
  }
}

// Held longer than a second program waits (five seconds), the lock turns
// the second one away with a message; this test takes about six seconds.
TEST(CliRace, ASecondPublishGivesUpAfterAFewSeconds) {
  TTempFolder folder;
  const std::string site = folder.File("site");
  ASSERT_TRUE(CreateFolder(site));
  WriteAll(site + "/alpha.jslr", ProjectWithCaptions({"alpha"}));
  WriteAll(site + "/beta.jslr", ProjectWithCaptions({"beta"}));
  TBackgroundCli alpha(folder, "alpha", {"publish", site + "/alpha.jslr"},
                       {"LUMEROLL_TEST_PAUSE_AFTER_CHECK_MS=6500"});
  ASSERT_TRUE(WaitForLockElsewhere(site + "/"));
  const TRun beta = RunCli(folder, {"publish", "--force", site + "/beta.jslr"});
  EXPECT_EQ(beta.status, 1);
  EXPECT_EQ(beta.err, "lumeroll-cli: " + site + " is being published by another program\n");
  EXPECT_EQ(alpha.Wait().status, 0);
  EXPECT_FALSE(FileExists(site + "/beta.html"));
}

// A feed that arrives while the project is being published is written after
// the publish, onto the project as the publish left it: neither loses the
// other's result.
TEST(CliRace, FeedDuringAPublishKeepsItsItems) {
  TTempFolder folder;
  if (RunCli(folder, {"feed", "--help"}).status != 0) GTEST_SKIP() << "lumeroll-cli was built without feed";
  const std::string feed = folder.File("feed.xml");
  WriteAll(feed,
           "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>t</title>"
           "<item><title>From the feed</title><link>https://example.com/a</link><description>d</description></item>"
           "</channel></rss>");
  for (int round = 0; round < 5; ++round) {
    const std::string site = folder.File("site" + std::to_string(round));
    ASSERT_TRUE(CreateFolder(site));
    const std::string project = site + "/news.jslr";
    WriteAll(project, ProjectWithCaptions({"old item"}));
    TBackgroundCli publish(folder, "publish", {"publish", project}, {kPause});
    ASSERT_TRUE(WaitForLockElsewhere(site + "/"));
    const TRun fed = RunCli(folder, {"feed", feed, project});
    EXPECT_EQ(publish.Wait().status, 0);
    EXPECT_EQ(fed.status, 0) << fed.err;
    const TRun outline = RunCli(folder, {"outline", project});
    EXPECT_EQ(outline.out, "JavaScript Lumeroll\n  From the feed\n") << round;
    EXPECT_NE(ReadAll(site + "/orvantalumeroll_news1_cfg.js").find("old item"), std::string::npos) << round;
  }
}

}  // namespace

#endif  // _WIN32
