// Edits on the pages: the caption that the tree follows, the refused field
// separator, the colour and link dialogs, and which edits mark the project
// modified.
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <functional>

#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "pages_fixture.h"

namespace {

const QString kSeparatorWarning = QStringLiteral("The text can't include \"#$@\", it is used by system!");

class EditsTest : public PagesTest {
 protected:
  EditsTest() {
    TItemData item = DefaultItemData();
    item.ILevel = "0";
    index = AddItem(item);
    pages.RefreshItemPage(index);
    modified.clear();
  }

  // The item as the edits written through left it in the project.
  TItemData Committed() {
    TItemData item;
    agent.GetItemData(index, item);
    return item;
  }

  int index = -1;
};

TEST_F(EditsTest, CaptionTypedWithBlanksReachesTreeAndModelTrimmed) {
  Retype(Find<QLineEdit>("edtICaption"), QStringLiteral("  Hello world \t"));
  EXPECT_GT(modified.count(), 0);
  EXPECT_EQ(Committed().ICaption, "Hello world");
}

TEST_F(EditsTest, SeparatorIsRefusedInEveryOneLineFieldWhichKeepsTheRestOfItsText) {
  std::vector<TPageEdit> sent;
  pages.SetEditSink([&](const TPageEdit& edit) {
    sent.push_back(edit);
    Apply(edit);
  });
  for (const char* name : {"edtICaption", "cmbxILink", "cmbxITarget", "edtpTitleFontFamily", "edtpContentFontFamily",
                           "edtpInternalUse_RootDir_Local", "edtpInternalUse_RootDir_Remote"}) {
    auto* field = Find<QWidget>(name);
    ASSERT_NE(field, nullptr);
    prompts.asked.clear();
    prompts.answers = {TAnswer::Yes};
    Retype(field, QStringLiteral("ab#$@c"));
    ASSERT_EQ(prompts.asked.size(), 1) << name;
    EXPECT_EQ(prompts.asked[0].text, kSeparatorWarning);
    EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Warning);
    EXPECT_EQ(prompts.asked[0].buttons, TButtons::Yes);
    auto* list = qobject_cast<QComboBox*>(field);
    EXPECT_EQ(list ? list->currentText() : qobject_cast<QLineEdit*>(field)->text(), QStringLiteral("abc")) << name;
  }
  for (const TPageEdit& edit : sent) EXPECT_EQ(edit.after.find("#$@"), std::string::npos) << edit.after;
  const TItemData item = Committed();
  EXPECT_EQ(item.ILink, "abc");
  EXPECT_EQ(item.ICaption, "abc");
  EXPECT_EQ(agent.AppletData().pInternalUse_RootDir_Remote, "abc");
}

TEST_F(EditsTest, SeparatorTypedIntoContentLosesOnlyTheSeparator) {
  auto* content = Find<QPlainTextEdit>("rchedtIContent");
  content->setPlainText(QStringLiteral("Line one\nLine two"));
  content->moveCursor(QTextCursor::End);
  prompts.answers = {TAnswer::Yes};
  QTest::keyClicks(content, QStringLiteral("x#$@y"));
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].text, kSeparatorWarning);
  EXPECT_EQ(content->toPlainText(), "Line one\nLine twoxy");
  EXPECT_EQ(Committed().IContent, "Line one<br />Line twoxy<br />");
}

TEST_F(EditsTest, ContentLinesTypedAndCleared) {
  auto* content = Find<QPlainTextEdit>("rchedtIContent");
  content->selectAll();
  QTest::keyClick(content, Qt::Key_Backspace);
  EXPECT_EQ(Committed().IContent, "");
  QTest::keyClicks(content, QStringLiteral("First"));
  QTest::keyClick(content, Qt::Key_Return);
  QTest::keyClicks(content, QStringLiteral("Second"));
  EXPECT_EQ(Committed().IContent, "First<br />Second<br />");
  QTest::keyClick(content, Qt::Key_Return);
  EXPECT_EQ(Committed().IContent, "First<br />Second<br />");
  QTest::keyClick(content, Qt::Key_Return);
  EXPECT_EQ(Committed().IContent, "First<br />Second<br /><br />");
}

TEST_F(EditsTest, ClearedWidthCommitsTheMinimum) {
  auto* width = Find<TNumberField>("spnedtpWidth");
  Retype(width, QString());
  // An empty field is no number yet; finishing the edit reads it as one.
  QTest::keyClick(width, Qt::Key_Return);
  EXPECT_EQ(width->text(), "-9999");
  EXPECT_EQ(agent.AppletData().pWidth, "-9999");
  agent.SetAppletData(DefaultAppletData());
  ASSERT_TRUE(pages.RefreshAppletPages().ok);
  EXPECT_EQ(Find<TNumberField>("spnedtpWidth")->text(), "240");
}

TEST_F(EditsTest, ColourDialogConfirmedOrCancelled) {
  auto* swatch = Find<TColorSwatch>("pnlpBackgroundColor");
  QTest::mouseClick(swatch, Qt::LeftButton);  // nothing queued: the dialog is cancelled
  EXPECT_EQ(prompts.colorDialogs, 1);
  // A cancelled dialog is no edit.
  EXPECT_EQ(modified.count(), 0);
  EXPECT_EQ(agent.AppletData().pBackgroundColor, "FFFFFF");

  prompts.colors = {QColor(0x12, 0x34, 0x56)};
  QTest::mouseClick(swatch, Qt::LeftButton);
  EXPECT_EQ(modified.count(), 1);
  EXPECT_EQ(agent.AppletData().pBackgroundColor, "123456");
}

TEST_F(EditsTest, LinkBrowseTurnsTheChosenFileIntoAnAddress) {
  auto* link = Find<QComboBox>("cmbxILink");
  prompts.fileNames = {std::nullopt};
  QTest::mouseClick(Find<QToolButton>("spdbtnItURL"), Qt::LeftButton);
  EXPECT_EQ(link->currentText(), QString());
  EXPECT_EQ(modified.count(), 0);

  prompts.fileNames = {QStringLiteral("/srv/site/news.html")};
  QTest::mouseClick(Find<QToolButton>("spdbtnItURL"), Qt::LeftButton);
  ASSERT_EQ(prompts.fileDialogs.size(), 2);
  EXPECT_FALSE(prompts.fileDialogs[1].save);
  EXPECT_EQ(prompts.fileDialogs[1].request.filter, "HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*");
  EXPECT_EQ(link->currentText(), "file:///srv/site/news.html");
  EXPECT_GT(modified.count(), 0);
  EXPECT_EQ(Committed().ILink, "file:///srv/site/news.html");
}

TEST_F(EditsTest, EveryKindOfEditMarksTheProjectModified) {
  const std::pair<const char*, std::function<void(QWidget*)>> cases[] = {
      {"spnedtpDelay", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Up); }},
      {"spnedtpTitleSize", [](QWidget* w) { Retype(w, QStringLiteral("9")); }},
      {"edtpTitleFontFamily", [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("x")); }},
      {"cmbxpTitleAlign", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Down); }},
      {"cmbxpBorderStyle", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Down); }},
      {"cmbxpCursor", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Up); }},
      {"spdbtnpContentItalic", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }},
      {"cmbxITarget", [](QWidget* w) { Retype(w, QStringLiteral("_top")); }},
      {"rchedtIContent", [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("z")); }},
      {"edtpInternalUse_RootDir_Remote", [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("h")); }},
      {"rdbtnpInternalUse_RootDir_Local_Checked2", [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }},
  };
  for (const auto& [name, edit] : cases) {
    auto* control = Find<QWidget>(name);
    ASSERT_NE(control, nullptr);
    modified.clear();
    edit(control);
    EXPECT_GT(modified.count(), 0) << name;
  }
}

}  // namespace
