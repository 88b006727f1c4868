#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>

#include "model/applet_agent.h"
#include "model/tree_math.h"
#include "output/make_html.h"
#include "output/preview.h"
#include "output/publish.h"
#include "../system_error_texts.h"
#include "support/temp_folder.h"
#include "test_support.h"

namespace {

const char* const kRuntimeText = "/* runtime */\n";

// A resource folder holding the runtime script and a separate working
// folder, as in the installed layout.
class OutputFolders : public testing::Test {
 protected:
  void SetUp() override {
    folders.resource = resources.Folder();
    folders.working = working.Folder();
    ASSERT_TRUE(WriteFileAtomically(folders.resource + kRuntimeScriptName, kRuntimeText));
    agent.SetDefaults();
    agent.SetProgress(&progress);
  }
  // Items whose levels only the tree's levels given to a writer set right.
  void AddItems(int count) {
    for (int i = 0; i < count; ++i) {
      TItemData item = Item("Item " + std::to_string(i), "text<br />");
      item.ILevel = "9";
      agent.InsertItem(agent.ItemCount(), item);
    }
  }

  TTempFolder resources, working, project;
  AppFolders folders;
  TkvdAppletAgent agent;
  TPreviewFiles preview;
  TRecordingProgress progress;
};

TEST(PublishBaseName, RemovesEveryOccurrenceOfTheExtension) {
  struct Case {
    const char* fileName;
    const char* base;
  } cases[] = {
      {"news.jslr", "news"}, {"news.txt", "news"},    {"news", "news"},      {"a.jslr.jslr", "a"},
      {"Notes.JSLR", "Notes"}, {"my.news.jslr", "my.news"}, {"a.JSLR.jslr", "a"}, {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PublishBaseName(c.fileName), c.base) << c.fileName;
}

TEST_F(OutputFolders, MakeHtmlCodesWritesScriptAndPageAndLeavesTheProjectAsItWas) {
  AddItems(3);
  const TItemArray before = agent.Items();
  const std::string page = project.Folder() + "page.html";
  ASSERT_TRUE(MakeHtmlCodes(agent, folders, page));
  EXPECT_EQ(ReadOrEmpty(page), Golden("page.html"));
  const std::string script = ReadOrEmpty(ConfigScriptPath(folders));
  EXPECT_EQ(script.substr(0, 31), "jslumeroll1=new awkmanbSPM();\r\n");
  EXPECT_EQ(agent.Items(), before);
  EXPECT_EQ(progress.hints, std::vector<std::string>{"Making HTML Codes ... ..."});
  EXPECT_FALSE(progress.busy);
}

TEST_F(OutputFolders, ConversionErrorWritesNeitherFile) {
  AddItems(1);
  TAppletData a = agent.AppletData();
  a.pCursor = "hand";
  agent.SetAppletData(a);
  const std::string page = project.Folder() + "page.html";
  const TResult r = MakeHtmlCodes(agent, folders, page);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.message, "'hand' is not a valid integer value");
  EXPECT_FALSE(FileExists(page));
  EXPECT_FALSE(FileExists(ConfigScriptPath(folders)));
  EXPECT_FALSE(progress.busy);
}

TEST_F(OutputFolders, CodeViewGetsThePageWithoutAFile) {
  std::string page;
  ASSERT_TRUE(MakeHtmlCodesForView(agent, folders, page));
  EXPECT_EQ(page, Golden("page.html"));
  EXPECT_EQ(ReadOrEmpty(ConfigScriptPath(folders)), Golden("empty.js"));
}

TEST_F(OutputFolders, SaveAndPublishLeavesTheFiveFiles) {
  AddItems(2);
  for (const char* fileName : {"news.jslr", "news.txt", "news"}) {
    const TPublishResult r = SaveAndPublish(agent, folders, project.Folder(), fileName, {0, 1});
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(r.failedCopies.empty());
  }
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(project.Path()))
    if (Utf8Path(e.path().filename()) != kFolderLockFileName) names.push_back(Utf8Path(e.path().filename()));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"news.html", "news.jslr", "news_PublishReport.txt", "orvantalumeroll.js",
                                             "orvantalumeroll_news1_cfg.js"}));
  EXPECT_EQ(ReadOrEmpty(project.Folder() + "orvantalumeroll.js"), kRuntimeText);
  EXPECT_EQ(ReadOrEmpty(project.Folder() + "orvantalumeroll_news1_cfg.js"), ReadOrEmpty(ConfigScriptPath(folders)));
  EXPECT_EQ(ReadOrEmpty(project.Folder() + "news.html"), Golden("page.html"));
  EXPECT_EQ(ReadOrEmpty(project.Folder() + "news_PublishReport.txt"), Golden("publish_report.txt"));

  // The saved project loads back with the tree it was published with; the
  // project in memory keeps its own level texts.
  TkvdAppletAgent loaded;
  std::vector<int> parents;
  ASSERT_TRUE(loaded.LoadProject(project.Folder() + "news.jslr", parents));
  EXPECT_EQ(tree_math::LevelsFromParents(parents), (std::vector<int>{0, 1}));
  ASSERT_EQ(loaded.ItemCount(), 2);
  for (int k = 0; k < 2; ++k) {
    TItemData expected = agent.Items()[static_cast<size_t>(k)];
    EXPECT_EQ(expected.ILevel, "9");
    expected.ILevel = std::to_string(k);
    EXPECT_EQ(loaded.Items()[static_cast<size_t>(k)], expected);
  }

  EXPECT_EQ(progress.hints.back(), "Copying Publishable Files ... ...");
  EXPECT_EQ(progress.totals.back(), 100);
  EXPECT_FALSE(progress.busy);
}

TEST_F(OutputFolders, MissingRuntimeScriptIsReportedAndTheRestIsWritten) {
  DeleteFileIfExists(folders.resource + kRuntimeScriptName);
  const TPublishResult r = SaveAndPublish(agent, folders, project.Folder(), "news.jslr", {});
  EXPECT_TRUE(r.ok);
  ASSERT_EQ(r.failedCopies.size(), 1u);
  EXPECT_EQ(r.failedCopies[0].name, kRuntimeScriptName);
  EXPECT_NE(r.failedCopies[0].message.find(MissingFileText()), std::string::npos) << r.failedCopies[0].message;
  for (const char* name : {"news.html", "orvantalumeroll_news1_cfg.js", "news.jslr", "news_PublishReport.txt"})
    EXPECT_TRUE(FileExists(project.Folder() + name)) << name;
}

TEST_F(OutputFolders, UnwritableProjectFolderStopsAtThePage) {
  const std::string missing = project.Folder() + "no/such/folder/";
  const TPublishResult r = SaveAndPublish(agent, folders, missing, "news.jslr", {});
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("news.html"), std::string::npos) << r.message;
  EXPECT_FALSE(progress.busy);
}

TEST_F(OutputFolders, PublishReportHasSeventeenLinesAndItsProgress) {
  ASSERT_TRUE(MakePublishReport(agent, project.Folder(), "r.txt"));
  const std::string text = ReadOrEmpty(project.Folder() + "r.txt");
  EXPECT_EQ(text, Golden("publish_report.txt"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
  EXPECT_EQ(progress.maxima.back(), 101);
  EXPECT_EQ(progress.totals.back(), 102);
}

TEST_F(OutputFolders, PublishCommandReportGoesIntoThePreviewFolder) {
  std::string path;
  ASSERT_TRUE(MakePublishReportInPreview(agent, preview, folders, path));
  EXPECT_EQ(path, folders.PreviewFolder() + "PublishReport.txt");
  EXPECT_EQ(ReadOrEmpty(path), Golden("publish_report.txt"));
  EXPECT_EQ(preview.names, TStringArray{"PublishReport.txt"});
  EXPECT_TRUE(std::filesystem::is_empty(project.Path()));
}

// One preview as the editor runs it: generate, both scripts, the page.
void Preview(TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders) {
  std::string page, path;
  ASSERT_TRUE(MakeHtmlCodesForView(agent, folders, page));
  ASSERT_TRUE(CopyScriptsToPreview(agent, preview, folders));
  ShowResourceProgress(agent);
  ASSERT_TRUE(WriteToPreview(preview, folders, kPreviewPageName, page, path));
}

TEST_F(OutputFolders, TwoPreviewsRecordEachNameTwiceAndClearRemovesAll) {
  Preview(agent, preview, folders);
  Preview(agent, preview, folders);
  const TStringArray once = {kRuntimeScriptName, kConfigScriptName, kPreviewPageName};
  TStringArray twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(preview.names, twice);
  for (const std::string& name : once) EXPECT_TRUE(FileExists(folders.PreviewFolder() + name)) << name;
  EXPECT_EQ(ReadOrEmpty(folders.PreviewFolder() + kRuntimeScriptName), kRuntimeText);

  ClearPreview(preview, folders);
  EXPECT_TRUE(preview.names.empty());
  EXPECT_FALSE(FolderExists(folders.PreviewFolder()));
}

TEST_F(OutputFolders, ClearPreviewLeavesAStrangersFileAndItsFolder) {
  Preview(agent, preview, folders);
  ASSERT_TRUE(WriteFileAtomically(folders.PreviewFolder() + "mine.txt", "keep"));
  ClearPreview(preview, folders);
  EXPECT_TRUE(preview.names.empty());
  EXPECT_EQ(ReadOrEmpty(folders.PreviewFolder() + "mine.txt"), "keep");
  EXPECT_FALSE(FileExists(folders.PreviewFolder() + kPreviewPageName));
  ClearPreview(preview, folders);  // nothing recorded, folder not empty: quietly nothing
  EXPECT_TRUE(FolderExists(folders.PreviewFolder()));
}

TEST_F(OutputFolders, FailedPreviewCopyIsRecordedAndReported) {
  const TResult r = CopyToPreview(preview, folders, folders.resource + "absent.js");
  EXPECT_FALSE(r);
  EXPECT_EQ(preview.names, TStringArray{"absent.js"});
  ClearPreview(preview, folders);
  EXPECT_FALSE(FolderExists(folders.PreviewFolder()));
}

TEST_F(OutputFolders, ShowResourceProgressRunsTheBarToTheEnd) {
  ShowResourceProgress(agent);
  EXPECT_EQ(progress.hints, std::vector<std::string>{"Copying Resource Files ... ..."});
  EXPECT_EQ(progress.maxima.back(), 100);
  EXPECT_EQ(progress.totals.back(), 100);
  EXPECT_FALSE(progress.busy);
}

}  // namespace
