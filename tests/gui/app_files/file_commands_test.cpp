// The File menu's commands and what each leaves in the current project
// path, the modified flag (with Save enabled exactly while it is set), the
// recent files list and the preview folder.

#include <QSignalSpy>
#include <QUndoStack>
#include <functional>

#include "app_files_fixture.h"
#include "model/project_file.h"
#include "model/tree_math.h"

namespace {

class FileCommandsTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
  }
  // A project opened from a file and then edited.
  QString OpenEdited() {
    const QString path = WriteProject("open.jslr", {"One", "Two"});
    EXPECT_TRUE(Files().OpenProjectFile(path)) << prompts.Texts().join("|").toStdString();
    Tree().setCurrentIndex(RootNode());
    Form().Insert1Click();
    EXPECT_TRUE(Form().Modified());
    return path;
  }
};

TEST_F(FileCommandsTest, NewEmptiesThePathClearsTheFlagAndCleansThePreview) {
  const QString path = OpenEdited();
  FillPreview();
  prompts.answers = {TAnswer::No};
  Files().New1Click();
  EXPECT_EQ(prompts.asked.back().text, "Save changes to files?");
  EXPECT_EQ(prompts.asked.back().kind, TMessageKind::Warning);
  EXPECT_EQ(prompts.asked.back().buttons, TButtons::YesNoCancel);
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_FALSE(Form().Modified());
  EXPECT_FALSE(SaveEnabled());
  EXPECT_FALSE(PreviewExists());
  EXPECT_EQ(Model().rowCount(RootNode()), 0);
  EXPECT_EQ(Form().Agent().AppletData(), DefaultAppletData());
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + path});
}

// New, Open, a template and Import Menu Structure each put a whole project
// in with one reset of the views; only the import is a step of the history,
// and its undo gives back the project's bytes.
TEST_F(FileCommandsTest, EveryWholeProjectReplacementIsOneResetAndOnlyTheImportIsAStep) {
  const QString gms = ProjectFolder() + "menu.gms";
  {
    TkvdAppletAgent source;
    source.SetDefaults();
    for (const char* caption : {"S1", "S2"}) {
      TItemData item = DefaultItemData();
      item.ICaption = caption;
      item.ILevel = "0";
      source.InsertItem(source.ItemCount(), item);
    }
    ASSERT_TRUE(source.ExportStructure(Local(gms), {0, 1}).ok);
  }
  const QString project = WriteProject("whole.jslr", {"W"});
  struct TCase {
    const char* name;
    std::function<void()> run;
    bool step;  // a step of the history kept so far, or a history of its own
    QString stepName;
    std::vector<QString> nodes;
  };
  const TCase cases[] = {
      {"New", [&] { Files().New1Click(); }, false, QString(), {"JavaScript Lumeroll"}},
      {"Open", [&] { ASSERT_TRUE(Files().OpenProjectFile(project)); }, false, QString(), {"JavaScript Lumeroll", "W"}},
      {"template", [&] { ASSERT_TRUE(Files().OpenTemplate(project)); }, false, QString(), {"JavaScript Lumeroll", "W"}},
      {"import",
       [&] {
         prompts.fileNames = {gms};
         Files().ImportMenuStructure1Click();
       },
       true, QStringLiteral("Import Menu Structure"), {"JavaScript Lumeroll", "S1", "S2"}},
  };
  NullProgress quiet;
  auto bytes = [&] { return WriteProjectText(Form().Agent().AppletData(), Form().Agent().Items(), quiet); };
  for (const TCase& c : cases) {
    OpenEdited();
    prompts.answers = {TAnswer::No};
    const std::string before = bytes();
    QUndoStack& history = Form().Document().UndoStack();
    const int stepsBefore = history.count();
    QSignalSpy resets(&Form().Document(), &TLumerollDocument::ProjectReset);
    c.run();
    EXPECT_EQ(resets.count(), 1) << c.name;
    EXPECT_EQ(State().nodes, c.nodes) << c.name;
    ASSERT_EQ(history.count(), c.step ? stepsBefore + 1 : 0) << c.name;
    if (!c.step) continue;
    EXPECT_EQ(history.undoText(), c.stepName);
    history.undo();
    EXPECT_EQ(bytes(), before) << c.name;
    EXPECT_EQ(resets.count(), 2) << c.name;
  }
}

TEST_F(FileCommandsTest, OpenTakesThePathAddsItToTheRecentListAndCleansThePreview) {
  const QString path = WriteProject("a.jslr", {"Alpha", "Beta"});
  FillPreview();
  prompts.fileNames = {path};
  Files().Open1Click();
  ASSERT_EQ(prompts.fileDialogs.size(), 1);
  EXPECT_FALSE(prompts.fileDialogs[0].save);
  EXPECT_EQ(prompts.fileDialogs[0].request.filter, "JavaScript Lumeroll Files (*.jslr)|*.jslr");
  EXPECT_EQ(Form().CurrentProjectPath(), path);
  EXPECT_FALSE(Form().Modified());
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + path});
  EXPECT_EQ(RecentCaptions(), QStringList{"&1 " + path});
  EXPECT_FALSE(PreviewExists());
  EXPECT_EQ(Form().Agent().AppletData().pWidth, "321");
  EXPECT_EQ((std::vector<QString>{"JavaScript Lumeroll", "Alpha", "Beta"}), State().nodes);
  EXPECT_EQ(Tree().currentIndex(), RootNode());
}

TEST_F(FileCommandsTest, CancellingTheOpenDialogStillCleansThePreviewAndNothingElse) {
  OpenEdited();
  FillPreview();
  const TEditorState before = State();
  prompts.answers = {TAnswer::No};
  prompts.fileNames = {std::nullopt};
  Files().Open1Click();
  EXPECT_FALSE(PreviewExists());
  EXPECT_EQ(State(), before);
}

TEST_F(FileCommandsTest, SaveOnATitledProjectWritesThereAndClearsTheFlag) {
  const QString path = OpenEdited();
  const QByteArray old = ReadAll(path);
  ASSERT_TRUE(SaveEnabled());
  Button("tlbtnSave")->click();
  EXPECT_TRUE(prompts.fileDialogs.isEmpty());
  EXPECT_NE(ReadAll(path), old);
  EXPECT_EQ(Form().CurrentProjectPath(), path);
  EXPECT_FALSE(Form().Modified());
  EXPECT_FALSE(SaveEnabled());
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + path});
}

// Another project's published page beside it would show this project's items
// once the shared script is replaced: the save asks first, No writes nothing.
TEST_F(FileCommandsTest, SavingBesideAnotherPublishedProjectAsksFirst) {
  const QString path = OpenEdited();
  const QByteArray old = ReadAll(path);
  WriteProject("other.jslr", {"Theirs"});
  QFile page(ProjectFolder() + "other.html");
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write("<script language=\"javascript\" src=\"orvantalumeroll_news1_cfg.js\"></script>\r\n");
  page.close();
  const QString script = ProjectFolder() + "orvantalumeroll_news1_cfg.js";

  prompts.answers = {TAnswer::No};
  Action("Save1")->trigger();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Warning);
  EXPECT_EQ(prompts.asked[0].buttons, TButtons::YesNo);
  EXPECT_EQ(prompts.asked[0].text,
            "The folder already holds the published box of \"other.jslr\". Both use orvantalumeroll_news1_cfg.js, "
            "so other.html will show this project's items. Save anyway?");
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_FALSE(QFileInfo::exists(script));
  EXPECT_FALSE(QFileInfo::exists(ProjectFolder() + "open.html"));
  EXPECT_TRUE(Form().Modified());

  prompts.answers = {TAnswer::Yes};
  Action("Save1")->trigger();
  EXPECT_NE(ReadAll(path), old);
  EXPECT_TRUE(QFileInfo::exists(script));
  EXPECT_FALSE(Form().Modified());
}

TEST_F(FileCommandsTest, SaveOnAnUntitledProjectAsksAndTakesTheChosenPath) {
  Form().Insert1Click();
  const QString target = ProjectFolder() + "fresh";  // typed without extension
  prompts.fileNames = {target};
  Action("Save1")->trigger();
  ASSERT_EQ(prompts.fileDialogs.size(), 1);
  EXPECT_TRUE(prompts.fileDialogs[0].save);
  EXPECT_EQ(Form().CurrentProjectPath(), target);
  EXPECT_FALSE(Form().Modified());
  EXPECT_TRUE(QFileInfo::exists(target + ".jslr"));
  EXPECT_TRUE(RecentLines().isEmpty());
}

TEST_F(FileCommandsTest, SaveOnAnUntitledProjectWithTheDialogCancelledWritesNothing) {
  Form().Insert1Click();
  const TEditorState before = State();
  prompts.fileNames = {std::nullopt};
  Files().Save1Click();
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(SaveEnabled());
  EXPECT_TRUE(QDir(ProjectFolder()).isEmpty());
}

TEST_F(FileCommandsTest, SaveAsTakesTheNewPathAndLeavesTheOldFile) {
  const QString path = OpenEdited();
  const QByteArray old = ReadAll(path);
  const QString target = ProjectFolder() + "copy.jslr";
  prompts.fileNames = {target};
  Files().Save2Click();
  EXPECT_EQ(Form().CurrentProjectPath(), target);
  EXPECT_FALSE(Form().Modified());
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_TRUE(QFileInfo::exists(target));
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + path});
}

TEST_F(FileCommandsTest, SaveAsTemplateMakesTheTemplateTheProjectAndALaterSaveWritesIntoIt) {
  QDir(WorkingFolder() + "templates").removeRecursively();
  Form().Insert1Click();
  const QString target = WorkingFolder() + "templates/Mine.jslr";
  prompts.fileNames = {target};
  Files().SaveAsTemplate1Click();
  ASSERT_EQ(prompts.fileDialogs.size(), 1);
  EXPECT_EQ(QDir::cleanPath(prompts.fileDialogs[0].request.initialFolder), QDir::cleanPath(WorkingFolder() + "templates"));
  EXPECT_EQ(Form().CurrentProjectPath(), target);
  EXPECT_FALSE(Form().Modified());
  ASSERT_TRUE(QFileInfo::exists(target));

  const QByteArray first = ReadAll(target);
  Form().Insert1Click();
  Files().Save1Click();
  EXPECT_NE(ReadAll(target), first);
  EXPECT_EQ(prompts.fileDialogs.size(), 1);
  // Save As afterwards starts among the user's documents again.
  prompts.fileNames = {std::nullopt};
  Files().Save2Click();
  ASSERT_EQ(prompts.fileDialogs.size(), 2);
  EXPECT_EQ(prompts.fileDialogs[1].request.initialFolder, TFileCommands::DocumentsFolder());
}

TEST_F(FileCommandsTest, ImportKeepsThePathAndALaterSaveWritesToTheEarlierProject) {
  const QString path = OpenEdited();
  const QString gms = ProjectFolder() + "menu.gms";
  prompts.fileNames = {gms};
  Files().ExportMenuStructure1Click();
  ASSERT_TRUE(QFileInfo::exists(gms));

  prompts.answers = {TAnswer::No};
  prompts.fileNames = {gms};
  Files().ImportMenuStructure1Click();
  EXPECT_EQ(prompts.fileDialogs.back().request.filter, "General Menu Structure File (*.gms)|*.gms");
  EXPECT_EQ(Form().CurrentProjectPath(), path);
  // The imported items are in no file yet.
  EXPECT_TRUE(Form().Modified());
  EXPECT_TRUE(SaveEnabled());
  EXPECT_EQ(Form().Agent().ItemCount(), 3);
  EXPECT_EQ(RecentLines(), QStringList{"&1 " + path});
  EXPECT_TRUE(PreviewExists());  // created when missing

  Form().Insert1Click();
  const int dialogs = prompts.fileDialogs.size();
  Files().Save1Click();
  EXPECT_EQ(prompts.fileDialogs.size(), dialogs);
  std::vector<int> parents;
  TkvdAppletAgent reread;
  ASSERT_TRUE(reread.LoadProject(Local(path), parents).ok);
  EXPECT_EQ(reread.ItemCount(), 4);
}

TEST_F(FileCommandsTest, ImportOnAnUntitledProjectLeavesItUntitled) {
  const QString gms = ProjectFolder() + "menu.gms";
  Form().Insert1Click();
  prompts.fileNames = {gms};
  Files().ExportMenuStructure1Click();
  prompts.answers = {TAnswer::No};
  prompts.fileNames = {gms, std::nullopt};
  Files().ImportMenuStructure1Click();
  Form().Insert1Click();
  Files().Save1Click();  // asks for a file: the cancelled second name
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_EQ(prompts.fileDialogs.size(), 3);
  EXPECT_TRUE(prompts.fileDialogs.back().save);
}

struct TExportCase {
  const char* typed;
  const char* written;
};

class ExportNameTest : public FileCommandsTest, public ::testing::WithParamInterface<TExportCase> {};

TEST_P(ExportNameTest, AppendsTheExtensionUnlessTheNameEndsInIt) {
  Form().Insert1Click();
  const TEditorState before = State();
  prompts.fileNames = {ProjectFolder() + GetParam().typed};
  Files().ExportMenuStructure1Click();
  EXPECT_EQ(QDir(ProjectFolder()).entryList(QDir::Files), QStringList{GetParam().written});
  EXPECT_EQ(State(), before);  // path, flag and tree untouched
  EXPECT_TRUE(prompts.asked.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, ExportNameTest,
                         ::testing::Values(TExportCase{"x", "x.gms"}, TExportCase{"x.GMS", "x.GMS"},
                                           TExportCase{"x.gms", "x.gms"}, TExportCase{"x.gms.txt", "x.gms.txt.gms"}));

TEST_F(FileCommandsTest, ExportDoesNotReplaceTheOpenProject) {
  const QString path = WriteProject("news.gms", {"One", "Two"});
  ASSERT_TRUE(Files().OpenProjectFile(path));
  const QByteArray before = ReadAll(path);
  const TEditorState state = State();
  prompts.fileNames = {path};
  Files().ExportMenuStructure1Click();
  EXPECT_EQ(ReadAll(path), before);
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Error);
  EXPECT_EQ(prompts.asked[0].text, path + ": is the open project; not replaced.");
  EXPECT_EQ(State(), state);
  // Another name is written as ever.
  prompts.fileNames = {ProjectFolder() + "menu.gms"};
  Files().ExportMenuStructure1Click();
  EXPECT_TRUE(QFileInfo::exists(ProjectFolder() + "menu.gms"));
}

TEST_F(FileCommandsTest, ExportCancelledWritesNothing) {
  prompts.fileNames = {std::nullopt};
  Files().ExportMenuStructure1Click();
  EXPECT_TRUE(QDir(ProjectFolder()).isEmpty());
}

TEST_F(FileCommandsTest, YesThenCancelInTheSaveQuestionKeepsEverything) {
  Form().Insert1Click();
  Form().Insert1Click();
  FillPreview();
  const TEditorState before = State();
  const QString other = WriteProject("other.jslr", {"Other"});
  for (auto command : {&TFileCommands::New1Click, &TFileCommands::Open1Click,
                       &TFileCommands::ImportMenuStructure1Click}) {
    prompts.answers = {TAnswer::Yes};
    prompts.fileNames = {std::nullopt, other};
    (Files().*command)();
    EXPECT_EQ(State(), before);
    EXPECT_TRUE(PreviewExists());
    EXPECT_EQ(prompts.asked.back().text, "Save changes to files?");
    prompts.fileNames.clear();
  }
  prompts.answers = {TAnswer::Yes};
  prompts.fileNames = {std::nullopt};
  EXPECT_FALSE(Files().OpenProjectFile(other));
  EXPECT_EQ(State(), before);
}

TEST_F(FileCommandsTest, CancelInTheSaveQuestionKeepsEverything) {
  OpenEdited();
  const TEditorState before = State();
  prompts.answers = {TAnswer::Cancel, TAnswer::Cancel, TAnswer::Cancel};
  Files().New1Click();
  Files().Open1Click();
  Files().ImportMenuStructure1Click();
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(prompts.fileDialogs.isEmpty());
}

TEST_F(FileCommandsTest, YesInTheSaveQuestionSavesFirst) {
  const QString path = OpenEdited();
  const QString other = WriteProject("other.jslr", {"Other"});
  prompts.answers = {TAnswer::Yes};
  ASSERT_TRUE(Files().OpenProjectFile(other));
  TkvdAppletAgent reread;
  std::vector<int> parents;
  ASSERT_TRUE(reread.LoadProject(Local(path), parents).ok);
  EXPECT_EQ(reread.ItemCount(), 3);
  EXPECT_EQ(Form().CurrentProjectPath(), other);
}

struct TCloseCase {
  const char* name;
  TAnswer answer;
  bool closes;
  bool saved;
};

class CloseQuestionTest : public FileCommandsTest, public ::testing::WithParamInterface<TCloseCase> {};

TEST_P(CloseQuestionTest, AnswersAndAlwaysCleansThePreview) {
  const QString path = OpenEdited();
  const QByteArray old = ReadAll(path);
  FillPreview();
  prompts.answers = {GetParam().answer};
  EXPECT_EQ(Files().FormCloseQuery(), GetParam().closes);
  EXPECT_EQ(prompts.asked.back().text, "Save changes to files before Exit?");
  EXPECT_EQ(ReadAll(path) != old, GetParam().saved);
  EXPECT_FALSE(PreviewExists());
  EXPECT_EQ(Form().Modified(), !GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(Answers, CloseQuestionTest,
                         ::testing::Values(TCloseCase{"Yes", TAnswer::Yes, true, true},
                                           TCloseCase{"No", TAnswer::No, true, false},
                                           TCloseCase{"Cancel", TAnswer::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileCommandsTest, CloseQuestionOnAnUntitledProjectWithTheDialogCancelledStaysOpen) {
  Form().Insert1Click();
  FillPreview();
  const TEditorState before = State();
  prompts.answers = {TAnswer::Yes};
  prompts.fileNames = {std::nullopt};
  EXPECT_FALSE(Form().close());
  EXPECT_TRUE(Form().isVisible());
  EXPECT_EQ(State(), before);
  EXPECT_FALSE(PreviewExists());
}

// Ctrl+Q is bound as is (the desktop's Quit key may be empty) and goes
// through the same question as Exit.
TEST_F(FileCommandsTest, CtrlQQuitsThroughTheCloseQuestion) {
  EXPECT_EQ(Action("Exit1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  Form().Insert1Click();
  Form().show();
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  prompts.answers = {TAnswer::Cancel};
  QTest::keyClick(&Form(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(prompts.Texts(), QStringList{"Save changes to files before Exit?"});
  EXPECT_TRUE(Form().isVisible());
  prompts.answers = {TAnswer::No};
  QTest::keyClick(&Form(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(prompts.asked.size(), 2);
  EXPECT_FALSE(Form().isVisible());
}

TEST_F(FileCommandsTest, AnUnmodifiedProjectClosesWithoutAQuestion) {
  FillPreview();
  Action("Exit1")->trigger();
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(prompts.asked.isEmpty());
  EXPECT_FALSE(PreviewExists());
}

}  // namespace

namespace {

// A level the file gives with a sign, a blank or a leading zero is read the
// same by the tree as by the loader, so saving an untouched project keeps
// its shape.
TEST_F(FileCommandsTest, TheTreeReadsEveryLevelAsTheFileGivesIt) {
  for (const char* level : {"1", " 1", "+1", "01"}) {
    SCOPED_TRACE(level);
    TkvdAppletAgent agent;
    TItemData a = DefaultItemData();
    a.ICaption = "A";
    a.ILevel = "0";
    TItemData b = DefaultItemData();
    b.ICaption = "B";
    b.ILevel = level;
    agent.ReplaceProject(DefaultAppletData(), {a, b}, "");
    const QString path = ProjectFolder() + "levels.jslr";
    ASSERT_TRUE(agent.SaveProject(Local(path)).ok);
    ASSERT_TRUE(Files().OpenProjectFile(path));
    EXPECT_EQ(Form().TreeLevels(), (std::vector<int>{0, 1}));
    EXPECT_EQ(Model().rowCount(RootNode()), 1);

    const QString copy = ProjectFolder() + "copy.jslr";
    prompts.fileNames = {copy};
    ASSERT_TRUE(Files().Save2Click());
    TkvdAppletAgent reread;
    std::vector<int> parents;
    ASSERT_TRUE(reread.LoadProject(Local(copy), parents).ok);
    EXPECT_EQ(tree_math::LevelsFromParents(parents), (std::vector<int>{0, 1}));
  }
}

}  // namespace
