// The window by keyboard: where the focus starts, F1 for the help of the
// group being edited, Escape to put the help window away.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>

#include "editor_fixture.h"
#include "help/help_window.h"

namespace {

class KeyboardTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    QDir().mkpath(folder.path() + "/help");
    for (const char* topic : {"getting_started.htm", "customizing_js_script_script_border.htm",
                              "customizing_js_item_item_link.htm"}) {
      QFile file(folder.path() + "/help/" + topic);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(QByteArray("<html><body><p>Topic ") + topic + "</p></body></html>");
    }
    help = std::make_unique<TfrmHelp>(launcher, form.get());
    form->SetHelpWindow(help.get());
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  void TearDown() override { help.reset(); }

  QString ShownTopic() const { return help->Browser().source().fileName(); }

  std::unique_ptr<TfrmHelp> help;
};

TEST_F(KeyboardTest, TheDesignTreeHasTheFocusAtStart) {
  EXPECT_EQ(QApplication::focusWidget(), form->findChild<QWidget*>("trvwDesignPanel"));
}

// The selection looks the same with and without the focus, and the style's
// own focus frame is faint, so the current row gets a dotted frame in the
// highlighted text's colour while the tree has the focus: the root row,
// selected at start, shows it before any key is pressed, and loses it when
// the focus leaves the tree.
TEST_F(KeyboardTest, TheCurrentRowHasADottedFrameWhileTheTreeHasTheFocus) {
  auto* tree = form->findChild<QTreeView*>("trvwDesignPanel");
  const QRect row = tree->visualRect(tree->currentIndex());
  ASSERT_TRUE(row.isValid());
  const QColor frame = tree->palette().color(QPalette::Active, QPalette::HighlightedText);
  auto framePixelsOnTopEdge = [&] {
    const QImage image = tree->viewport()->grab(row).toImage();
    int count = 0;
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, 0) == frame;
    return count;
  };
  ASSERT_TRUE(tree->hasFocus());
  EXPECT_GT(framePixelsOnTopEdge(), row.width() / 4);
  form->findChild<QTabWidget*>("pgcntrl1")->setFocus(Qt::OtherFocusReason);
  ASSERT_FALSE(tree->hasFocus());
  EXPECT_EQ(framePixelsOnTopEdge(), 0);
}

TEST_F(KeyboardTest, F1ShowsTheTopicOfTheGroupWithTheFocusAndEscapeClosesIt) {
  auto* pages = form->findChild<QTabWidget*>("pgcntrl1");
  const std::tuple<const char*, int, const char*> cases[] = {
      {"trvwDesignPanel", -1, "getting_started.htm"},
      {"cmbxpBorderStyle", 0, "customizing_js_script_script_border.htm"},
      {"spdbtnItURL", 2, "customizing_js_item_item_link.htm"},
  };
  for (const auto& [name, tab, topic] : cases) {
    if (tab >= 0) pages->setCurrentIndex(tab);
    QWidget* control = form->findChild<QWidget*>(name);
    ASSERT_NE(control, nullptr) << name;
    control->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(control->isAncestorOf(QApplication::focusWidget()) || control->hasFocus()) << name;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    ASSERT_TRUE(help->isVisible()) << name;
    EXPECT_EQ(ShownTopic(), topic) << name;
    EXPECT_TRUE(help->Browser().toPlainText().contains(topic)) << name;

    // The help window's text has the focus there.
    QTest::keyClick(&help->Browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible()) << name;
  }
}

}  // namespace
