// What one program publishes or previews is what it generated, whatever
// another program does in the same working folder at the same time.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>

#include "model/applet_agent.h"
#include "output/generator.h"
#include "output/make_html.h"
#include "output/preview.h"
#include "output/publish.h"
#include "support/temp_folder.h"
#include "test_support.h"

namespace {

std::string Expected(const TkvdAppletAgent& agent) {
  return GenerateCode(agent.AppletData(), agent.Items(), agent.ScriptFiles).script;
}

void AddItems(TkvdAppletAgent& agent, const std::string& prefix, int count, size_t contentSize = 10) {
  for (int i = 0; i < count; ++i) {
    TItemData item = Item(prefix + std::to_string(i), std::string(contentSize, 'c') + "'\\\r\n");
    item.ILevel = "0";
    agent.InsertItem(agent.ItemCount(), item);
  }
}

class PublishApart : public testing::Test {
 protected:
  void SetUp() override {
    folders.resource = resources.Folder();
    folders.working = working.Folder();
    ASSERT_TRUE(WriteFileAtomically(folders.resource + kRuntimeScriptName, "/* runtime */\n"));
  }
  TTempFolder resources, working, project;
  AppFolders folders;
};

// The script goes to the disk in pieces; the pieces must join into exactly
// what the generator makes of the whole project.
TEST_F(PublishApart, TheScriptWrittenInPiecesIsTheGeneratedScript) {
  for (const int count : {0, 1, 255, 256, 257, 9000}) {
    TkvdAppletAgent agent;
    agent.SetDefaults();
    AddItems(agent, "n", count, 200);
    const TPublishResult r = SaveAndPublish(agent, folders, project.Folder(), "news.jslr",
                                            std::vector<int>(static_cast<size_t>(count), 0));
    ASSERT_TRUE(r.ok) << r.message;
    const std::string expected = Expected(agent);
    EXPECT_EQ(ReadOrEmpty(project.Folder() + kConfigScriptName), expected) << count;
    EXPECT_EQ(ReadOrEmpty(ConfigScriptPath(folders)), expected) << count;
  }
}

// Two programs with one working folder (two editors of one installation)
// save their own projects into their own folders, over and over. Before,
// the published script was copied from the working folder and often was
// the other program's.
TEST_F(PublishApart, TwoProcessesSharingAWorkingFolderEachPublishTheirOwnItems) {
#ifdef _WIN32
  GTEST_SKIP() << "the second program is a fork() of this one, which Windows has not";
#else
  constexpr int kRounds = 200;
  TTempFolder otherProject;
  auto run = [&](const std::string& prefix, const std::string& folder) {
    TkvdAppletAgent agent;
    agent.SetDefaults();
    AddItems(agent, prefix, 50, 400);
    const std::string expected = Expected(agent);
    const std::vector<int> levels(50, 0);
    int wrong = 0;
    for (int round = 0; round < kRounds; ++round) {
      const TPublishResult r = SaveAndPublish(agent, folders, folder, prefix + ".jslr", levels);
      if (!r.ok || !r.failedCopies.empty() || ReadOrEmpty(folder + kConfigScriptName) != expected) ++wrong;
    }
    return wrong;
  };
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) ::_exit(std::min(run("B", otherProject.Folder()), 100));
  const int wrongHere = run("A", project.Folder());
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(wrongHere, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

void Preview(TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders) {
  std::string page, path;
  ASSERT_TRUE(MakeHtmlCodesForView(agent, folders, page));
  ASSERT_TRUE(CopyScriptsToPreview(agent, preview, folders));
  ASSERT_TRUE(WriteToPreview(preview, folders, kPreviewPageName, page, path));
}

TEST_F(PublishApart, TwoEditorsKeepTheirPreviewsApart) {
  AppFolders first = folders, second = folders;
  first.preview = "preview/101/";
  second.preview = "preview/202/";
  TkvdAppletAgent a, b;
  a.SetDefaults();
  b.SetDefaults();
  AddItems(a, "A", 3);
  AddItems(b, "B", 4);
  TPreviewFiles previewA, previewB;
  Preview(a, previewA, first);
  Preview(b, previewB, second);
  // The working folder's script is the later one's now; each preview still
  // shows its own editor's items.
  EXPECT_EQ(ReadOrEmpty(first.PreviewFolder() + kConfigScriptName), Expected(a));
  EXPECT_EQ(ReadOrEmpty(second.PreviewFolder() + kConfigScriptName), Expected(b));

  ClearPreview(previewA, first);
  EXPECT_FALSE(FolderExists(first.PreviewFolder()));
  for (const char* name : {kRuntimeScriptName, kConfigScriptName, kPreviewPageName})
    EXPECT_TRUE(FileExists(second.PreviewFolder() + name)) << name;
  ClearPreview(previewB, second);
  EXPECT_FALSE(FolderExists(folders.working + "preview"));
}

TEST_F(PublishApart, OtherProjectsWhosePageUsesTheSameScript) {
  const std::string ours = "<script language=\"javascript\" src=\"orvantalumeroll_news1_cfg.js\"></script>\r\n";
  struct TCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // name, content
    std::vector<std::string> expected;
  };
  const TCase cases[] = {
      {"another project's page", {{"other.jslr", "p"}, {"other.html", ours}}, {"other.jslr"}},
      {"our own page", {{"news.jslr", "p"}, {"news.html", ours}}, {}},
      {"a page of something else", {{"other.jslr", "p"}, {"other.html", "<p>hello</p>"}}, {}},
      {"a project never published", {{"other.jslr", "p"}}, {}},
      {"a page without its project", {{"other.html", ours}}, {}},
      {"capital extension", {{"Other.JSLR", "p"}, {"Other.html", ours}}, {"Other.JSLR"}},
      {"two of them", {{"b.jslr", "p"}, {"b.html", ours}, {"a.jslr", "p"}, {"a.html", ours}}, {"a.jslr", "b.jslr"}},
  };
  for (const TCase& c : cases) {
    TTempFolder folder;
    for (const auto& [name, content] : c.files) ASSERT_TRUE(WriteFileAtomically(folder.Folder() + name, content));
    EXPECT_EQ(ProjectsSharingTheScript(folder.Folder(), "news.jslr"), c.expected) << c.what;
  }
  EXPECT_EQ(SharedScriptQuestion("X.jslr"),
            "The folder already holds the published box of \"X.jslr\". Both use orvantalumeroll_news1_cfg.js, so "
            "X.html will show this project's items. Save anyway?");
}

// Every copy that fails is named, also when the publish stops.
TEST_F(PublishApart, EveryFailedScriptCopyIsNamed) {
  TkvdAppletAgent agent;
  agent.SetDefaults();
  AddItems(agent, "n", 2);
  AppFolders broken = folders;
  broken.working = working.Folder() + "gone/";
  for (const char* name : {kRuntimeScriptName, kConfigScriptName})
    std::filesystem::create_directory(project.Folder() + name);
  const TPublishResult r = SaveAndPublish(agent, broken, project.Folder(), "news.jslr", {0, 0});
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(broken.working), std::string::npos) << r.message;
  ASSERT_EQ(r.failedCopies.size(), 2u);
  EXPECT_EQ(r.failedCopies[0].name, kRuntimeScriptName);
  EXPECT_EQ(r.failedCopies[1].name, kConfigScriptName);
  EXPECT_FALSE(FileExists(project.Folder() + "news.jslr"));
}

}  // namespace
