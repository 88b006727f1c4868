// The window's layout at its starting size and at a large one. CTest runs
// this suite at the scale factors 1, 1.5 and 2 on a screen with room for
// both (LUMEROLL_TEST_SCREEN, see screen_test_main.cpp).
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "editor/main_form.h"
#include "support/scripted_prompts.h"

namespace {

constexpr QSize kStartingSize(747, 532);
constexpr QSize kLargeSize(1600, 1000);

// The scroll area a page sits in, so a small screen can still show it all.
bool IsPageScroller(const QWidget* w) { return w->objectName().startsWith(QStringLiteral("scrlpg")); }

// The controls whose sizes the pages decide (a list's or number field's inner
// parts are the control's own business).
bool IsLaidOutControl(const QWidget* w) {
  for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractSpinBox*>(up) ||
        (qobject_cast<const QAbstractScrollArea*>(up) && !IsPageScroller(up)))
      return false;
  }
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QGroupBox*>(w) ||
         (!w->objectName().isEmpty() && !w->objectName().startsWith(QStringLiteral("qt_")));
}

class WindowLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.path().toLocal8Bit().toStdString() + "/";
    form = std::make_unique<TMainForm>(TEditorServices{prompts, launcher, AppFolders{path, path}});
    pages = form->findChild<QTabWidget*>(QStringLiteral("pgcntrl1"));
    ASSERT_NE(pages, nullptr);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  void ShowTab(int tab) {
    pages->setTabVisible(tab, true);
    pages->setCurrentIndex(tab);
    QCoreApplication::processEvents();
  }

  void ResizeTo(QSize size) {
    form->resize(size);
    QCoreApplication::processEvents();
  }

  template <typename T = QWidget>
  T* Find(const char* name) {
    T* found = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // Every visible control of the window lies inside its parent, is at least
  // as large as it needs to show itself whole, and overlaps no sibling.
  void ExpectNothingClipped(const char* where) {
    const std::string scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toStdString();
    QList<QWidget*> controls;
    for (QWidget* w : form->centralWidget()->findChildren<QWidget*>())
      if (w->isVisible() && IsLaidOutControl(w)) controls << w;
    ASSERT_GT(controls.size(), 10) << where;
    for (const QWidget* w : controls) {
      const std::string name = (w->objectName().isEmpty() ? w->metaObject()->className()
                                                         : w->objectName().toStdString()) +
                                " at " + where + ", scale " + scale;
      const QWidget* parent = w->parentWidget();
      EXPECT_TRUE(parent->rect().contains(w->geometry())) << name;
      const auto* label = qobject_cast<const QLabel*>(w);
      if (label && label->wordWrap()) {
        EXPECT_GE(w->height(), label->heightForWidth(w->width())) << name;
      } else {
        const QSize needed = w->minimumSizeHint();
        EXPECT_GE(w->width(), needed.width()) << name;
        EXPECT_GE(w->height(), needed.height()) << name;
      }
      for (const QWidget* other : controls) {
        if (other != w && other->parentWidget() == parent)
          EXPECT_FALSE(w->geometry().intersects(other->geometry()))
              << name << " overlaps " << other->objectName().toStdString();
      }
    }
  }

  QTemporaryDir folder;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  std::unique_ptr<TMainForm> form;
  QTabWidget* pages = nullptr;
};

TEST_F(WindowLayoutTest, StartsAtItsStartingSize) { EXPECT_EQ(form->size(), kStartingSize); }

TEST_F(WindowLayoutTest, FieldsListsAndTheContentBoxGrowWithTheWindow) {
  struct TCase {
    int tab;
    const char* control;
    bool taller;  // grows in height too
  } cases[] = {
      {TMainForm::kScriptTab, "cmbxpBorderStyle", false},
      {TMainForm::kScriptTab, "cmbxpCursor", false},
      {TMainForm::kTextTab, "edtpTitleFontFamily", false},
      {TMainForm::kTextTab, "edtpContentFontFamily", false},
      {TMainForm::kItemTab, "edtICaption", false},
      {TMainForm::kItemTab, "cmbxILink", false},
      {TMainForm::kItemTab, "cmbxITarget", false},
      {TMainForm::kItemTab, "rchedtIContent", true},
      {TMainForm::kPathTab, "edtpInternalUse_RootDir_Local", false},
      {TMainForm::kPathTab, "edtpInternalUse_RootDir_Remote", false},
  };
  QWidget* tree = Find("pnlTreeView");
  for (const TCase& c : cases) {
    ResizeTo(kStartingSize);
    ShowTab(c.tab);
    QWidget* control = Find(c.control);
    const QSize starting = control->size();
    const int startingTree = tree->width();
    ResizeTo(kLargeSize);
    EXPECT_GT(control->width(), starting.width() + 200) << c.control;
    if (c.taller) EXPECT_GT(control->height(), starting.height() + 200) << c.control;
    // The tree panel takes its share of the width too.
    EXPECT_GT(tree->width(), startingTree + 100) << c.control;
  }
  // A field is wider than the starting fields of about 125 pixels even at the
  // starting size.
  ResizeTo(kStartingSize);
  ShowTab(TMainForm::kItemTab);
  EXPECT_GT(Find("edtICaption")->width(), 250);
}

TEST_F(WindowLayoutTest, NothingIsClippedOrOverlapsOnAnyPage) {
  for (QSize size : {kStartingSize, kLargeSize}) {
    ResizeTo(size);
    for (int tab : {TMainForm::kScriptTab, TMainForm::kTextTab, TMainForm::kItemTab, TMainForm::kPathTab}) {
      ShowTab(tab);
      const std::string where = pages->tabText(tab).toStdString() + " " + std::to_string(size.width());
      ExpectNothingClipped(where.c_str());
    }
  }
}

TEST_F(WindowLayoutTest, TheSplitterSharesTheWidthAndStillMovesByHand) {
  auto* splitter = Find<QSplitter>("Splitter1");
  EXPECT_EQ(splitter->handleWidth(), 3);
  EXPECT_NEAR(Find("pnlTreeView")->width(), 337, 2);
  const QList<int> sizes = splitter->sizes();
  splitter->setSizes({200, sizes[0] + sizes[1] - 200});
  QCoreApplication::processEvents();
  EXPECT_NEAR(Find("pnlTreeView")->width(), 200, 2);
  ShowTab(TMainForm::kItemTab);
  ExpectNothingClipped("after moving the splitter");
}

}  // namespace
