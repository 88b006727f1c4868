// The content's two forms and the addresses the pages build.
#include <gtest/gtest.h>

#include "editor/pages/content_text.h"
#include "editor/pages/page_links.h"

namespace {

struct TJoinCase {
  const char* text;
  const char* content;
};

TEST(ContentTextTest, JoinsEveryLineWithABreakAfterIt) {
  const TJoinCase cases[] = {
      {"", ""},
      {"First\nSecond", "First<br />Second<br />"},
      {"First\nSecond\n", "First<br />Second<br />"},  // the empty line after the last break is no line
      {"a\n\n", "a<br /><br />"},
      {"\n", "<br />"},
      {"\n\n", "<br /><br />"},
      {"a\r\nb\rc\n", "a<br />b<br />c<br />"},
      {"one", "one<br />"},
  };
  for (const TJoinCase& c : cases) EXPECT_EQ(JoinContentLines(c.text), c.content) << "text: " << c.text;
}

TEST(ContentTextTest, TurnsBreaksOfAnyCaseIntoLines) {
  const TJoinCase cases[] = {
      {"a\nb\nc", "a<br />b<BR />c"},
      {"a\nb\n", "a<Br />b<bR />"},
      {"<br/>", "<br/>"},  // not the mark: no blank before the slash
      {"x\n", "x<br />"},
      {"<br", "<br"},
      {"", ""},
  };
  for (const TJoinCase& c : cases) EXPECT_EQ(ContentToText(c.content), c.text) << "content: " << c.content;
}

TEST(ContentTextTest, StoredContentSurvivesShowingAndJoining) {
  for (const char* content : {"First<br />Second<br />", "", "<br /><br />", "a\xE9<br />"})
    EXPECT_EQ(JoinContentLines(ContentToText(content)), content);
  EXPECT_EQ(JoinContentLines(ContentToText("a<br />b<BR />c")), "a<br />b<br />c<br />");
}

TEST(PageLinksTest, FileNamesBecomeFileAddresses) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\site\\news.html", "file:///C|/site/news.html"},
      {"C:/site/news.html", "file:///C|/site/news.html"},
      {"\\\\server\\share\\a.htm", "file://///server/share/a.htm"},
      {"/usr/share/x/help/a.htm", "file:///usr/share/x/help/a.htm"},
      {"/home/me/my site/a.html", "file:///home/me/my%20site/a.html"},
  };
  for (const auto& [path, url] : cases) EXPECT_EQ(FileNameToUrl(QString::fromLatin1(path)).toStdString(), url);
}

TEST(PageLinksTest, HelpTopicsByTag) {
  const std::pair<int, const char*> cases[] = {
      {1, "customizing_js_script_script_general.htm"}, {2, "customizing_js_script_script_border.htm"},
      {3, "customizing_js_script_script_misc.htm"},    {4, "customizing_js_script_text_title.htm"},
      {5, "customizing_js_script_text_content.htm"},   {6, "customizing_js_menu_path_path.htm"},
      {7, "customizing_js_item_item_title.htm"},       {8, "customizing_js_item_item_link.htm"},
      {9, "customizing_js_item_item_content.htm"},     {0, "getting_started.htm"},
      {10, "getting_started.htm"},                     {-1, "getting_started.htm"},
  };
  for (const auto& [tag, topic] : cases) EXPECT_EQ(HelpTopicFile(tag).toStdString(), topic) << tag;
  EXPECT_EQ(HelpTopicUrl(QStringLiteral("C:\\Program Files\\Lumeroll\\"), 6).toStdString(),
            "file:///C|/Program Files/Lumeroll/help/customizing_js_menu_path_path.htm");
  EXPECT_EQ(HelpTopicUrl(QStringLiteral("/usr/share/javascript-lumeroll"), 0).toStdString(),
            "file:///usr/share/javascript-lumeroll/help/getting_started.htm");
}

}  // namespace
