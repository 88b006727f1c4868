// Feeds as their standards write them: every encoding XML and HTTP allow,
// Atom's kinds of text, the older formats and their extensions, and the
// entities of the document types feeds name. Each saved feed is read from a
// file and through the local web server with a Content-Type charset.

#include <gtest/gtest.h>

#include "feed/feed_encoding.h"
#include "feed/feed_import.h"
#include "feed/feed_items.h"
#include "feed/feed_reader.h"
#include "feed_test_support.h"

namespace {

struct TExpected {
  std::string caption, link, content;
};

struct TSavedFeed {
  std::string file;
  std::vector<TExpected> items;  // the first items the feed gives
};

void ExpectItems(const TItemArray& items, const std::vector<TExpected>& expected) {
  ASSERT_GE(items.size(), expected.size());
  for (size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE("item " + std::to_string(k));
    EXPECT_EQ(items[k].ICaption, expected[k].caption);
    EXPECT_EQ(items[k].ILink, expected[k].link);
    EXPECT_EQ(items[k].IContent, expected[k].content.empty() ? "" : expected[k].content + "<br />");
    const std::string& content = items[k].IContent;
    EXPECT_TRUE(IsStoredText(items[k].ICaption));
    EXPECT_TRUE(IsStoredText(content.substr(0, content.size() >= 6 ? content.size() - 6 : 0)));
  }
}

const std::vector<TExpected> kGruesse = {{"Grüße aus Köln", "https://koeln.example.de/gruss", ""}};
const std::vector<TExpected> kGruesseSummary = {
    {"Grüße aus Köln", "https://koeln.example.de/gruss", "Ein Gruß 😀 vom Rhein"}};
const std::vector<TExpected> kWideJson = {{"Grüße aus Köln", "https://wide.example.org/1", "JSON in UTF-16 😀"}};

// What each saved feed gives when it is read from a file, where nothing but
// its own bytes tells the encoding.
const std::vector<TSavedFeed> kSavedFeeds = {
    {"utf16le_bom.xml", kGruesseSummary},
    {"utf16be_no_bom.xml", kGruesseSummary},
    {"utf32be_bom.xml", kGruesse},
    {"utf32le_no_bom.xml", kGruesse},
    {"ebcdic_ibm037.xml", {{"Café in Zürich", "https://zuerich.example.ch/cafe", ""}}},
    {"json_utf16le.json", kWideJson},
    {"json_utf32be_bom.json", kWideJson},
    {"json_utf8_bom.json", kWideJson},
    // The mark outranks the declaration.
    {"utf8_bom_declares_latin1.xml", {{"Smørrebrød på menuen", "https://mad.example.dk/", ""}}},
    // Without HTTP, the declaration is all there is, wrong as it is.
    {"utf8_declares_latin1.xml", {{"CafÃ© crÃ¨me", "https://cafe.example.fr/menu", "CrÃªpes Ã volontÃ©"}}},
    {"atom_kinds.xml",
     {{"The bold headline", "https://atom.example.net/xhtml", "A summary in XHTML"},
      {"Only an xhtml title", "https://atom.example.net/no-summary", ""},
      {"HTML content by media type", "https://atom.example.net/html-type", "Shown without its tags"},
      // Base64 of a type no one reads shows nothing rather than its code.
      {"Binary content", "https://atom.example.net/binary", ""},
      {"XHTML content by media type", "https://atom.example.net/xhtml-type", "Inline XHTML text"},
      {"Escaped HTML title", "https://atom.example.net/plain-type", "Plain text &lt;kept&gt; as written"}}},
    {"atom03.xml",
     {{"Escaped HTML content", "https://oldblog.example.com/2026/11/escaped.html", "Fish & chips on Friday"},
      {"Base64 and more", "/2026/11/base64.html", "Decoded text: Grüße"},
      {"Inline XHTML", "https://oldblog.example.com/2026/11/xml.html", "A plain summary"},
      {"Two alternatives", "https://oldblog.example.com/2026/11/multi.html", "The second one"}}},
    {"rss090.rdf",
     {{"Ninety years of radio", "http://oldnews.example.com/radio.html", ""},
      {"The first web log", "http://oldnews.example.com/weblog.html", ""}}},
    {"rss_userland.xml",
     {{"Outliners are back", "http://scripting.example.com/2026/12/01.html", "An outline is a tree of text."}}},
    // Titles: own, dc:title, media:title. Summaries: own, content:encoded,
    // xhtml:body, dc:description, itunes:summary, itunes:subtitle,
    // media:description.
    {"rss_extensions.xml",
     {{"Title in Dublin Core", "https://pod.example.com/1", "Summary in Dublin Core"},
      {"Title in Media RSS", "https://pod.example.com/2", "Summary in Media RSS"},
      {"Episode 3", "https://pod.example.com/3", "The iTunes summary"},
      {"Episode 4", "https://pod.example.com/4", "Only a subtitle"},
      {"Episode 5", "https://pod.example.com/5", "Summary in an XHTML body"},
      {"Episode 6", "https://pod.example.com/6", "Encoded content"},
      {"Episode 7", "https://pod.example.com/7", "The description first"},
      {"Title inside media content", "https://pod.example.com/8", ""}}},
    {"rss091_doctype.xml",
     {{"Café au lait & crêpes", "http://journal.example.fr/cafe.html", "It’s “très bon” — © 2026"}}},
    {"xhtml_doctype_entities.xml", {{"Naïve résumé €9", "https://x.example.com/1", ""}}},
    {"letters_rss.xml",
     {{"Grüße aus Köln", "https://koeln.example.de/1", "Fish & Chips, AT&amp;T & R&amp;D: 3 &lt; 4"},
      {"Fish & Chips", "https://koeln.example.de/2", "Don’t miss it"}}},
};

TEST(FeedStandards, SavedFeedsReadFromFiles) {
  for (const TSavedFeed& f : kSavedFeeds) {
    SCOPED_TRACE(f.file);
    TItemArray items;
    const TResult r = ReadFeedItems(FeedFile(f.file), 10, {}, items);
    ASSERT_TRUE(r.ok) << r.message;
    ExpectItems(items, f.items);
  }
}

TEST(FeedStandards, WhatCannotBeReadIsRefusedNamingWhatWasFound) {
  const struct {
    std::string name, bytes, message;
  } cases[] = {
      {"undeclared entity", ReadAll(FeedFile("undeclared_entity.xml")), "uses the entity &secret; without declaring"},
      {"HTML entity without an HTML document type",
       "<!DOCTYPE rss SYSTEM \"rss.dtd\"><rss version=\"2.0\"><channel><item><title>Caf&eacute;</title>"
       "</item></channel></rss>",
       "uses the entity &eacute;"},
      {"external parameter entity",
       "<!DOCTYPE rss [<!ENTITY % p SYSTEM \"http://127.0.0.1:9/p.dtd\"> %p;]><rss version=\"2.0\"><channel/></rss>",
       "declares entities"},
      {"external general entity",
       "<!DOCTYPE rss [<!ENTITY x SYSTEM \"file:///etc/hostname\">]><rss version=\"2.0\"><channel><item>"
       "<title>&x;</title></item></channel></rss>",
       "declares entities"},
      {"Atom-like feed in another namespace", "<feed xmlns=\"http://example.com/not-atom\"/>",
       "root element is <feed> in the namespace http://example.com/not-atom"},
      {"RSS in an unknown namespace", "<rss xmlns=\"http://example.com/x\" version=\"2.0\"/>",
       "root element is <rss> in the namespace http://example.com/x"},
      {"RSS 0.91 without a channel", "<rss version=\"0.91\"/>", "the RSS 0.91 feed has no channel"},
      {"UTF-16 that breaks off", std::string("\xFF\xFE<\x00r\x00s\x00", 7), "not well-formed XML"},
      {"JSON in broken UTF-16", std::string("{\x00\x00\xD8", 4), "not well-formed JSON"},
      {"mark and nothing else", "\xEF\xBB\xBF  ", "the feed is empty"},
      {"UTF-16 blanks only", std::string("\xFE\xFF\x00 \x00\n", 6), "the feed is empty"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TFeed feed;
    const TResult r = ReadFeed(c.bytes, "", feed);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
  }
  const struct {
    std::string bytes, message;
  } empty[] = {
      {"<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
       "xmlns=\"http://my.netscape.com/rdf/simple/0.9/\"><channel><title>t</title></channel></rdf:RDF>",
       "the RSS 0.90 feed has no entries"},
      {"<feed xmlns=\"http://purl.org/atom/ns#\" version=\"0.3\"><title>t</title></feed>",
       "the Atom 0.3 feed has no entries"},
      {"<rss version=\"2.0\"><channel><item><link>http://a.example/</link></item></channel></rss>",
       "the RSS 2.0 feed has 1 entry, none with a title or a summary"},
  };
  TTempFolder folder;
  for (const auto& c : empty) {
    SCOPED_TRACE(c.message);
    WriteAll(folder.File("feed.xml"), c.bytes);
    TItemArray items = {DefaultItemData()};
    const TResult r = ReadFeedItems(folder.File("feed.xml"), 10, {}, items);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
    EXPECT_EQ(items.size(), 1u);
  }
}

// libxml2 gives up on a document with thousands of references it cannot
// resolve; HTML's entities are resolved as they are read, however many.
TEST(FeedStandards, HtmlEntitiesOfTheDocumentTypeInAnyNumberAndPlace) {
  std::string many;
  for (int k = 0; k < 20000; ++k) many += "caf&eacute; ";
  const std::string feed =
      "<!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD RSS 0.91//EN\" \"rss-0.91.dtd\"><rss version=\"0.91\">"
      "<channel><item><title>" + many + "</title><link>http://a.example/caf&eacute;</link>"
      "<description>&lt;b&gt;&nbsp;&hellip;&lt;/b&gt;</description></item></channel></rss>";
  TFeed read;
  const TResult r = ReadFeed(feed, "", read);
  ASSERT_TRUE(r.ok) << r.message;
  ASSERT_EQ(read.entries.size(), 1u);
  EXPECT_EQ(read.entries[0].title.size(), 20000u * 6 - 1);
  EXPECT_EQ(read.entries[0].title.substr(0, 11), "café café");
  EXPECT_EQ(read.entries[0].link, "http://a.example/café");
  EXPECT_EQ(read.entries[0].summary, "…");
}

TEST(FeedStandards, ContentTypeCharsetIsFound) {
  const struct {
    std::string type, charset;
  } cases[] = {
      {"application/rss+xml; charset=windows-1252", "windows-1252"},
      {"text/xml;charset=\"UTF-8\"", "UTF-8"},
      {"text/xml; format=x; Charset = koi8-r ; q=1", "koi8-r"},
      {"application/atom+xml", ""},
      {"", ""},
      {"text/xml; charset=", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CharsetOf(c.type), c.charset) << c.type;
}

TEST(FeedStandards, ACancelledReadingStopsAndChangesNothing) {
  std::atomic<bool> cancel{true};
  TFeedReadOptions options;
  options.cancel = &cancel;
  TFeed feed;
  feed.entries.push_back({"kept", "", ""});
  for (const char* file : {"rss_extensions.xml", "atom03.xml", "json_utf8_bom.json"}) {
    const TResult r = ReadFeed(ReadAll(FeedFile(file)), "", feed, options);
    EXPECT_EQ(r.message, "cancelled") << file;
    EXPECT_EQ(feed.entries.size(), 1u);
  }
  TFetchLimits limits;
  limits.cancel = &cancel;
  TItemArray items = {DefaultItemData()};
  EXPECT_EQ(ReadFeedItems(FeedFile("rss_extensions.xml"), 10, limits, items).message, "cancelled");
  EXPECT_EQ(items.size(), 1u);
}

// The same feeds from the local web server, whose Content-Type charset
// counts after a byte order mark and before the document's declaration.
class FeedStandardsOverHttp : public TFeedServerSuite {};

TEST_F(FeedStandardsOverHttp, SavedFeedsReadAlikeWithoutACharset) {
  for (const TSavedFeed& f : kSavedFeeds) {
    SCOPED_TRACE(f.file);
    TItemArray items;
    const TResult r = ReadFeedItems(Url("/files/" + f.file), 10, {}, items);
    ASSERT_TRUE(r.ok) << r.message;
    // Links the feed left relative now resolve against its address.
    std::vector<TExpected> expected = f.items;
    for (TExpected& e : expected)
      if (!e.link.empty() && e.link[0] == '/') e.link = Url(e.link);
    ExpectItems(items, expected);
  }
}

TEST_F(FeedStandardsOverHttp, TheContentTypeCharsetComesBetweenMarkAndDeclaration) {
  const struct {
    std::string file, charset;
    std::vector<TExpected> items;
  } cases[] = {
      {"utf8_declares_latin1.xml", "utf-8", {{"Café crème", "https://cafe.example.fr/menu", "Crêpes à volonté"}}},
      {"windows1252_undeclared.xml",
       "windows-1252",
       {{"Don’t miss the “Café” – €5", "https://shop.example.com/sale", "Œuvres d’art"}}},
      {"shift_jis_undeclared.xml", "Shift_JIS", {{"東京の天気は晴れ", "https://tenki.example.jp/tokyo", "最高気温は二十度です。"}}},
      {"koi8r_undeclared.xml", "\"KOI8-R\"", {{"Новости недели", "https://novosti.example.ru/week", ""}}},
      // A byte order mark and the zeros of UTF-16 and UTF-32 outrank HTTP.
      {"utf8_bom_declares_latin1.xml", "iso-8859-1", {{"Smørrebrød på menuen", "https://mad.example.dk/", ""}}},
      {"utf16le_bom.xml", "utf-8", kGruesseSummary},
      {"utf16be_no_bom.xml", "iso-8859-1", kGruesseSummary},
      {"utf32le_no_bom.xml", "utf-8", kGruesse},
      // JSON is UTF-8, 16 or 32 whatever the server says.
      {"json_utf16le.json", "iso-8859-1", kWideJson},
      // A charset no one knows, or the US-ASCII servers name for anything,
      // leaves the declaration to decide.
      {"rss091_doctype.xml", "x-unknown",
       {{"Café au lait & crêpes", "http://journal.example.fr/cafe.html", "It’s “très bon” — © 2026"}}},
      {"rss091_doctype.xml", "us-ascii",
       {{"Café au lait & crêpes", "http://journal.example.fr/cafe.html", "It’s “très bon” — © 2026"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file + " as " + c.charset);
    TItemArray items;
    const TResult r = ReadFeedItems(Url("/files/" + c.file + "?charset=" + c.charset), 10, {}, items);
    ASSERT_TRUE(r.ok) << r.message;
    ExpectItems(items, c.items);
  }
  // Without the charset, undeclared bytes that are not UTF-8 are refused.
  TItemArray items;
  const TResult r = ReadFeedItems(Url("/files/windows1252_undeclared.xml"), 10, {}, items);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("not well-formed XML"), std::string::npos) << r.message;
}

}  // namespace
