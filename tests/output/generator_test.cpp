#include <gtest/gtest.h>

#include "model/applet_agent.h"
#include "output/generator.h"
#include "test_support.h"

namespace {

const TStringArray kScripts = {kRuntimeScriptName, kConfigScriptName};

struct TGoldenCase {
  const char* golden;
  TItemArray items;
};

void PrintTo(const TGoldenCase& c, std::ostream* os) { *os << c.golden; }

class GoldenScripts : public testing::TestWithParam<TGoldenCase> {};

TEST_P(GoldenScripts, MatchByteForByte) {
  const TGeneratedCode code = GenerateCode(DefaultAppletData(), GetParam().items, kScripts);
  ASSERT_TRUE(code.ok) << code.message;
  EXPECT_EQ(code.script, Golden(GetParam().golden));
  EXPECT_EQ(code.page, Golden("page.html"));
}

INSTANTIATE_TEST_SUITE_P(
    Projects, GoldenScripts,
    testing::Values(TGoldenCase{"worked_example.js", {Item("News Title", "Content here ...<br />")}},
                    TGoldenCase{"linked.js", {Item("News Title", "Content here ...<br />", "news.html", "_blank")}},
                    TGoldenCase{"empty.js", {}},
                    // UTF-8 (with a letter beyond U+FFFF), then Windows-1252 bytes
                    // (0x81 is undefined there; C0 AF is no UTF-8), then ASCII.
                    TGoldenCase{"escaped.js",
                                {Item("Caf\xC3\xA9 \xE2\x80\x93 5 \xE2\x82\xAC off", "\xF0\x9F\x98\x80 na\xC3\xAFve<br />"),
                                 Item("Caf\xE9 \x96 5 \x80 off", "\x81\xC0\xAF<br />"),
                                 Item("Plain", "ASCII only<br />")}},
                    // Levels 0, 1, 2, 0: the depth never shows in the lines.
                    TGoldenCase{"nested.js",
                                {Item("Top", "one<br />"), Item("Child", "two<br />"), Item("Grandchild", "three<br />"),
                                 Item("Second top", "four<br />")}}),
    [](const testing::TestParamInfo<TGoldenCase>& info) {
      std::string name = info.param.golden;
      return name.substr(0, name.find('.'));
    });

// The part of an item line between the a element's style and its ">".
std::string LinkPart(const std::string& link, const std::string& target) {
  const std::string line = ItemLine(DefaultAppletData(), Item("C", "x", link, target));
  const size_t from = line.find("color:#000000;\"") + 15;
  return line.substr(from, line.find(">C</a>") - from);
}

TEST(ItemLine, LinkAttributesAreTrimmedAndNeedALink) {
  struct Case {
    const char* link;
    const char* target;
    const char* expected;
  } cases[] = {
      {"", "_blank", ""},
      {"   ", "_blank", ""},
      {"news.html", "", " href=\"news.html\""},
      {"news.html", "  ", " href=\"news.html\""},
      {"  news.html ", " _top ", " href=\"news.html\" target=\"_top\""},
  };
  for (const Case& c : cases) EXPECT_EQ(LinkPart(c.link, c.target), c.expected) << c.link << "|" << c.target;
}

TEST(ItemLine, RendersStylesThroughTheVocabularies) {
  TAppletData a = DefaultAppletData();
  a.pTitleAlign = "2";
  a.pContentAlign = "7";
  a.pTitleBold = "0";
  a.pTitleItalic = "1";
  a.pContentBold = "1";
  a.pContentItalic = " 1";
  a.pTitleFontFamily = " Georgia ";
  a.pContentColor = "ff8000";
  a.pContentPadding = "9";
  const std::string line = ItemLine(a, Item("C", "x"));
  EXPECT_NE(line.find("<p align=\"right\" style=\"padding:2px;\"><a style=\"font-family: Georgia ;font-size:14px;"
                      "font-weight:normal;font-style:italic;"),
            std::string::npos)
      << line;
  EXPECT_NE(line.find("<p align=\"left\" style=\"font-family:Ms Sans Serif,Georgia,Helvetica,Arial;font-size:14px;"
                      "font-weight:bold;font-style:normal;padding:9px;color:#ff8000;\">x</p>"),
            std::string::npos)
      << line;
}

TEST(ItemLine, EscapesOnlyWhatWouldEndTheString) {
  const std::string line =
      ItemLine(DefaultAppletData(), Item("Today's \\news\\", "line one\r\nline \"two\"<br />", "a'b.html"));
  EXPECT_NE(line.find(">Today\\'s \\\\news\\\\</a>"), std::string::npos) << line;
  EXPECT_NE(line.find(">line one\\r\\nline \"two\"<br /></p>"), std::string::npos) << line;
  EXPECT_NE(line.find("href=\"a\\'b.html\""), std::string::npos) << line;
  EXPECT_EQ(line.find('\r'), std::string::npos);
  EXPECT_EQ(line.find('\n'), std::string::npos);
}

TEST(ItemLine, EachValueIsReadInItsOwnCharacterSet) {
  TAppletData a = DefaultAppletData();
  a.pTitleFontFamily = "Fran\xE7" "ais";        // Windows-1252
  a.pContentFontFamily = "Fran\xC3\xA7" "ais";  // UTF-8
  const std::string line = ItemLine(a, Item("\xE6\x97\xA5\xE6\x9C\xAC", "\xA0", "caf\xC3\xA9.html", "w\xFC"));
  for (const char* part : {"font-family:Fran\\u00E7ais;font-size:14px;font-weight:bold",
                           "font-family:Fran\\u00E7ais;font-size:14px;font-weight:normal",
                           " href=\"caf\\u00E9.html\" target=\"w\\u00FC\">\\u65E5\\u672C</a>", ">\\u00A0</p>"})
    EXPECT_NE(line.find(part), std::string::npos) << part << "\n" << line;
  for (const char c : line) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << line;
}

TEST(BoxLine, EscapesQuotesAndBackslashesInColours) {
  TAppletData a = DefaultAppletData();
  a.pBorderColor = "12\"3";
  a.pBackgroundColor = "a\\b";
  const TGeneratedCode code = GenerateCode(a, {}, kScripts);
  ASSERT_TRUE(code.ok);
  EXPECT_NE(code.script.find("\"#12\\\"3\",5,\"#a\\\\b\""), std::string::npos) << code.script;
}

TEST(BoxLine, OutOfListPositionsFallBack) {
  TAppletData a = DefaultAppletData();
  a.pBorderStyle = "-1";
  a.pCursor = "25";
  a.pDelay = "300";
  const TGeneratedCode code = GenerateCode(a, {}, kScripts);
  ASSERT_TRUE(code.ok);
  EXPECT_NE(code.script.find("jslumeroll1.awkmbnbspm(300,240,120,1,\"solid\",\"#000000\",5,\"#FFFFFF\",1000,"
                             "\"default\");\r\n"),
            std::string::npos)
      << code.script;
}

TEST(BoxLine, NonIntegerStyleOrCursorStopsAfterTheItemLines) {
  struct Case {
    const char* borderStyle;
    const char* cursor;
    const char* message;
  } cases[] = {
      {"", "6", "'' is not a valid integer value"},
      {"3x", "6", "'3x' is not a valid integer value"},
      {"3", "pointer", "'pointer' is not a valid integer value"},
      {"a", "b", "'a' is not a valid integer value"},
  };
  const TItemArray items = {Item("One", "1"), Item("Two", "2")};
  const std::string itemLines = GenerateCode(DefaultAppletData(), items, kScripts).script;
  for (const Case& c : cases) {
    TAppletData a = DefaultAppletData();
    a.pBorderStyle = c.borderStyle;
    a.pCursor = c.cursor;
    const TGeneratedCode code = GenerateCode(a, items, kScripts);
    EXPECT_FALSE(code.ok);
    EXPECT_EQ(code.message, c.message);
    EXPECT_TRUE(code.page.empty());
    // Everything up to the box line, nothing after.
    EXPECT_EQ(code.script, itemLines.substr(0, itemLines.find("jslumeroll1.awkmbnbspm")));
  }
}

TEST(BoxLine, NumbersMustBeWholeNumbers) {
  struct Case {
    std::string TAppletData::*field;
    const char* value;
    bool ok;
  } cases[] = {
      {&TAppletData::pDelay, "0);alert(document.domain);(0", false},
      {&TAppletData::pDelay, "1.5", false},
      {&TAppletData::pDelay, "", false},
      {&TAppletData::pDelay, "-", false},
      {&TAppletData::pDelay, "0", true},
      {&TAppletData::pWidth, "240px", false},
      {&TAppletData::pWidth, "+728", true},
      {&TAppletData::pHeight, "1e3", false},
      {&TAppletData::pBorderWidth, "0x10", false},
      {&TAppletData::pBorderWidth, "-2", true},
      {&TAppletData::pPadding, "5 ", false},
      {&TAppletData::pPadding, " 5", false},
      {&TAppletData::pPadding, "99999999999", false},
      {&TAppletData::pZIndex, "1000;x=1", false},
      {&TAppletData::pZIndex, "-2147483648", true},
  };
  const TItemArray items = {Item("One", "1")};
  const std::string itemLines = GenerateCode(DefaultAppletData(), items, kScripts).script;
  for (const Case& c : cases) {
    TAppletData a = DefaultAppletData();
    a.*c.field = c.value;
    const TGeneratedCode code = GenerateCode(a, items, kScripts);
    EXPECT_EQ(code.ok, c.ok) << c.value;
    if (c.ok) {
      EXPECT_NE(code.script.find(std::string(c.value) + ","), std::string::npos) << code.script;
      continue;
    }
    EXPECT_EQ(code.message, "'" + std::string(c.value) + "' is not a valid integer value");
    EXPECT_TRUE(code.page.empty());
    EXPECT_EQ(code.script, itemLines.substr(0, itemLines.find("jslumeroll1.awkmbnbspm")));
  }
}

TEST(BoxLine, TheFirstValueThatFailsIsReported) {
  TAppletData a = DefaultAppletData();
  a.pCursor = "x";
  a.pZIndex = "z";
  a.pBorderStyle = "b";
  a.pHeight = "h";
  EXPECT_EQ(GenerateCode(a, {}, kScripts).message, "'h' is not a valid integer value");
  a.pHeight = "1";
  EXPECT_EQ(GenerateCode(a, {}, kScripts).message, "'b' is not a valid integer value");
  a.pBorderStyle = "1";
  EXPECT_EQ(GenerateCode(a, {}, kScripts).message, "'z' is not a valid integer value");
}

TEST(BoxLine, ColoursBeyondAsciiAreEscaped) {
  TAppletData a = DefaultAppletData();
  a.pBackgroundColor = "\xC3\xA9";
  const TGeneratedCode code = GenerateCode(a, {}, kScripts);
  ASSERT_TRUE(code.ok);
  EXPECT_NE(code.script.find(",5,\"#\\u00E9\",1000,"), std::string::npos) << code.script;
}

TEST(Page, NamesTheRuntimeScriptFromTheList) {
  const TGeneratedCode code = GenerateCode(DefaultAppletData(), {}, {"other.js", kConfigScriptName});
  EXPECT_NE(code.page.find("\r\n<script language=\"javascript\" src=\"other.js\"></script>\r\n"
                           "<script language=\"javascript\" src=\"orvantalumeroll_news1_cfg.js\"></script>\r\n"),
            std::string::npos);
}

}  // namespace

// The live preview restyles the box in place for these fields and rebuilds
// it for the others: a field that reached the item lines but counted as box
// only would leave stale items on screen.
TEST(InBoxLineOnly, ThoseFieldsChangeTheBoxLineAndNoItemLine) {
  const TItemData item = Item("C", "x", "news.html", "_blank");
  const TAppletData before = DefaultAppletData();
  int boxOnly = 0;
  for (int field = 0; field < TAppletData::FieldCount; ++field) {
    SCOPED_TRACE(field);
    TAppletData after = before;
    after.Field(field) = before.Field(field) == "2" ? "3" : "2";
    if (!InBoxLineOnly(field)) {
      EXPECT_EQ(BoxLine(after).text, BoxLine(before).text);
      continue;
    }
    ++boxOnly;
    EXPECT_EQ(ItemLine(after, item), ItemLine(before, item));
    EXPECT_NE(BoxLine(after).text, BoxLine(before).text);
  }
  EXPECT_EQ(boxOnly, 10);
  EXPECT_FALSE(InBoxLineOnly(-1));
  EXPECT_FALSE(InBoxLineOnly(TAppletData::FieldCount));
}
