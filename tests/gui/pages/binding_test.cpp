// Values between the agent and the pages: every parameter edited through
// its control lands in the model, shown values commit back unchanged, and
// the conversions' edge cases.
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <functional>
#include <set>

#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "pages_fixture.h"

namespace {

// Index of a field in the order of TAppletData.
int FieldIndex(std::string TAppletData::* member) {
  TAppletData probe;
  for (int i = 0; i < TAppletData::FieldCount; ++i)
    if (&probe.Field(i) == &(probe.*member)) return i;
  return -1;
}

// A project with a value in every parameter unlike the defaults.
TAppletData SampleAppletData() {
  TAppletData d;
  d.pDelay = "2500";
  d.pWidth = "321";
  d.pHeight = "-12";
  d.pBorderWidth = "3";
  d.pBorderStyle = "9";
  d.pBorderColor = "112233";
  d.pPadding = "7";
  d.pBackgroundColor = "ABCDEF";
  d.pZIndex = "42";
  d.pCursor = "24";
  d.pTitleFontFamily = "Verdana, Arial";
  d.pTitleAlign = "2";
  d.pTitleColor = "010203";
  d.pTitlePadding = "4";
  d.pTitleSize = "18";
  d.pTitleBold = "0";
  d.pTitleItalic = "1";
  d.pContentFontFamily = "Caf\xE9 Sans";  // a byte that is no UTF-8
  d.pContentAlign = "1";
  d.pContentColor = "FE1080";
  d.pContentPadding = "6";
  d.pContentSize = "11";
  d.pContentBold = "1";
  d.pContentItalic = "1";
  d.pInternalUse_RootDir_Local = "file:///C:/web/";
  d.pInternalUse_RootDir_Remote = "http://example.org/";
  d.pInternalUse_RootDir_Local_Checked = "0";
  return d;
}

TEST_F(PagesTest, EveryAppletParameterEditedThroughItsControlLandsInTheModel) {
  auto type = [this](const char* name, const char* typed) {
    return [this, name, typed] { Retype(Find<QWidget>(name), QString::fromLatin1(typed)); };
  };
  auto key = [this](const char* name, Qt::Key k) { return [this, name, k] { QTest::keyClick(Find<QWidget>(name), k); }; };
  auto colour = [this](const char* name, QColor c) {
    return [this, name, c] {
      prompts.colors = {c};
      QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton);
    };
  };
  auto click = [this](const char* name) { return [this, name] { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }; };

  using M = std::string TAppletData::*;
  const std::tuple<M, std::function<void()>, std::string> edits[] = {
      {&TAppletData::pDelay, type("spnedtpDelay", "2500"), "2500"},
      {&TAppletData::pWidth, type("spnedtpWidth", "321"), "321"},
      {&TAppletData::pHeight, type("spnedtpHeight", "-12"), "-12"},
      {&TAppletData::pBorderWidth, type("spnedtpBorderWidth", "3x"), "3"},
      {&TAppletData::pBorderStyle, key("cmbxpBorderStyle", Qt::Key_End), "9"},
      {&TAppletData::pBorderColor, colour("pnlpBorderColor", QColor(0x11, 0x22, 0x33)), "112233"},
      {&TAppletData::pPadding, type("spnedtpPadding", "+7"), "7"},
      {&TAppletData::pBackgroundColor, colour("pnlpBackgroundColor", QColor(0xAB, 0xCD, 0xEF)), "ABCDEF"},
      {&TAppletData::pZIndex, type("spnedtpZIndex", "42"), "42"},
      {&TAppletData::pCursor, key("cmbxpCursor", Qt::Key_End), "24"},
      {&TAppletData::pTitleFontFamily, type("edtpTitleFontFamily", "  Verdana, Arial "), "Verdana, Arial"},
      {&TAppletData::pTitleAlign, key("cmbxpTitleAlign", Qt::Key_End), "2"},
      {&TAppletData::pTitleColor, colour("pnlpTitleColor", QColor(1, 2, 3)), "010203"},
      {&TAppletData::pTitlePadding, type("spnedtpTitlePadding", "4"), "4"},
      {&TAppletData::pTitleSize, type("spnedtpTitleSize", "18"), "18"},
      {&TAppletData::pTitleBold, click("spdbtnpTitleBold"), "0"},
      {&TAppletData::pTitleItalic, click("spdbtnpTitleItalic"), "1"},
      {&TAppletData::pContentFontFamily, type("edtpContentFontFamily", "Courier\t"), "Courier"},
      {&TAppletData::pContentAlign, key("cmbxpContentAlign", Qt::Key_Down), "1"},
      {&TAppletData::pContentColor, colour("pnlpContentColor", QColor(0xFE, 0x10, 0x80)), "FE1080"},
      {&TAppletData::pContentPadding, type("spnedtpContentPadding", "6"), "6"},
      {&TAppletData::pContentSize, type("spnedtpContentSize", "11"), "11"},
      {&TAppletData::pContentBold, click("spdbtnpContentBold"), "1"},
      {&TAppletData::pContentItalic, click("spdbtnpContentItalic"), "1"},
      {&TAppletData::pInternalUse_RootDir_Local, type("edtpInternalUse_RootDir_Local", " file:///C:/web/"),
       "file:///C:/web/"},
      {&TAppletData::pInternalUse_RootDir_Remote, type("edtpInternalUse_RootDir_Remote", "http://example.org/ "),
       "http://example.org/"},
      {&TAppletData::pInternalUse_RootDir_Local_Checked, click("rdbtnpInternalUse_RootDir_Local_Checked2"), "0"},
  };
  const TAppletData defaults = DefaultAppletData();
  std::set<int> covered;
  for (const auto& [member, edit, expected] : edits) {
    covered.insert(FieldIndex(member));
    ASSERT_NE(defaults.*member, expected) << "an edit must change the value: " << expected;
    edit();
  }
  ASSERT_EQ(covered.size(), static_cast<size_t>(TAppletData::FieldCount));
  const TAppletData& committed = agent.AppletData();
  for (const auto& [member, edit, expected] : edits)
    EXPECT_EQ(committed.*member, expected) << "field " << FieldIndex(member);
}

TEST_F(PagesTest, EveryItemFieldEditedThroughItsControlLandsInTheModel) {
  TItemData item = DefaultItemData();
  item.ILevel = "2";
  item.IReserved = "kept";
  const int index = AddItem(item);
  pages.RefreshItemPage(index);
  Retype(Find<QWidget>("edtICaption"), QStringLiteral("  Breaking  "));
  Retype(Find<QWidget>("cmbxILink"), QStringLiteral("http://example.org/n.html "));
  Retype(Find<QWidget>("cmbxITarget"), QStringLiteral("_blank"));
  auto* content = Find<QPlainTextEdit>("rchedtIContent");
  content->selectAll();
  QTest::keyClicks(content, QStringLiteral("Line A"));
  QTest::keyClick(content, Qt::Key_Return);
  QTest::keyClicks(content, QStringLiteral("Line B"));
  TItemData committed;
  agent.GetItemData(index, committed);
  EXPECT_EQ(committed.ICaption, "Breaking");
  EXPECT_EQ(committed.ILink, "http://example.org/n.html");
  EXPECT_EQ(committed.ITarget, "_blank");
  EXPECT_EQ(committed.IContent, "Line A<br />Line B<br />");
  EXPECT_EQ(committed.ILevel, "2");
  EXPECT_EQ(committed.IReserved, "kept");
}

TEST_F(PagesTest, ShownValuesReadBackUnchanged) {
  const TAppletData sample = SampleAppletData();
  agent.SetAppletData(sample);
  ASSERT_TRUE(pages.RefreshAppletPages().ok);
  const TAppletData shown = pages.ShownAppletData();
  for (int i = 0; i < TAppletData::FieldCount; ++i) EXPECT_EQ(shown.Field(i), sample.Field(i)) << "field " << i;

  TItemData item{"Caf\xE9 news", "http://example.org/", "_top", "One<br />Two \xE9<br />", "1", "r"};
  const int index = AddItem(item);
  pages.RefreshItemPage(index);
  EXPECT_EQ(pages.ShownItem(), item);
}

TEST_F(PagesTest, EditedTextIsEncodedAfresh) {
  TAppletData sample = SampleAppletData();
  agent.SetAppletData(sample);
  ASSERT_TRUE(pages.RefreshAppletPages().ok);
  auto* font = Find<QLineEdit>("edtpContentFontFamily");
  font->selectAll();
  font->insert(QStringLiteral("Caf\u00E9 Sans"));  // pasted: QTest types ASCII only
  EXPECT_EQ(agent.AppletData().pContentFontFamily, QStringLiteral("Caf\u00E9 Sans").toLocal8Bit().toStdString());
}

TEST_F(PagesTest, EditingOneItemThenShowingAnother) {
  TItemData a = DefaultItemData();
  a.ICaption = "A";
  a.ILevel = "0";
  TItemData b = DefaultItemData();
  b.ICaption = "  B\t";
  b.ILink = " http://b.example/ ";
  b.IContent = "b1<BR />b2";
  b.ILevel = "1";
  const int ia = AddItem(a);
  const int ib = AddItem(b);
  pages.RefreshItemPage(ia);
  Retype(Find<QWidget>("edtICaption"), QStringLiteral("A edited"));
  pages.RefreshItemPage(ib);

  TItemData storedA, storedB;
  agent.GetItemData(ia, storedA);
  agent.GetItemData(ib, storedB);
  EXPECT_EQ(storedA.ICaption, "A edited");
  EXPECT_EQ(storedA.ILevel, "0");
  EXPECT_EQ(storedB, b);  // showing an entry does not write it
  EXPECT_EQ(Find<QLineEdit>("edtICaption")->text(), "B");
  EXPECT_EQ(Find<QComboBox>("cmbxILink")->currentText(), "http://b.example/");
  EXPECT_EQ(Find<QPlainTextEdit>("rchedtIContent")->toPlainText(), "b1\nb2");
}

TEST_F(PagesTest, RootChoiceAndListPositions) {
  struct TCase {
    const char* stored;
    bool local, web;
    const char* committed;
  };
  const TCase choices[] = {{"1", true, false, "1"}, {"0", false, true, "0"}, {"x", false, false, "0"},
                           {"", false, false, "0"}};
  auto* local = Find<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked");
  auto* web = Find<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked2");
  for (const TCase& c : choices) {
    TAppletData d = DefaultAppletData();
    d.pInternalUse_RootDir_Local_Checked = c.stored;
    agent.SetAppletData(d);
    ASSERT_TRUE(pages.RefreshAppletPages().ok);
    EXPECT_EQ(local->isChecked(), c.local) << c.stored;
    EXPECT_EQ(web->isChecked(), c.web) << c.stored;
    EXPECT_EQ(pages.ShownAppletData().pInternalUse_RootDir_Local_Checked, c.committed) << c.stored;
  }
  // A click still chooses one after "neither".
  QTest::mouseClick(local, Qt::LeftButton);
  EXPECT_TRUE(local->isChecked());
  QTest::mouseClick(web, Qt::LeftButton);
  EXPECT_FALSE(local->isChecked());
  EXPECT_TRUE(web->isChecked());

  const std::tuple<const char*, int, const char*> positions[] = {
      {"12", -1, "-1"}, {"-1", -1, "-1"}, {"10", -1, "-1"}, {"9", 9, "9"}, {"0", 0, "0"}, {" 3", 3, "3"}};
  auto* style = Find<QComboBox>("cmbxpBorderStyle");
  for (const auto& [stored, shown, committed] : positions) {
    TAppletData d = DefaultAppletData();
    d.pBorderStyle = stored;
    agent.SetAppletData(d);
    ASSERT_TRUE(pages.RefreshAppletPages().ok) << stored;
    EXPECT_EQ(style->currentIndex(), shown) << stored;
    EXPECT_EQ(pages.ShownAppletData().pBorderStyle, committed) << stored;
  }
}

TEST_F(PagesTest, NumbersOutsideTheRangeAreBroughtIntoIt) {
  TAppletData d = DefaultAppletData();
  d.pWidth = "12345";
  d.pHeight = "-100000";
  agent.SetAppletData(d);
  ASSERT_TRUE(pages.RefreshAppletPages().ok);
  EXPECT_EQ(pages.ShownAppletData().pWidth, "9999");
  EXPECT_EQ(pages.ShownAppletData().pHeight, "-9999");
}

TEST_F(PagesTest, FailedRefreshChangesNoControl) {
  const std::tuple<std::string TAppletData::*, const char*, const char*> cases[] = {
      {&TAppletData::pDelay, "1x", "'1x' is not a valid integer value"},
      {&TAppletData::pCursor, "", "'' is not a valid integer value"},
      {&TAppletData::pContentColor, "GG0000", "'$000000GG' is not a valid integer value"},
      {&TAppletData::pContentSize, "12.5", "'12.5' is not a valid integer value"},
  };
  const TAppletData shown = SampleAppletData();
  for (const auto& [member, bad, message] : cases) {
    agent.SetAppletData(shown);
    ASSERT_TRUE(pages.RefreshAppletPages().ok);
    TAppletData broken = DefaultAppletData();
    broken.*member = bad;
    agent.SetAppletData(broken);
    const TResult r = pages.RefreshAppletPages();
    EXPECT_FALSE(r.ok) << bad;
    EXPECT_EQ(r.message, message);
    EXPECT_EQ(pages.ShownAppletData(), shown) << bad;
  }
}

}  // namespace
