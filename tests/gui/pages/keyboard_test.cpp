// The pages by keyboard alone: Tab order, the colour swatches, the content
// box letting Tab go, and which help topic F1 asks for.
#include <QApplication>
#include <QPlainTextEdit>

#include "editor/pages/color_swatch.h"
#include "editor/pages/page_links.h"
#include "pages_fixture.h"

namespace {

// The named control that holds the focus (a list's or number field's inner
// line edit counts as the control).
QString FocusedControl() {
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (!w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_"))) return w->objectName();
  }
  return QString();
}

class PagesKeyboardTest : public PagesTest {
 protected:
  PagesKeyboardTest() {
    tabs.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&tabs));
  }

  void ShowPageOf(QWidget* control) {
    for (int i = 0; i < tabs.count(); ++i)
      if (tabs.widget(i)->isAncestorOf(control)) tabs.setCurrentIndex(i);
    QCoreApplication::processEvents();
  }
};

TEST_F(PagesKeyboardTest, TabVisitsEveryControlOfAPageInReadingOrder) {
  const QStringList pages[] = {
      {"spnedtpWidth", "spnedtpHeight", "SpeedButton1", "spnedtpBorderWidth", "cmbxpBorderStyle", "pnlpBorderColor",
       "SpeedButton4", "spnedtpDelay", "pnlpBackgroundColor", "spnedtpPadding", "cmbxpCursor", "spnedtpZIndex",
       "SpeedButton5"},
      {"edtpTitleFontFamily", "spnedtpTitleSize", "spnedtpTitlePadding", "pnlpTitleColor", "spdbtnpTitleBold",
       "spdbtnpTitleItalic", "cmbxpTitleAlign", "SpeedButton2", "edtpContentFontFamily", "spnedtpContentSize",
       "spnedtpContentPadding", "pnlpContentColor", "spdbtnpContentBold", "spdbtnpContentItalic", "cmbxpContentAlign",
       "SpeedButton3"},
      {"edtICaption", "SpeedButton23", "cmbxILink", "spdbtnItURL", "cmbxITarget", "SpeedButton24", "rchedtIContent",
       "SpeedButton6"},
      {"edtpInternalUse_RootDir_Local", "edtpInternalUse_RootDir_Remote", "rdbtnpInternalUse_RootDir_Local_Checked",
       "SpeedButton28"},
  };
  for (const QStringList& expected : pages) {
    QWidget* first = tabs.findChild<QWidget*>(expected.front());
    ASSERT_NE(first, nullptr) << expected.front().toStdString();
    ShowPageOf(first);
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{FocusedControl()};
    // One more Tab than there are controls: the last one must lead out of the page.
    for (qsizetype i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (!tabs.currentWidget()->isAncestorOf(QApplication::focusWidget())) break;
      visited << FocusedControl();
    }
    EXPECT_EQ(visited, expected);
  }
}

TEST_F(PagesKeyboardTest, ShiftTabWalksBackFromTheContentBox) {
  auto* content = Find<QPlainTextEdit>("rchedtIContent");
  ShowPageOf(content);
  content->setFocus(Qt::TabFocusReason);
  QTest::keyClick(content, Qt::Key_Tab);
  EXPECT_EQ(FocusedControl(), "SpeedButton6");
  EXPECT_TRUE(content->toPlainText().isEmpty());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(FocusedControl(), "rchedtIContent");
  QTest::keyClick(content, Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(FocusedControl(), "SpeedButton24");
  EXPECT_TRUE(content->toPlainText().isEmpty());
}

TEST_F(PagesKeyboardTest, SpaceOrEnterOnASwatchOpensTheColourDialog) {
  const std::pair<const char*, Qt::Key> cases[] = {
      {"pnlpBorderColor", Qt::Key_Space},   {"pnlpBackgroundColor", Qt::Key_Return},
      {"pnlpTitleColor", Qt::Key_Enter},    {"pnlpContentColor", Qt::Key_Space},
  };
  int dialogs = 0;
  for (const auto& [name, key] : cases) {
    auto* swatch = Find<TColorSwatch>(name);
    ShowPageOf(swatch);
    swatch->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(swatch->hasFocus()) << name;
    prompts.colors = {QColor(0x12, 0x34, 0x56)};
    modified.clear();
    QTest::keyClick(swatch, key);
    EXPECT_EQ(prompts.colorDialogs, ++dialogs) << name;
    EXPECT_EQ(swatch->Color(), QColor(0x12, 0x34, 0x56)) << name;
    EXPECT_EQ(modified.count(), 1) << name;
    // Other keys leave the colour alone.
    QTest::keyClick(swatch, Qt::Key_A);
    QTest::keyClick(swatch, Qt::Key_Down);
    EXPECT_EQ(prompts.colorDialogs, dialogs) << name;
  }
}

TEST_F(PagesKeyboardTest, HelpForTheFocusIsTheTopicOfItsGroup) {
  const std::pair<const char*, int> cases[] = {
      {"spnedtpHeight", 1},       {"cmbxpBorderStyle", 2},    {"pnlpBackgroundColor", 3},
      {"spdbtnpTitleItalic", 4},  {"edtpContentFontFamily", 5}, {"rdbtnpInternalUse_RootDir_Local_Checked2", 6},
      {"edtICaption", 7},         {"cmbxITarget", 8},         {"rchedtIContent", 9},
      {"SpeedButton24", 8},
  };
  for (const auto& [name, tag] : cases) {
    QWidget* control = Find<QWidget>(name);
    help.clear();
    pages.ShowHelpFor(control);
    ASSERT_EQ(help.count(), 1) << name;
    EXPECT_EQ(help[0][0].toString(), QStringLiteral("file:///opt/lumeroll/help/") + HelpTopicFile(tag)) << name;
  }
  // Outside every group (the tree, the tab bar, nothing): the general topic.
  for (const QWidget* outside : {static_cast<const QWidget*>(&tabs), static_cast<const QWidget*>(nullptr)}) {
    help.clear();
    pages.ShowHelpFor(outside);
    ASSERT_EQ(help.count(), 1);
    EXPECT_EQ(help[0][0].toString(), QStringLiteral("file:///opt/lumeroll/help/getting_started.htm"));
  }
}

}  // namespace
