// What the four pages hold: every control under its name and of its kind,
// the groups, labels and help buttons.
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "editor/pages/page_links.h"
#include "pages_fixture.h"

namespace {

QStringList Entries(const QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

TEST_F(PagesTest, PagesAndGroups) {
  const std::pair<const char*, QStringList> cases[] = {
      {"tbshtMenu", {"General", "Border", "Misc"}},
      {"tbshtText", {"Title", "Content"}},
      {"tbshtItem", {"Title", "Link", "Content"}},
      {"tbshtPath", {"Path Replacement for Publishing"}},
  };
  ASSERT_EQ(tabs.count(), 4);
  int tab = 0;
  for (const auto& [name, groups] : cases) {
    QWidget* page = Find<QWidget>(name);
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(tabs.widget(tab)->isAncestorOf(page) || tabs.widget(tab) == page) << name;
    QStringList titles;
    for (const QGroupBox* box : page->findChildren<QGroupBox*>()) titles << box->title();
    EXPECT_EQ(titles, groups) << name;
    ++tab;
  }
  EXPECT_EQ(tabs.tabText(0), "Script");
  EXPECT_EQ(tabs.tabText(1), "Text");
  EXPECT_EQ(tabs.tabText(2), "Item");
  EXPECT_EQ(tabs.tabText(3), "Path");
}

TEST_F(PagesTest, NumberFields) {
  for (const char* name : {"spnedtpWidth", "spnedtpHeight", "spnedtpBorderWidth", "spnedtpDelay", "spnedtpPadding",
                           "spnedtpZIndex", "spnedtpTitleSize", "spnedtpTitlePadding", "spnedtpContentSize",
                           "spnedtpContentPadding"}) {
    auto* field = Find<TNumberField>(name);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->minimum(), -9999) << name;
    EXPECT_EQ(field->maximum(), 9999) << name;
    EXPECT_EQ(field->singleStep(), 1) << name;
  }
}

TEST_F(PagesTest, NumberTypingTakesDigitsAndSignsOnly) {
  auto* field = Find<TNumberField>("spnedtpHeight");
  const std::pair<const char*, int> cases[] = {
      {"12a3", 123}, {"-45", -45}, {"+7", 7}, {"x.9,", 9}, {"-", -9999}, {"", -9999},
  };
  for (const auto& [typed, value] : cases) {
    Retype(field, QString::fromLatin1(typed));
    EXPECT_EQ(field->NumberValue(), value) << typed;
  }
  // Leaving the field with a text that is not a number shows what it counts as.
  Retype(field, QStringLiteral("-"));
  field->interpretText();
  EXPECT_EQ(field->text(), "-9999");
}

TEST_F(PagesTest, FixedListsAndSuggestions) {
  const std::pair<const char*, QStringList> fixed[] = {
      {"cmbxpBorderStyle",
       {"none", "dotted", "dashed", "solid", "double", "groove", "ridge", "inset", "window-inset", "outset"}},
      {"cmbxpCursor", {"auto",       "crosshair",  "default",    "hand",        "help",        "move",
                       "pointer",    "text",       "wait",       "N-resize",    "NE-resize",   "NW-resize",
                       "S-resize",   "SE-resize",  "SW-resize",  "E-resize",    "W-resize",    "all-scroll",
                       "col-resize", "no-drop",    "not-allowed", "progress",   "row-resize",  "url(uri)",
                       "vertical-text"}},
      {"cmbxpTitleAlign", {"left", "center", "right"}},
      {"cmbxpContentAlign", {"left", "center", "right"}},
  };
  for (const auto& [name, entries] : fixed) {
    auto* list = Find<QComboBox>(name);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isEditable()) << name;
    EXPECT_EQ(Entries(list), entries) << name;
  }
  const std::pair<const char*, QStringList> editable[] = {
      {"cmbxILink", {"http://", "mailto://", "javascript:", "ftp://", "news://"}},
      {"cmbxITarget", {"_self", "_blank", "_parent", "_top", "_search", "_media"}},
  };
  for (const auto& [name, entries] : editable) {
    auto* list = Find<QComboBox>(name);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isEditable()) << name;
    EXPECT_EQ(Entries(list), entries) << name;
  }
}

TEST_F(PagesTest, SwatchesTogglesAndTextFields) {
  for (const char* name : {"pnlpBorderColor", "pnlpBackgroundColor", "pnlpTitleColor", "pnlpContentColor"}) {
    auto* swatch = Find<TColorSwatch>(name);
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->size(), QSize(22, 22)) << name;
    EXPECT_EQ(swatch->cursor().shape(), Qt::PointingHandCursor) << name;
  }
  for (const char* name : {"spdbtnpTitleBold", "spdbtnpTitleItalic", "spdbtnpContentBold", "spdbtnpContentItalic"}) {
    auto* toggle = Find<QToolButton>(name);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isCheckable()) << name;
    EXPECT_TRUE(toggle->autoRaise()) << name;
  }
  for (const char* name : {"edtpTitleFontFamily", "edtpContentFontFamily", "edtICaption",
                           "edtpInternalUse_RootDir_Local", "edtpInternalUse_RootDir_Remote"})
    EXPECT_NE(Find<QLineEdit>(name), nullptr);
  EXPECT_NE(Find<QToolButton>("spdbtnItURL"), nullptr);
  auto* content = Find<QPlainTextEdit>("rchedtIContent");
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(content->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(content->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(content->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(Find<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked")->text(),
            "Test on Local Computer (Convert to Local Path)");
  EXPECT_EQ(Find<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked2")->text(),
            "Upload to Web Server (Convert to Web Path)");
}

TEST_F(PagesTest, LabelsAreBoldButTheExplanation) {
  QStringList labels;
  for (const QLabel* label : tabs.findChildren<QLabel*>()) {
    if (label->objectName() == "lblExplanation") continue;
    EXPECT_TRUE(label->font().bold()) << label->text().toStdString();
    labels << label->text();
  }
  for (const char* text : {"News Box Width", "Height", "Width", "Style", "Color", "Delay", "Background Color",
                           "Padding", "Cursor", "Z-Index", "Font", "Size", "Align", "URL", "Target",
                           "Root Directory for Local Computer", "e.g. file:///C:/projects/websites/orvanta/",
                           "Root Directory for Web Server", "e.g. http://www.example.org/"})
    EXPECT_TRUE(labels.contains(QString::fromLatin1(text))) << text;
  auto* explanation = Find<QLabel>("lblExplanation");
  ASSERT_NE(explanation, nullptr);
  EXPECT_FALSE(explanation->font().bold());
  EXPECT_TRUE(explanation->wordWrap());
  EXPECT_EQ(explanation->text(),
            "If item's URL contains either local or web path you specified here, one path will be replaced by "
            "another depending on the choice below. Local path will be replaced by web path for uploading if you "
            "need to upload the menu to web server to test or publish. ");
}

TEST_F(PagesTest, EveryGroupHasItsHelpButtonAtTheRightEdge) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"SpeedButton1", 1, "General"}, {"SpeedButton4", 2, "Border"},  {"SpeedButton5", 3, "Misc"},
      {"SpeedButton2", 4, "Title"},   {"SpeedButton3", 5, "Content"},
      {"SpeedButton28", 6, "Path Replacement for Publishing"},
      {"SpeedButton23", 7, "Title"},  {"SpeedButton24", 8, "Link"},   {"SpeedButton6", 9, "Content"},
  };
  for (const auto& [name, tag, group] : cases) {
    auto* button = Find<QToolButton>(name);
    ASSERT_NE(button, nullptr);
    for (int i = 0; i < tabs.count(); ++i)
      if (tabs.widget(i)->isAncestorOf(button)) tabs.setCurrentIndex(i);
    QCoreApplication::processEvents();
    ASSERT_TRUE(button->isVisible()) << name;
    EXPECT_EQ(button->property("tag").toInt(), tag) << name;
    auto* box = qobject_cast<QGroupBox*>(button->parentWidget());
    ASSERT_NE(box, nullptr) << name;
    EXPECT_EQ(box->title(), group) << name;
    for (const QWidget* other : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other != button && other->isVisible()) {
        EXPECT_GE(button->geometry().left(), other->geometry().right())
            << name << " beside " << other->objectName().toStdString();
      }
    }
    help.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(help.count(), 1) << name;
    EXPECT_EQ(help[0][0].toString(), QStringLiteral("file:///opt/lumeroll/help/") + HelpTopicFile(tag));
  }
}

}  // namespace

namespace {

TEST(PagesHostTest, FillsTheTabsTheWindowAlreadyHas) {
  TkvdAppletAgent agent;
  TScriptedPrompts prompts;
  QTabWidget pgcntrl1;
  QList<QWidget*> tabs;
  for (int i = 0; i < 4; ++i) {
    tabs << new QWidget;
    pgcntrl1.addTab(tabs.last(), QString());
  }
  {
    TPropertyPages pages(agent, prompts, QString());
    pages.HostIn(&pgcntrl1);
    ASSERT_EQ(pgcntrl1.count(), 4);
    const QWidget* expected[] = {pages.tbshtMenu(), pages.tbshtText(), pages.tbshtItem(), pages.tbshtPath()};
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(pgcntrl1.widget(i), tabs[i]);
      EXPECT_EQ(expected[i]->parentWidget(), tabs[i]);
    }
    EXPECT_EQ(pgcntrl1.tabText(2), "Item");
  }
  // The hosted pages belong to the tab control and outlive the binding.
  EXPECT_NE(pgcntrl1.findChild<QWidget*>(QStringLiteral("tbshtPath")), nullptr);
}

}  // namespace
