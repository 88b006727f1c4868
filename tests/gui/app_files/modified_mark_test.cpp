// The modified mark is the history's clean state: what marks a project and
// what does not, Save and the title following it, and the save question
// asked only when it is set.

#include <QUndoStack>
#include <QWindow>

#include "app_files_fixture.h"
#include "editor/pages/color_swatch.h"

namespace {

class ModifiedMarkTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
    path = WriteProject("mark.jslr", {"A", "B", "C"});
    ASSERT_TRUE(Files().OpenProjectFile(path));
  }
  void Undo() { Action("Undo1")->trigger(); }
  void Redo() { Action("Redo1")->trigger(); }
  QString path;
};

TEST_F(ModifiedMarkTest, OnlyAStepAwayFromTheSavedOneMarksTheProject) {
  struct TCase {
    const char* what;
    std::function<void()> act;
    bool modified;
  };
  const std::vector<TCase> cases = {
      {"selecting an item", [&] { Tree().setCurrentIndex(Child(1)); }, false},
      {"selecting the root after an item",
       [&] {
         Tree().setCurrentIndex(Child(0));
         Tree().setCurrentIndex(RootNode());
       },
       false},
      {"deleting the root (refused)",
       [&] {
         Tree().setCurrentIndex(RootNode());
         Form().Delete1Click();
       },
       false},
      {"a declined delete",
       [&] {
         Tree().setCurrentIndex(Child(1));
         prompts.answers = {TAnswer::No};
         Form().Delete1Click();
       },
       false},
      {"moving the first item up",
       [&] {
         Tree().setCurrentIndex(Child(0));
         Form().MoveUp1Click();
       },
       false},
      {"moving the last item down",
       [&] {
         Tree().setCurrentIndex(Child(2));
         Form().MoveDown1Click();
       },
       false},
      {"a cancelled colour dialog",
       [&] {
         Tree().setCurrentIndex(RootNode());
         QTest::mouseClick(Form().findChild<TColorSwatch*>("pnlpBackgroundColor"), Qt::LeftButton);
       },
       false},
      {"an edit",
       [&] {
         Tree().setCurrentIndex(Child(0));
         Form().MoveDown1Click();
       },
       true},
      {"an edit undone to the saved step",
       [&] {
         Tree().setCurrentIndex(Child(0));
         Form().MoveDown1Click();
         Undo();
       },
       false},
      {"redo past the saved step",
       [&] {
         Tree().setCurrentIndex(Child(0));
         Form().MoveDown1Click();
         Undo();
         Redo();
       },
       true},
      {"undo past a save",
       [&] {
         Tree().setCurrentIndex(Child(0));
         Form().MoveDown1Click();
         ASSERT_TRUE(Files().Save1Click());
         Undo();
       },
       true},
      {"an edit, then Save",
       [&] {
         Tree().setCurrentIndex(RootNode());
         Form().Insert1Click();
         ASSERT_TRUE(Files().Save1Click());
       },
       false},
      {"a save, undo, redo back to it",
       [&] {
         Tree().setCurrentIndex(RootNode());
         Form().Insert1Click();
         ASSERT_TRUE(Files().Save1Click());
         Undo();
         Redo();
       },
       false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Files().OpenProjectFile(path));
    ASSERT_FALSE(Form().Modified());
    prompts.asked.clear();
    const int questions = c.what == std::string("deleting the root (refused)") ||
                                  c.what == std::string("a declined delete")
                              ? 1
                              : 0;
    c.act();
    EXPECT_EQ(prompts.asked.size(), questions);
    EXPECT_EQ(Form().Modified(), c.modified);
    EXPECT_EQ(SaveEnabled(), c.modified);
    EXPECT_EQ(Form().isWindowModified(), c.modified);
    // Closing and New ask only when the mark is set; Cancel keeps all.
    prompts.asked.clear();
    if (c.modified) prompts.answers = {TAnswer::Cancel, TAnswer::Cancel};
    EXPECT_EQ(Files().FormCloseQuery(), !c.modified);
    Files().New1Click();
    EXPECT_EQ(prompts.asked.size(), c.modified ? 2 : 0);
    EXPECT_EQ(Form().CurrentProjectPath().isEmpty(), !c.modified);
    if (c.modified) {
      // Answering No lets the work go.
      prompts.answers = {TAnswer::No};
      Files().New1Click();
      EXPECT_FALSE(Form().Modified());
    }
  }
}

TEST_F(ModifiedMarkTest, TheTitleNamesTheFileAndShowsTheMark) {
  EXPECT_EQ(Form().windowTitle(), "mark.jslr[*] - JavaScript Lumeroll");
  EXPECT_EQ(Form().windowFilePath(), path);
  Form().show();
  ASSERT_NE(Form().windowHandle(), nullptr);
  EXPECT_EQ(Form().windowHandle()->title(), "mark.jslr - JavaScript Lumeroll");
  Tree().setCurrentIndex(RootNode());
  Form().Insert1Click();
  EXPECT_EQ(Form().windowHandle()->title(), "mark.jslr* - JavaScript Lumeroll");

  // The placeholder's own characters in a file name are shown as they are
  // (Windows allows no "*" in a name, only the brackets).
#ifdef Q_OS_WIN
  const QString otherName = QStringLiteral("other [] name.jslr");
#else
  const QString otherName = QStringLiteral("other [*] name.jslr");
#endif
  const QString other = ProjectFolder() + otherName;
  prompts.fileNames = {other};
  ASSERT_TRUE(Files().Save2Click());
  EXPECT_EQ(Form().windowHandle()->title(), otherName + " - JavaScript Lumeroll");
  EXPECT_EQ(Form().windowFilePath(), other);

  prompts.answers = {TAnswer::No};
  Files().New1Click();
  EXPECT_EQ(Form().windowTitle(), "Untitled[*] - JavaScript Lumeroll");
  EXPECT_EQ(Form().windowHandle()->title(), "Untitled - JavaScript Lumeroll");
  EXPECT_FALSE(Form().isWindowModified());
}

}  // namespace
