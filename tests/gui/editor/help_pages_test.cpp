// The help pages that ship in the resource folder: every topic the property
// pages open is there, and every link between our pages leads to a page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace {

const QString kResources = QStringLiteral(LUMEROLL_RESOURCE_SOURCE_DIR);

QString ReadText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

}  // namespace

TEST(HelpPagesTest, EveryTopicExistsAndHasATitle) {
  const QStringList topics = {"index.html",
                              "getting_started.htm",
                              "customizing_js_script_script_general.htm",
                              "customizing_js_script_script_border.htm",
                              "customizing_js_script_script_misc.htm",
                              "customizing_js_script_text_title.htm",
                              "customizing_js_script_text_content.htm",
                              "customizing_js_menu_path_path.htm",
                              "customizing_js_item_item_title.htm",
                              "customizing_js_item_item_link.htm",
                              "customizing_js_item_item_content.htm"};
  for (const QString& topic : topics) {
    const QString text = ReadText(kResources + "/help/" + topic);
    ASSERT_FALSE(text.isEmpty()) << topic.toStdString();
    QTextDocument document;
    document.setHtml(text);
    EXPECT_FALSE(document.metaInformation(QTextDocument::DocumentTitle).isEmpty()) << topic.toStdString();
  }
  EXPECT_FALSE(ReadText(kResources + "/samples/index.html").isEmpty());
}

TEST(HelpPagesTest, LinksBetweenOurPagesLeadToExistingPages) {
  const QRegularExpression link(QStringLiteral("<a\\s+href=\"([^\"#:]+)\""));
  int checked = 0;
  for (const QString& folder : {QStringLiteral("help"), QStringLiteral("samples")}) {
    const QDir dir(kResources + "/" + folder);
    for (const QString& page : dir.entryList({"*.htm", "*.html"}, QDir::Files)) {
      auto matches = link.globalMatch(ReadText(dir.filePath(page)));
      while (matches.hasNext()) {
        const QString target = matches.next().captured(1);
        ++checked;
        EXPECT_TRUE(QFile::exists(dir.filePath(target))) << page.toStdString() << " -> " << target.toStdString();
      }
    }
  }
  EXPECT_GT(checked, 20);
}

namespace {

// The pages share help.css; the help window must pick it up from the link.
TEST(HelpPagesTest, TheSharedStyleSheetReachesTheHelpWindow) {
  QTextBrowser browser;
  browser.setSource(QUrl::fromLocalFile(kResources + "/help/getting_started.htm"));
  QTextCursor heading(browser.document());
  bool found = false;
  for (QTextBlock b = browser.document()->begin(); b.isValid() && !found; b = b.next()) {
    if (b.blockFormat().headingLevel() != 2) continue;
    heading = QTextCursor(b);
    heading.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor("#1f4e79"));
    found = true;
  }
  EXPECT_TRUE(found);
}

}  // namespace
