// From the editor to the browser: a project of three items made through the
// tree commands and the Item page, previewed with the default browser
// choice, and the captured page opened in headless Chromium, where the box
// must fade through the three items.

#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include "editor/pages/number_field.h"
#include "editor/pages/property_pages.h"
#include "output_fixture.h"

namespace {

using PreviewInChromiumTest = OutputAppTest;

TEST_F(PreviewInChromiumTest, TheBoxFadesThroughTheThreeItems) {
  const QString node = QStringLiteral(LUMEROLL_NODE);
  const QString browserTests = QStringLiteral(LUMEROLL_BROWSER_TESTS);
  if (node.isEmpty() || !QFileInfo::exists(browserTests + "/node_modules/playwright-core"))
    GTEST_SKIP() << "needs node and `npm ci` in " << browserTests.toStdString();

  StartApp();
  const QModelIndex root = RootNode();
  Tree().setCurrentIndex(root);
  for (int i = 0; i < 3; ++i) Action("Insert1")->trigger();
  ASSERT_EQ(Model().rowCount(root), 3);

  TPropertyPages& pages = Form().Pages();
  pages.tbshtMenu()->spnedtpDelay->setValue(300);
  const QStringList captions = {"Alpha", "Beta", "Gamma"};
  for (int i = 0; i < 3; ++i) {
    Tree().setCurrentIndex(Child(i, root));
    ASSERT_EQ(Form().CurrentItemNode(), Child(i, root));
    QLineEdit* caption = pages.tbshtItem()->edtICaption;
    caption->selectAll();
    QTest::keyClicks(caption, captions[i]);
    pages.tbshtItem()->rchedtIContent->setPlainText(QString("news number %1").arg(i + 1));
  }
  EXPECT_EQ(Caption(Child(2, root)), "Gamma");

  Action("Preview1")->trigger();
  ASSERT_EQ(launcher.launches.size(), 1);
  ASSERT_FALSE(launcher.launches[0].program);
  const QUrl url(launcher.launches[0].target);
  ASSERT_TRUE(url.isLocalFile());
  ASSERT_EQ(url.toLocalFile(), PreviewPage());
  ASSERT_EQ(Form().Agent().Items().size(), 3u);
  EXPECT_EQ(Form().Agent().Items()[2].ICaption, "Gamma");
  EXPECT_EQ(Form().Agent().AppletData().pDelay, "300");

  const QString out = QStringLiteral(LUMEROLL_APP_OUTPUT_OUT);
  ASSERT_TRUE(QDir().mkpath(out));
  const QString screenshot = out + "/preview-three-items.png";
  QFile::remove(screenshot);
  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LUMEROLL_BROWSER_TESTS", browserTests);
  run.setProcessEnvironment(environment);
  run.setProcessChannelMode(QProcess::MergedChannels);
  run.start(node, QStringList{QStringLiteral(LUMEROLL_PREVIEW_FADES), url.toString(QUrl::FullyEncoded), screenshot} +
                      captions);
  ASSERT_TRUE(run.waitForFinished(90000)) << run.readAll().toStdString();
  const std::string said = run.readAll().toStdString();
  EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << said;
  EXPECT_EQ(run.exitCode(), 0) << said;
  EXPECT_TRUE(QFileInfo(screenshot).size() > 0) << said;
}

}  // namespace
