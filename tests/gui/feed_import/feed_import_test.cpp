// File > Import News Feed in the whole program: the dialog, the fetch on its
// own thread, the one undoable step, and what a failed or cancelled import
// leaves (nothing changed).

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

#include "app_files/app_files_fixture.h"
#include "feed/feed_import.h"
#include "feed/feed_test_support.h"
#include "feedimport/feed_import_commands.h"
#include "feedimport/feed_import_dialog.h"

namespace {

class FeedImportTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
    ASSERT_NE(Feeds(), nullptr);
    // A project of the user's own, saved and unmodified.
    const QString path = WriteProject("mine.jslr", {"Mine one", "Mine two", "Mine three"});
    ASSERT_TRUE(Files().OpenProjectFile(path)) << prompts.Texts().join("|").toStdString();
  }

  TFeedImportCommands* Feeds() { return Form().findChild<TFeedImportCommands*>(QStringLiteral("FeedImportCommands")); }
  QUndoStack& Undo() { return app->Document().UndoStack(); }

  // Runs File > Import News Feed with the dialog filled by `fill`; true when
  // OK was taken. Waits for the import to end.
  bool ImportThroughDialog(const std::function<void(TFeedImportDialog&)>& fill, bool ok = true) {
    bool shown = false;
    Feeds()->SetDialogRunner([&](TFeedImportDialog& dialog) {
      shown = true;
      fill(dialog);
      return ok && dialog.OkButton().isEnabled();
    });
    QSignalSpy finished(Feeds(), &TFeedImportCommands::ImportFinished);
    Action("ImportNewsFeed1")->trigger();
    EXPECT_TRUE(shown);
    if (!Feeds()->Busy()) return false;
    EXPECT_TRUE(finished.wait(20000));
    EXPECT_FALSE(Feeds()->Busy());
    return true;
  }

  // Imports `source` without the dialog and waits for the end.
  void Import(const std::string& source, int max = 10) {
    QSignalSpy finished(Feeds(), &TFeedImportCommands::ImportFinished);
    ASSERT_TRUE(Feeds()->StartImport(QString::fromStdString(source), max));
    ASSERT_TRUE(finished.wait(20000));
  }

  static TItemArray Expected(const std::string& source, size_t max) {
    TItemArray items;
    EXPECT_TRUE(ReadFeedItems(source, max, TFetchLimits{}, items).ok);
    return items;
  }
  QByteArray SavedProject(const QString& name) {
    const QString path = ProjectFolder() + name;
    EXPECT_TRUE(Form().Agent().SaveProject(Local(path)).ok);
    return ReadAll(path);
  }
};

TEST_F(FeedImportTest, TheActionIsConnectedAndSaysWhatItDoes) {
  QAction* action = Action("ImportNewsFeed1");
  ASSERT_NE(action, nullptr);
  EXPECT_TRUE(action->isEnabled());
  EXPECT_TRUE(action->statusTip().contains(QStringLiteral("feed")));
  // The busy bar and Cancel show only while an import runs.
  EXPECT_TRUE(Form().statusBar()->findChild<QProgressBar*>(QStringLiteral("prgrsbrFeedImport"))->isHidden());
  EXPECT_TRUE(Form().statusBar()->findChild<QPushButton*>(QStringLiteral("btnFeedImportCancel"))->isHidden());
}

// A label shows its "&" as a mnemonic only with a buddy; otherwise the
// ampersand appears as is.
TEST_F(FeedImportTest, TheDialogLabelsShowMnemonicsNotAmpersands) {
  TFeedImportDialog dialog(prompts);
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  ASSERT_GE(labels.size(), 2);
  for (const QLabel* label : labels) {
    if (label->text().contains('&')) {
      EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
    }
  }
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblFeedSource"))->buddy(),
            dialog.findChild<QLineEdit*>(QStringLiteral("edtFeedSource")));
}

// Saved feeds in the shapes publishers produce: the dialog's file (through
// Browse) and count give the items; the applet's parameters stay.
TEST_F(FeedImportTest, ImportingASavedFeedReplacesTheItemsAndKeepsTheParameters) {
  struct TCase {
    const char* feed;
    int count;
  } cases[] = {{"wordpress_rss.xml", 10}, {"blogger_atom.xml", 2}, {"feed.json", 1}, {"rss1.rdf", 3}};
  // The dialog offers 10 items first, then the last source and count.
  int offered = 10;
  QString lastSource;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.feed);
    const TAppletData applet = Form().Agent().AppletData();
    const int steps = Undo().count();
    prompts.fileNames = {QString::fromStdString(FeedFile(c.feed))};
    ASSERT_TRUE(ImportThroughDialog([&](TFeedImportDialog& dialog) {
      EXPECT_EQ(dialog.ItemCount(), offered);
      EXPECT_EQ(dialog.Source(), lastSource);
      dialog.BrowseClick();
      dialog.SetItemCount(c.count);
    }));
    offered = c.count;
    lastSource = QString::fromStdString(FeedFile(c.feed));
    EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join("|").toStdString();
    const TItemArray expected = Expected(FeedFile(c.feed), static_cast<size_t>(c.count));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Form().Agent().Items(), expected);
    EXPECT_EQ(Form().Agent().AppletData(), applet);
    EXPECT_TRUE(Form().Modified());
    EXPECT_TRUE(SaveEnabled());
    EXPECT_EQ(Undo().count(), steps + 1);
    EXPECT_EQ(Undo().undoText(), QStringLiteral("Import News Feed"));
    // The tree shows the new items under the root.
    const QStringList captions = AllCaptions();
    ASSERT_EQ(captions.size(), static_cast<int>(expected.size()) + 1);
    EXPECT_EQ(Caption(Child(0)).toStdString(), expected[0].ICaption);
  }
  // The file dialog was offered feed files.
  ASSERT_FALSE(prompts.fileDialogs.isEmpty());
  EXPECT_FALSE(prompts.fileDialogs[0].save);
  EXPECT_TRUE(prompts.fileDialogs[0].request.filter.contains(QStringLiteral("*.rss")));
}

// A feed's letters and ampersands show in the tree and the fields as a
// designer would have typed them, not as numeric references.
TEST_F(FeedImportTest, ImportedLettersShowAsLetters) {
  Import(FeedFile("letters_rss.xml"));
  ASSERT_EQ(AllCaptions().size(), 3);
  EXPECT_EQ(Caption(Child(0)), QStringLiteral("Grüße aus Köln"));
  EXPECT_EQ(Caption(Child(1)), QStringLiteral("Fish & Chips"));
  Tree().setCurrentIndex(Child(0));
  auto* caption = Form().findChild<QLineEdit*>(QStringLiteral("edtICaption"));
  auto* content = Form().findChild<QPlainTextEdit*>(QStringLiteral("rchedtIContent"));
  ASSERT_NE(caption, nullptr);
  ASSERT_NE(content, nullptr);
  EXPECT_EQ(caption->text(), QStringLiteral("Grüße aus Köln"));
  EXPECT_TRUE(content->toPlainText().startsWith(QStringLiteral("Fish & Chips, AT&amp;T & R&amp;D: 3 &lt; 4")))
      << content->toPlainText().toStdString();
  Tree().setCurrentIndex(Child(1));
  EXPECT_TRUE(content->toPlainText().startsWith(QStringLiteral("Don’t miss it"))) << content->toPlainText().toStdString();
}

TEST_F(FeedImportTest, UndoBringsThePreviousProjectBackByteForByte) {
  // An edit of the user's own before the import: undo stops after it.
  Tree().setCurrentIndex(Child(1));
  prompts.answers = {TAnswer::Yes};
  Form().Delete1Click();
  ASSERT_EQ(Form().Agent().Items().size(), 2u);
  const QByteArray before = SavedProject("before.jslr");
  Import(FeedFile("github_releases.atom"), 4);
  const QByteArray imported = SavedProject("imported.jslr");
  ASSERT_NE(imported, before);

  Undo().undo();
  EXPECT_EQ(SavedProject("undone.jslr"), before);
  EXPECT_EQ(AllCaptions(), (QStringList{AllCaptions()[0], "Mine one", "Mine three"}));
  Undo().redo();
  EXPECT_EQ(SavedProject("redone.jslr"), imported);
  // Two more undos: the import, then the delete.
  Undo().undo();
  Undo().undo();
  EXPECT_EQ(Form().Agent().Items().size(), 3u);
}

// A feed that cannot be read: one error box naming the trouble, and the
// project, tree, path, flag and history as they were.
TEST_F(FeedImportTest, AFeedThatCannotBeReadChangesNothing) {
  struct TCase {
    std::string source;
    const char* shown;  // part of the message
  } cases[] = {
      {FeedFile("not_well_formed.xml"), "not_well_formed.xml"},
      {FeedFile("no_entries.xml"), "no entries"},
      {FeedFile("html_page.html"), "html_page.html"},
      {FeedFile("missing.xml"), "missing.xml"},
      {"ftp://127.0.0.1/feed.xml", "ftp://127.0.0.1/feed.xml"},
      {"javascript:alert(1)", "javascript:alert(1)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.source);
    prompts.asked.clear();
    const TEditorState before = State();
    const int steps = Undo().count();
    Import(c.source);
    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
    EXPECT_TRUE(prompts.asked[0].text.contains(QString::fromStdString(c.shown))) << prompts.asked[0].text.toStdString();
    EXPECT_EQ(State(), before);
    EXPECT_EQ(Undo().count(), steps);
    EXPECT_TRUE(Action("ImportNewsFeed1")->isEnabled());
  }
}

TEST_F(FeedImportTest, CancellingTheDialogOrTheImportChangesNothing) {
  const TEditorState before = State();
  // Cancel in the dialog.
  EXPECT_FALSE(ImportThroughDialog([](TFeedImportDialog& d) { d.SetSource(QString::fromStdString(FeedFile("feed.json"))); },
                                   false));
  // OK cannot be taken without a source, and a Browse cancelled keeps the text.
  prompts.fileNames = {std::nullopt};
  EXPECT_FALSE(ImportThroughDialog([](TFeedImportDialog& d) {
    d.SetSource(QStringLiteral("   "));
    d.BrowseClick();
    EXPECT_EQ(d.SourceField().text(), QStringLiteral("   "));
    EXPECT_FALSE(d.OkButton().isEnabled());
  }));
  // Cancel while the feed is read: even a feed that arrives is not put in.
  QSignalSpy finished(Feeds(), &TFeedImportCommands::ImportFinished);
  ASSERT_TRUE(Feeds()->StartImport(QString::fromStdString(FeedFile("wordpress_rss.xml")), 5));
  EXPECT_FALSE(Action("ImportNewsFeed1")->isEnabled());
  QTest::mouseClick(Form().statusBar()->findChild<QPushButton*>(QStringLiteral("btnFeedImportCancel")),
                    Qt::LeftButton);
  ASSERT_TRUE(finished.wait(20000));
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join("|").toStdString();
  EXPECT_TRUE(Action("ImportNewsFeed1")->isEnabled());
}

// Over http from a local server: a feed is imported, and a server that never
// finishes leaves the window answering until Cancel stops the transfer.
TEST_F(FeedImportTest, ImportsOverHttpAndCancelStopsASlowServer) {
  TFeedServer server;
  if (server.BaseUrl().empty()) GTEST_SKIP() << "the local feed server did not start";
  Import(server.BaseUrl() + "/files/wordpress_rss.xml", 3);
  EXPECT_EQ(Form().Agent().Items(), Expected(FeedFile("wordpress_rss.xml"), 3));
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join("|").toStdString();

  const TEditorState before = State();
  QSignalSpy finished(Feeds(), &TFeedImportCommands::ImportFinished);
  ASSERT_TRUE(Feeds()->StartImport(QString::fromStdString(server.BaseUrl() + "/slow"), 3));
  // The window's own events go on being handled while the server waits.
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(20);
  QTest::qWait(400);
  EXPECT_TRUE(Feeds()->Busy());
  EXPECT_GE(ticks, 5);
  Feeds()->CancelImport();
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(prompts.asked.isEmpty()) << prompts.Texts().join("|").toStdString();
}

}  // namespace
