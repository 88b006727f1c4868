// lumeroll-cli feed as a cron job runs it: the built program, its messages,
// exit codes and the project file it leaves.

#include <gtest/gtest.h>

#include "feed_test_support.h"
#include "model/applet_agent.h"

namespace {

TRun Feed(const TTempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(), {LUMEROLL_CLI, "feed"});
  return RunProgram(folder, args);
}

TkvdAppletAgent Loaded(const std::string& path) {
  TkvdAppletAgent agent;
  std::vector<int> parents;
  const TResult r = agent.LoadProject(path, parents);
  EXPECT_TRUE(r.ok) << r.message;
  return agent;
}

// A project with its own box settings and two items of its own.
std::string OwnProject(const TTempFolder& folder) {
  TkvdAppletAgent agent;
  agent.SetDefaults();
  TAppletData applet = agent.AppletData();
  applet.pWidth = "480";
  applet.pTitleColor = "AA0000";
  applet.pInternalUse_RootDir_Remote = "https://www.example.com/";
  TItemData item = DefaultItemData();
  item.ILevel = "0";
  agent.ReplaceProject(applet, {item, item}, "1.0");
  const std::string path = folder.File("own.jslr");
  EXPECT_TRUE(agent.SaveProject(path).ok);
  return path;
}

TEST(FeedCli, AMissingProjectIsCreatedWithTheDefaultBox) {
  TTempFolder folder;
  const std::string project = folder.File("news.jslr");
  const TRun run = Feed(folder, {FeedFile("rss1.rdf"), project});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "Read 2 items from " + FeedFile("rss1.rdf") + "\n");
  TkvdAppletAgent agent = Loaded(project);
  EXPECT_EQ(agent.AppletData(), DefaultAppletData());
  ASSERT_EQ(agent.ItemCount(), 2);
  EXPECT_EQ(agent.Items()[1].ICaption, "Bees count to four");
}

TEST(FeedCli, ItemsAreReplacedAndTheBoxKept) {
  TTempFolder folder;
  const std::string project = OwnProject(folder);
  const TAppletData before = Loaded(project).AppletData();
  const TRun run = Feed(folder, {FeedFile("wordpress_rss.xml"), project, "--max", "2"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "Read 2 items from " + FeedFile("wordpress_rss.xml") + "\n");
  TkvdAppletAgent agent = Loaded(project);
  EXPECT_EQ(agent.AppletData(), before);
  ASSERT_EQ(agent.ItemCount(), 2);
  EXPECT_EQ(agent.Items()[0].ICaption, "Winter menu: spiced pear & almond tart");
  EXPECT_EQ(agent.Items()[1].ICaption, "Closed on the 24th");
}

TEST(FeedCli, BadSourcesFailAndLeaveTheProjectUntouched) {
  TTempFolder folder;
  const std::string project = OwnProject(folder);
  const std::string bytes = ReadAll(project);
  const struct {
    std::string source, message;
  } cases[] = {
      {FeedFile("not_well_formed.xml"), "not well-formed XML"},
      {FeedFile("wrong_encoding.xml"), "not well-formed XML"},
      {FeedFile("empty.xml"), "the feed is empty"},
      {FeedFile("no_entries.xml"), "feed has no entries"},
      {FeedFile("html_page.html"), "web page (HTML)"},
      {FeedFile("missing.xml"), "cannot open"},
      {"ftp://127.0.0.1/feed.xml", "only http and https"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    const TRun run = Feed(folder, {c.source, project});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadAll(project), bytes);
  }
  // Nor is a project that is missing created from a bad feed.
  const TRun run = Feed(folder, {FeedFile("no_entries.xml"), folder.File("new.jslr")});
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(std::filesystem::exists(folder.File("new.jslr")));
}

TEST(FeedCli, AProjectThatCannotBeReadIsNotOverwritten) {
  TTempFolder folder;
  const std::string project = folder.File("broken.jslr");
  WriteAll(project, "not a project\r\n");
  const TRun run = Feed(folder, {FeedFile("rss1.rdf"), project});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(project), std::string::npos) << run.err;
  EXPECT_EQ(ReadAll(project), "not a project\r\n");
}

TEST(FeedCli, WrongCallsExitWithTwo) {
  TTempFolder folder;
  const std::string project = folder.File("p.jslr");
  const std::vector<std::vector<std::string>> calls = {
      {},
      {FeedFile("rss1.rdf")},
      {FeedFile("rss1.rdf"), project, "extra"},
      {FeedFile("rss1.rdf"), project, "--max"},
      {FeedFile("rss1.rdf"), project, "--max", "0"},
      {FeedFile("rss1.rdf"), project, "--max", "ten"},
  };
  for (const auto& call : calls) {
    const TRun run = Feed(folder, call);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("feed"), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(project));
}

TEST(FeedCli, AnAddressIsFetched) {
  TFeedServer server;
  ASSERT_FALSE(server.BaseUrl().empty());
  TTempFolder folder;
  const std::string project = folder.File("news.jslr");
  const std::string source = server.BaseUrl() + "/redirect/2";
  const TRun run = Feed(folder, {source, project, "--max", "1"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "Read 1 items from " + source + "\n");
  EXPECT_EQ(Loaded(project).ItemCount(), 1);
  const TRun missing = Feed(folder, {server.BaseUrl() + "/missing", project});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("404"), std::string::npos) << missing.err;
  EXPECT_EQ(Loaded(project).ItemCount(), 1);
}

}  // namespace
