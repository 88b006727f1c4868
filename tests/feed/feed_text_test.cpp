// Feed text and links as they are stored: nothing of the feed's markup, and
// no link a browser would run.

#include <gtest/gtest.h>

#include "feed/feed_items.h"
#include "feed/feed_text.h"

namespace {

TEST(FeedText, HtmlBecomesCollapsedText) {
  const struct {
    std::string html, text;
  } cases[] = {
      {"plain  words\n\there ", "plain words here"},
      {"<p>One</p><p>Two</p>", "One Two"},
      {"Hel<b>lo</b> wor<i>ld</i>", "Hello world"},
      {"line<br>break<br/>again", "line break again"},
      {"a &amp; b &lt;c&gt; &quot;d&quot; &#233; &eacute; &nbsp;e", "a & b <c> \"d\" \xC3\xA9 \xC3\xA9 e"},
      {"x<script>alert(1)</script>y<style>p{}</style>z", "xyz"},
      {"<img src=x onerror=alert(1)>after", "after"},
      {"AT&T and 3 < 4", "AT&T and 3 < 4"},
      {"text <!-- comment --> on", "text on"},
      {"<head><title>t</title></head>body", "body"},
      {"don&#146;t &#x93;q&#148;", "don\xC2\x92t \xC2\x93q\xC2\x94"},  // EncodeText maps them
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlToText(c.html), c.text) << c.html;
}

TEST(FeedText, DeepNestingNeitherCrashesNorLeaksMarkup) {
  const auto nested = [](int depth) {
    std::string html;
    for (int i = 0; i < depth; ++i) html += "<span>";
    return html + "deep &lt;b&gt;";
  };
  EXPECT_EQ(HtmlToText(nested(200)), "deep <b>");
  // Past the parser's depth limit the text may be lost, but never turned into tags.
  const std::string text = HtmlToText(nested(50000));
  EXPECT_EQ(text.find("span"), std::string::npos) << text.substr(0, 100);
}

TEST(FeedText, StoredTextIsWhatAPersonWouldType) {
  const struct {
    std::string text, stored;
  } cases[] = {
      {"a & b < c > d \"e\" 'f'", "a & b &lt; c &gt; d \"e\" 'f'"},
      // "&" stays itself where HTML reads it so: before a blank, punctuation
      // or the end; before a letter, digit or "#" it could start a reference.
      {"Fish & Chips", "Fish & Chips"},
      {"R&D, Q&A; end &", "R&amp;D, Q&amp;A; end &"},
      {"&amp; stays visible", "&amp;amp; stays visible"},
      {"&#65; &copy &, &; &!", "&amp;#65; &amp;copy &, &; &!"},
      {"&\xC3\xA9", "&amp;\xC3\xA9"},
      {"Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln \xE2\x80\x94 \xF0\x9F\x93\xB0", "Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln \xE2\x80\x94 \xF0\x9F\x93\xB0"},
      {"one #$@ two", "one two"},
      {"##$@$@x", "x"},
      {"#$#$@@ and #$", "and #$"},
      {"bell\x07 and tab\tend", "bell and tab end"},
      {"broken \xC3 utf8 \xFF", "broken \xEF\xBF\xBD utf8 \xEF\xBF\xBD"},
      {"overlong \xC0\xAF", "overlong \xEF\xBF\xBD\xEF\xBF\xBD"},
      // U+0080 to U+009F (what "&#146;" gives) as HTML shows them: Windows-1252.
      {"don\xC2\x92t \xC2\x93q\xC2\x94 \xC2\x80" "5", "don\xE2\x80\x99t \xE2\x80\x9Cq\xE2\x80\x9D \xE2\x82\xAC" "5"},
      // The five it leaves undefined part words, so no separator forms.
      {"a#\xC2\x81$@b", "a# $@b"},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeText(c.text), c.stored) << c.text;
}

TEST(FeedText, FirstWordsTellsWhetherItCut) {
  const struct {
    std::string text;
    size_t words;
    std::string out;
    bool cut;
  } cases[] = {
      {"one two three", 3, "one two three", false},
      {"one two three four", 3, "one two three", true},
      {"", 3, "", false},
      {"one", 0, "", true},
  };
  for (const auto& c : cases) {
    bool cut = !c.cut;
    EXPECT_EQ(FirstWords(c.text, c.words, cut), c.out) << c.text;
    EXPECT_EQ(cut, c.cut) << c.text;
  }
}

TEST(FeedText, OnlyHttpHttpsAndRelativeLinksAreKept) {
  const struct {
    std::string link, stored;
  } cases[] = {
      {"https://example.com/a?b=1&c=2", "https://example.com/a?b=1&amp;c=2"},
      {"HTTP://Example.com/", "HTTP://Example.com/"},
      {"  http://example.com/x  ", "http://example.com/x"},
      {"news/today.html", "news/today.html"},
      {"/root.html#top", "/root.html#top"},
      {"//cdn.example.com/x", "//cdn.example.com/x"},
      {"?page=2", "?page=2"},
      {"javascript:alert(1)", ""},
      {"JaVaScRiPt:alert(1)", ""},
      {" \x01javascript:alert(1)", ""},
      {"java\tscr\nipt:alert(1)", ""},
      {"vbscript:msgbox", ""},
      {"data:text/html,<script>alert(1)</script>", ""},
      {"file:///etc/passwd", ""},
      {"mailto:someone@example.com", ""},
      {"1http:x", ""},
      {"http://x/\"><script>", "http://x/%22%3E%3Cscript%3E"},
      {"http://x/a b", "http://x/a%20b"},
      {"http://x/k\xC3\xBC", "http://x/k%C3%BC"},
      {"http://x/#$@y", "http://x/y"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(SafeLink(c.link), c.stored) << c.link;
}

TEST(FeedItems, EntriesWithNeitherTitleNorSummaryAreSkipped) {
  TFeed feed;
  feed.entries = {{"", "http://a/", ""}, {"Title", "", ""}, {"", "", "only summary"}, {"", "", ""}};
  const TItemArray items = ItemsFromFeed(feed, 10);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].ICaption, "Title");
  EXPECT_EQ(items[0].IContent, "");
  EXPECT_EQ(items[1].ICaption, "only summary");
  EXPECT_EQ(items[1].IContent, "only summary<br />");
}

}  // namespace
