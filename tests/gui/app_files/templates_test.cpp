// The templates dialog: its list, OK, double-click, Cancel and the check box
// that decides whether it is offered at start.

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUndoStack>

#include "app_files_fixture.h"

namespace {

class TemplatesTest : public AppFilesTest {
 protected:
  // Runs the templates dialog from the File menu; `act` works it.
  void WithDialog(const std::function<void(TfrmTemplet&)>& act) {
    onTemplates = [act](TfrmTemplet& dialog) {
      dialog.show();
      act(dialog);
    };
    Action("Templet1")->trigger();
  }
  static QListWidget* List(TfrmTemplet& d) { return d.findChild<QListWidget*>(QStringLiteral("TempletList")); }
  static QCheckBox* Box(TfrmTemplet& d) { return d.findChild<QCheckBox*>(QStringLiteral("chckbxDontShow")); }
  static void Click(TfrmTemplet& d, const char* button) {
    d.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  }
  QVariant Stored() {
    QSettings s(settingsPath, QSettings::IniFormat);
    return s.value(QStringLiteral("Settings/ShowTempletsDialog"));
  }
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet&) {};
    StartApp();
  }
};

TEST_F(TemplatesTest, ListsTheTemplatesByNameWithoutTheExtension) {
  QFile(WorkingFolder() + "templates/notes.txt").open(QIODevice::WriteOnly);
  QFile(WorkingFolder() + "templates/zz.two.jslr").open(QIODevice::WriteOnly);
  const QStringList files = QDir(WorkingFolder() + "templates").entryList({"*.jslr"}, QDir::Files, QDir::Name);
  WithDialog([&](TfrmTemplet& d) {
    EXPECT_EQ(d.windowTitle(), "Template");
    ASSERT_EQ(List(d)->count(), files.size());
    for (int i = 0; i < List(d)->count(); ++i)
      EXPECT_EQ(List(d)->item(i)->text() + ".jslr", files[i]);
    EXPECT_EQ(List(d)->item(List(d)->count() - 1)->text(), "zz.two");
    EXPECT_FALSE(Box(d)->isChecked());
  });
}

// The first line is highlighted and chosen at start: Enter opens it, as do
// Down then Enter for the second.
TEST_F(TemplatesTest, EnterOpensTheHighlightedTemplate) {
  const QDir templates(WorkingFolder() + "templates");
  const QStringList files = templates.entryList({"*.jslr"}, QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 2);
  for (int row : {0, 1}) {
    WithDialog([&](TfrmTemplet& d) {
      EXPECT_EQ(List(d)->currentRow(), 0);
      ASSERT_EQ(List(d)->selectedItems().size(), 1);
      EXPECT_EQ(List(d)->selectedItems()[0], List(d)->item(0));
      List(d)->setFocus();
      if (row == 1) QTest::keyClick(List(d), Qt::Key_Down);
      QTest::keyClick(List(d), Qt::Key_Return);
      EXPECT_FALSE(d.isVisible());
    });
    TkvdAppletAgent expected;
    std::vector<int> parents;
    ASSERT_TRUE(expected.LoadProject(Local(templates.filePath(files[row])), parents).ok);
    EXPECT_EQ(Form().Agent().Items(), expected.Items()) << row;
    EXPECT_EQ(Form().Agent().AppletData(), expected.AppletData()) << row;
    EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  }
}

TEST_F(TemplatesTest, OkWithNothingSelectedOpensNothing) {
  Form().Insert1Click();
  const TEditorState before = State();
  bool closed = false;
  WithDialog([&](TfrmTemplet& d) {
    List(d)->clearSelection();
    Click(d, "btnOK");
    closed = !d.isVisible();
  });
  EXPECT_TRUE(closed);
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(prompts.asked.isEmpty());
}

// A template is where a project starts, never the project itself: it opens
// untitled like New, and saving asks for a name outside the program's
// folders, so the templates folder stays exactly as it was.
TEST_F(TemplatesTest, OkStartsAnUntitledProjectAndTheTemplatesStayAsTheyWere) {
  const QDir templates(WorkingFolder() + "templates");
  const QStringList listing = templates.entryList(QDir::Files, QDir::Name);
  ASSERT_FALSE(listing.isEmpty());
  std::vector<QByteArray> bytes;
  for (const QString& name : listing) bytes.push_back(ReadAll(templates.filePath(name)));

  QString chosen;
  WithDialog([&](TfrmTemplet& d) {
    List(d)->setCurrentRow(1);
    chosen = templates.filePath(List(d)->item(1)->text() + ".jslr");
    Click(d, "btnOK");
  });
  TkvdAppletAgent expected;
  std::vector<int> parents;
  ASSERT_TRUE(expected.LoadProject(Local(chosen), parents).ok);
  EXPECT_EQ(Form().Agent().Items(), expected.Items());
  EXPECT_EQ(Form().Agent().AppletData(), expected.AppletData());
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_EQ(Form().windowTitle(), "Untitled[*] - JavaScript Lumeroll");
  EXPECT_TRUE(RecentLines().isEmpty());
  EXPECT_FALSE(Form().Modified());
  EXPECT_EQ(Form().Document().UndoStack().count(), 0);

  // Edit and save: the dialog asks for a name, starting among the user's documents.
  Tree().setCurrentIndex(RootNode());
  Form().Insert1Click();
  const QString saved = ProjectFolder() + "mine.jslr";
  prompts.fileNames = {saved};
  Action("Save1")->trigger();
  ASSERT_EQ(prompts.fileDialogs.size(), 1);
  EXPECT_TRUE(prompts.fileDialogs[0].save);
  EXPECT_EQ(prompts.fileDialogs[0].request.initialFolder, TFileCommands::DocumentsFolder());
  EXPECT_EQ(Form().CurrentProjectPath(), saved);
  EXPECT_FALSE(Form().Modified());
  Form().Insert1Click();
  Action("Save1")->trigger();

  EXPECT_EQ(templates.entryList(QDir::Files, QDir::Name), listing);
  for (size_t i = 0; i < bytes.size(); ++i)
    EXPECT_EQ(ReadAll(templates.filePath(listing[static_cast<qsizetype>(i)])), bytes[i]) << listing[i].toStdString();
  EXPECT_EQ(Form().Agent().ItemCount(), static_cast<int>(expected.Items().size()) + 2);
}

TEST_F(TemplatesTest, ATemplateOnAModifiedProjectAsksToSaveFirst) {
  Form().Insert1Click();
  const TEditorState before = State();
  prompts.answers = {TAnswer::Cancel};
  WithDialog([&](TfrmTemplet& d) {
    List(d)->setCurrentRow(0);
    Click(d, "btnOK");
  });
  EXPECT_EQ(prompts.Texts(), QStringList{"Save changes to files?"});
  EXPECT_EQ(State(), before);
}

TEST_F(TemplatesTest, DoubleClickOpensLikeOk) {
  WithDialog([&](TfrmTemplet& d) {
    QListWidgetItem* item = List(d)->item(0);
    List(d)->setCurrentItem(item);
    emit List(d)->itemDoubleClicked(item);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_GT(Form().Agent().ItemCount(), 0);
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
}

TEST_F(TemplatesTest, CancelStartsANewProject) {
  ASSERT_TRUE(Files().OpenProjectFile(WriteProject("p.jslr", {"x"})));
  WithDialog([](TfrmTemplet& d) { Click(d, "btnCancel"); });
  EXPECT_TRUE(Form().CurrentProjectPath().isEmpty());
  EXPECT_EQ(Form().Agent().ItemCount(), 0);
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(TemplatesTest, CancelOnAModifiedProjectAsksAndCancelThereKeepsTheProject) {
  ASSERT_TRUE(Files().OpenProjectFile(WriteProject("p.jslr", {"x"})));
  Form().Insert1Click();
  const TEditorState before = State();
  prompts.answers = {TAnswer::Cancel};
  bool closed = false;
  WithDialog([&](TfrmTemplet& d) {
    Click(d, "btnCancel");
    closed = !d.isVisible();
  });
  EXPECT_EQ(prompts.Texts(), QStringList{"Save changes to files?"});
  EXPECT_TRUE(closed);
  EXPECT_EQ(State(), before);
}

TEST_F(TemplatesTest, EscapeIsCancel) {
  Form().Insert1Click();
  prompts.answers = {TAnswer::No};
  WithDialog([](TfrmTemplet& d) { QTest::keyClick(&d, Qt::Key_Escape); });
  EXPECT_EQ(Form().Agent().ItemCount(), 0);
}

TEST_F(TemplatesTest, TheCheckBoxWritesTheSettingAtOnce) {
  EXPECT_FALSE(Stored().isValid());
  WithDialog([&](TfrmTemplet& d) {
    Box(d)->click();
    EXPECT_EQ(Stored().toInt(), 0);
    EXPECT_TRUE(Stored().isValid());
    Box(d)->click();
    EXPECT_EQ(Stored().toInt(), 1);
    Box(d)->click();
    Click(d, "btnOK");
  });
  EXPECT_EQ(Stored().toInt(), 0);
  // Shown again, the box comes up ticked.
  WithDialog([](TfrmTemplet& d) {
    EXPECT_TRUE(Box(d)->isChecked());
    Click(d, "btnOK");
  });
}

TEST_F(TemplatesTest, AMissingTemplatesFolderIsCreated) {
  ASSERT_TRUE(QDir(WorkingFolder() + "templates").removeRecursively());
  WithDialog([](TfrmTemplet& d) { EXPECT_EQ(List(d)->count(), 0); });
  EXPECT_TRUE(QFileInfo(WorkingFolder() + "templates").isDir());
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(TemplatesTest, ATemplatesFolderThatCannotBeCreatedIsReportedAndTheDialogStillOpens) {
  ASSERT_TRUE(QDir(WorkingFolder() + "templates").removeRecursively());
  QFile blocker(WorkingFolder() + "templates");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  bool shown = false;
  WithDialog([&](TfrmTemplet& d) { shown = d.isVisible(); });
  EXPECT_TRUE(shown);
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_TRUE(prompts.asked[0].text.startsWith("Cannot create ")) << prompts.asked[0].text.toStdString();
  EXPECT_EQ(prompts.asked[0].title, "JavaScript Lumeroll");
}

}  // namespace
