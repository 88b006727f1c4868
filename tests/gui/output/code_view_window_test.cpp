#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include "output_gui/code_view_window.h"

namespace {

TEST(CodeViewWindow, LooksAsDescribed) {
  TformHTML window;
  EXPECT_EQ(window.windowTitle(), "HTML");
  EXPECT_EQ(window.size(), QSize(672, 517));
  auto* memo = window.findChild<QPlainTextEdit*>("memoHTMLBuild");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
  ASSERT_NE(window.findChild<QPushButton*>("Button2"), nullptr);
  EXPECT_EQ(window.findChild<QPushButton*>("Button2")->text(), "&Copy to Clipboard");
}

TEST(CodeViewWindow, CopyTakesTheWholePageWhateverIsSelected) {
  TformHTML window;
  const QString page = "<html>\n<head>\n  <title>Preview</title>\n</head>\n<body>\n</body>\n</html>";
  window.SetPageText(page);
  auto* memo = window.findChild<QPlainTextEdit*>("memoHTMLBuild");
  QTextCursor cursor = memo->textCursor();
  cursor.setPosition(8);
  cursor.setPosition(14, QTextCursor::KeepAnchor);
  memo->setTextCursor(cursor);
  QGuiApplication::clipboard()->setText("old");

  window.show();
  QTest::mouseClick(window.findChild<QPushButton*>("Button2"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), page);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(memo->textCursor().selectedText().size(), page.size());
}

TEST(CodeViewWindow, OkClosesWithAccept) {
  TformHTML window;
  window.show();
  QPushButton* ok = nullptr;
  for (auto* b : window.findChildren<QPushButton*>())
    if (b->text() == "&OK") ok = b;
  ASSERT_NE(ok, nullptr);
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace
