// Feeds in the shapes real publishers write them, read into items; and
// every way a source can fail to be a feed.

#include <gtest/gtest.h>

#include "feed/feed_import.h"
#include "feed/feed_items.h"
#include "feed/feed_reader.h"
#include "feed_test_support.h"

namespace {

struct TExpectedItem {
  std::string caption, link, content;
};

struct TFeedCase {
  std::string file;
  std::string address;  // where the feed is taken to come from
  std::vector<TExpectedItem> items;
};

TItemArray ItemsOf(const std::string& file, const std::string& address) {
  TFeed feed;
  const TResult r = ReadFeed(ReadAll(FeedFile(file)), address, feed);
  EXPECT_TRUE(r.ok) << file << ": " << r.message;
  return ItemsFromFeed(feed, 10);
}

TEST(FeedReader, PublishersShapesBecomeItems) {
  const std::vector<TFeedCase> cases = {
      {"wordpress_rss.xml",
       "",
       {{"Winter menu: spiced pear & almond tart", "https://bakery.example.com/2026/12/07/winter-menu/",
         "Our winter menu starts today – with a spiced pear & almond tart, three new breads and hot "
         "chocolate made the way Grandma did. The post Winter menu: spiced pear…<br />"},
        // An empty description gives way to content:encoded, whose script is dropped.
        {"Closed on the 24th", "https://bakery.example.com/2026/12/01/closed/", "We close at noon on the 24th.<br />"},
        {"Bread classes", "https://bakery.example.com/2026/11/20/classes/?utm_source=rss&amp;utm_medium=rss",
         "Saturday bread classes are back.<br />"}}},
      {"blogger_atom.xml",
       "https://www.blogger.com/feeds/1234567890/posts/default",
       {{"Snow on the ridge &lt;finally&gt;", "https://trailnotes.example.org/2026/12/snow-on-ridge.html",
         "First snow above 1500 m. The path to the hut is open, bring spikes.<br />"},
        // The entry's own relative xml:base on top of the feed's.
        {"Autumn loop", "https://trailnotes.example.org/2026/11/autumn-loop.html",
         "Six hours, two lakes, one very muddy descent.<br />"},
        // No title: the first words of the text; a link without rel.
        {"A photo post without a title, which Blogger allows and…",
         "https://trailnotes.example.org/2026/11/photo.html",
         "A photo post without a title, which Blogger allows and readers show by its first words.<br />"}}},
      {"github_releases.atom",
       "https://github.com/example/widget/releases.atom",
       {{"v2.4.0", "https://github.com/example/widget/releases/tag/v2.4.0",
         "What's Changed Faster start-up by @alice in #88 Fix the --quiet flag Full Changelog: "
         "v2.3.1...v2.4.0<br />"},
        {"v2.3.1", "https://github.com/example/widget/releases/tag/v2.3.1", "No content.<br />"}}},
      {"latin1_rss.xml",
       "",
       {{"Kürbis und Kohl à la carte", "http://markt.example.de/news/k%C3%BCrbis.html",
         "Frisch vom Feld: Kürbis, Kohl und Äpfel für 2,50 ¤.<br />"}}},
      {"rss1.rdf",
       "",
       {{"A comet's return, 80,000 years later", "https://science.example.net/a/comet",
         "Astronomers confirmed the orbit today.<br />"},
        {"Bees count to four", "https://science.example.net/a/bees",
         "A new study shows bees tell three dots from four.<br />"}}},
      {"feed.json",
       "https://log.example.com/feed.json",
       {{"New antenna “up” on the roof", "https://log.example.com/2026/12/antenna",
         "It took two days & one crane.<br />"},
        {"Storm report", "https://log.example.com/2026/11/storm", "Wind peaked at 140 km/h.<br />"},
        {"A link post with no title at all, only a…", "https://elsewhere.example.org/nice-article",
         "A link post with no title at all, only a few words of text from the author about it.<br />"}}},
      // Read from a file, a relative link stays relative.
      {"feed.json", "", {{}, {"Storm report", "/2026/11/storm", "Wind peaked at 140 km/h.<br />"}, {}}},
      {"hostile_rss.xml",
       "",
       {{"Quarterly results", "", "Profits rose 4%.<br />"},
        {"Tag soup: and a \"quote\" & more here", "", "Text after svg<br />"},
        {"Data link", "", "Plain<br />"},
        {"Attribute breakout",
         "https://normal.example.com/"
         "a%22%20onmouseover=%22document.body.setAttribute('data-pwned','attr')%22%20x=%22",
         "Hover me<br />"},
        {"Entity-coded scheme", "&amp;#106;avascript:document.body.setAttribute('data-pwned','entity')",
         "Quote ' and backslash \\ stay text<br />"}}},
  };
  for (const TFeedCase& c : cases) {
    SCOPED_TRACE(c.file + " from '" + c.address + "'");
    const TItemArray items = ItemsOf(c.file, c.address);
    ASSERT_EQ(items.size(), c.items.size());
    for (size_t k = 0; k < c.items.size(); ++k) {
      if (c.items[k].caption.empty()) continue;
      SCOPED_TRACE("item " + std::to_string(k));
      EXPECT_EQ(items[k].ICaption, c.items[k].caption);
      EXPECT_EQ(items[k].ILink, c.items[k].link);
      EXPECT_EQ(items[k].IContent, c.items[k].content);
      EXPECT_EQ(items[k].ITarget, "_self");
      EXPECT_EQ(items[k].ILevel, "0");
      EXPECT_EQ(items[k].IReserved, "");
    }
  }
}

TEST(FeedReader, NoStoredValueHoldsMarkupControlsOrTheSeparator) {
  for (const char* file : {"wordpress_rss.xml", "blogger_atom.xml", "github_releases.atom", "latin1_rss.xml",
                           "rss1.rdf", "feed.json", "hostile_rss.xml"}) {
    for (const TItemData& item : ItemsOf(file, "")) {
      for (int f = 0; f < TItemData::FieldCount; ++f) {
        std::string value = item.Field(f);
        if (f == 3 && value.size() >= 6) value.erase(value.size() - 6);  // the content's own closing "<br />"
        SCOPED_TRACE(std::string(file) + ": " + value);
        EXPECT_TRUE(IsStoredText(value));
      }
    }
  }
}

TEST(FeedReader, BlankLinesBeforeTheDeclarationAreSkipped) {
  for (const std::string lead : {"\n\n", "\xEF\xBB\xBF", "\xEF\xBB\xBF \r\n"}) {
    TFeed feed;
    const TResult r = ReadFeed(lead + ReadAll(FeedFile("rss1.rdf")), "", feed);
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(feed.entries.size(), 2u);
  }
}

TEST(FeedReader, MaxTakesTheFirstEntriesInTheFeedsOrder) {
  TFeed feed;
  ASSERT_TRUE(ReadFeed(ReadAll(FeedFile("wordpress_rss.xml")), "", feed).ok);
  const TItemArray two = ItemsFromFeed(feed, 2);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].ICaption, "Winter menu: spiced pear & almond tart");
  EXPECT_EQ(two[1].ICaption, "Closed on the 24th");
}

TEST(FeedReader, WhatIsNotAFeedIsRefusedWithAMessage) {
  const std::string wordpress = ReadAll(FeedFile("wordpress_rss.xml"));
  const struct {
    std::string name, bytes, message;
  } cases[] = {
      {"not well-formed", ReadAll(FeedFile("not_well_formed.xml")), "not well-formed XML"},
      {"truncated", wordpress.substr(0, wordpress.size() / 2), "not well-formed XML"},
      {"declares UTF-8, holds Latin-1", ReadAll(FeedFile("wrong_encoding.xml")), "not well-formed XML"},
      {"empty", "", "the feed is empty"},
      {"blanks only", " \r\n\t ", "the feed is empty"},
      {"HTML page", ReadAll(FeedFile("html_page.html")), "web page (HTML)"},
      {"XHTML page", "<?xml version=\"1.0\"?>\n<!-- x --><html xmlns=\"http://www.w3.org/1999/xhtml\"/>",
       "web page (HTML)"},
      {"entity expansion bomb", ReadAll(FeedFile("entities.xml")), "entit"},
      {"own entities", "<!DOCTYPE rss [<!ENTITY x \"y\">]><rss version=\"2.0\"><channel><item><title>&x;</title>"
                       "</item></channel></rss>", "declares entities"},
      {"other XML", "<?xml version=\"1.0\"?><sitemap/>", "root element is <sitemap>"},
      {"RSS without channel", "<rss version=\"2.0\"/>", "no channel"},
      {"JSON, not a feed", "{\"a\": 1}", "not a JSON Feed"},
      {"broken JSON", "{\"version\": \"https://jsonfeed.org/version/1.1\", \"items\": [", "not well-formed JSON"},
      {"JSON Feed without items", "{\"version\": \"https://jsonfeed.org/version/1\"}", "no list of items"},
      {"plain text", "hello world", "not a feed"},
      {"binary noise", std::string("\x00\x01\xFE\xFF<rss>\x1A", 9), "not a feed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFeed feed;
    feed.entries.push_back({"kept", "", ""});
    const TResult r = ReadFeed(c.bytes, "", feed);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
    ASSERT_EQ(feed.entries.size(), 1u);  // nothing changed on failure
  }
}

TEST(FeedImport, FilesGiveItemsOrAMessageNamingTheSource) {
  TItemArray items = {DefaultItemData()};
  ASSERT_TRUE(ReadFeedItems(FeedFile("rss1.rdf"), 10, {}, items).ok);
  EXPECT_EQ(items.size(), 2u);

  const struct {
    std::string source, message;
  } failures[] = {
      {FeedFile("no_entries.xml"), "the RSS 2.0 feed has no entries"},
      {FeedFile("empty.xml"), "the feed is empty"},
      {FeedFile("not_there.xml"), "cannot open"},
      {"ftp://example.com/feed.xml", "only http and https addresses and files"},
      {"javascript:alert(1)", "only http and https addresses and files"},
      {"data:text/xml,<rss/>", "only http and https addresses and files"},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.source);
    TItemArray kept = {DefaultItemData()};
    const TResult r = ReadFeedItems(f.source, 10, {}, kept);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(f.message), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(f.source), std::string::npos) << r.message;
    EXPECT_EQ(kept.size(), 1u);
  }
}

TEST(FeedImport, AFileOverTheSizeLimitIsRefused) {
  TFetchLimits limits;
  limits.maxBytes = 1000;
  TItemArray items;
  const TResult r = ReadFeedItems(FeedFile("wordpress_rss.xml"), 10, limits, items);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("larger than 1000 bytes"), std::string::npos) << r.message;
  limits.maxBytes = ReadAll(FeedFile("wordpress_rss.xml")).size();
  EXPECT_TRUE(ReadFeedItems(FeedFile("wordpress_rss.xml"), 10, limits, items).ok);
}

}  // namespace
