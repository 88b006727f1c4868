#include <gtest/gtest.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "output_gui/publish_report_window.h"

namespace {

TEST(PublishReportWindow, ShowsEveryLineOfTheReport) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QStringList lines;
  const QString rule(77, '=');
  lines << rule << "This message contain the information" << "" << "[Javascript menu script file(s)]:"
        << "  orvantalumeroll.js" << "  orvantalumeroll_news1_cfg.js";
  while (lines.size() < 16) lines << (lines.size() % 2 ? "" : rule);
  lines << rule;
  ASSERT_EQ(lines.size(), 17);
  QFile f(dir.filePath("PublishReport.txt"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write((lines.join("\r\n") + "\r\n").toLatin1());
  f.close();

  TfrmPublishReport window;
  EXPECT_EQ(window.windowTitle(), "Applet Publish Report");
  EXPECT_EQ(window.size(), QSize(536, 303));
  ASSERT_TRUE(window.LoadReport(f.fileName()));
  auto* memo = window.findChild<QPlainTextEdit*>("memoPublishReport");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isReadOnly());
  QStringList shown = memo->toPlainText().split('\n');
  ASSERT_EQ(shown.takeLast(), "");  // after the last line ending
  EXPECT_EQ(shown, lines);

  window.show();
  QTest::mouseClick(window.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_FALSE(window.LoadReport(dir.filePath("missing.txt")));
}

}  // namespace
