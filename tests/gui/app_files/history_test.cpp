// The history as a user walks it in the whole program: clicks in the tree,
// typing in the pages, undo and redo in any order, each position checked
// against the project's bytes when the history first stood there.

#include <QComboBox>
#include <QMimeData>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>
#include <map>
#include <random>

#include "app_files_fixture.h"
#include "editor/pages/color_swatch.h"
#include "model/project_file.h"

namespace {

class HistoryTest : public AppFilesTest {
 protected:
  void SetUp() override {
    AppFilesTest::SetUp();
    onTemplates = [](TfrmTemplet& d) { d.CancelClick(); };
    StartApp();
    Form().show();
    // Focus moves as a user's clicks move it, which ends typing sessions.
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  }
  QUndoStack& Stack() { return Form().Document().UndoStack(); }
  template <class T>
  T* Find(const char* name) {
    T* found = Form().findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  void ClickNode(const QModelIndex& node) {
    Tree().scrollTo(node);
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, Tree().visualRect(node).center());
  }
  // Selects all of a field's text and types over it, as a user does.
  static void TypeOver(QWidget* field, const QString& text) {
    if (auto* list = qobject_cast<QComboBox*>(field)) field = list->lineEdit();
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    if (auto* content = qobject_cast<QPlainTextEdit*>(field)) content->selectAll();
    QTest::keyClicks(field, text);
  }
  // The project file's bytes as a save would write them (not a Save: the
  // mark stays).
  QByteArray ProjectBytes() {
    NullProgress quiet;
    return QByteArray::fromStdString(WriteProjectText(Form().Agent().AppletData(), Form().Agent().Items(), quiet));
  }
  int RandomNode(std::mt19937& random) {
    const int count = Form().Agent().ItemCount();
    return count == 0 ? -1 : static_cast<int>(random() % static_cast<unsigned>(count));
  }

  // One thing a user does that may or may not change the project.
  void RandomEdit(std::mt19937& random, int step) {
    const int entry = RandomNode(random);
    switch (random() % 11) {
      case 0:
        ClickNode(RootNode());
        Button("tlbtnInsert")->click();
        break;
      case 1:  // a delete, confirmed or declined
        if (entry < 0) return;
        ClickNode(Model().IndexOfEntry(entry));
        prompts.answers.push_back(random() % 3 ? TAnswer::Yes : TAnswer::No);
        Action("Delete1")->trigger();
        break;
      case 2:
      case 3: {  // a move, an indent or an outdent, when the node allows it
        if (entry < 0) return;
        ClickNode(Model().IndexOfEntry(entry));
        const char* commands[] = {"MoveUp1", "MoveDown1", "Indent1", "Outdent1"};
        QAction* command = Action(commands[random() % 4]);
        if (command->isEnabled()) command->trigger();
        break;
      }
      case 4: {  // a drag between the nodes of any parent, or onto a node
        if (entry < 0) return;
        const QModelIndex node = Model().IndexOfEntry(entry);
        const int other = RandomNode(random);
        const QModelIndex parent = random() % 3 ? node.parent() : Model().IndexOfEntry(other);
        const int row = static_cast<int>(random() % static_cast<unsigned>(Model().rowCount(parent) + 2)) - 1;
        std::unique_ptr<QMimeData> data(Model().mimeData({node}));
        Model().dropMimeData(data.get(), Qt::MoveAction, row, 0, parent);
        break;
      }
      case 5:
      case 6: {  // typing on the Item page
        if (entry < 0) return;
        ClickNode(Model().IndexOfEntry(entry));
        const char* fields[] = {"edtICaption", "cmbxILink", "cmbxITarget", "rchedtIContent"};
        TypeOver(Find<QWidget>(fields[random() % 4]), QStringLiteral("t%1").arg(step));
        break;
      }
      case 7: {  // typing a number on the Script page
        ClickNode(RootNode());
        const char* fields[] = {"spnedtpDelay", "spnedtpWidth", "spnedtpHeight"};
        QWidget* field = Find<QWidget>(fields[random() % 3]);
        TypeOver(field, QString::number(100 + step));
        QTest::keyClick(field, Qt::Key_Tab);
        break;
      }
      case 8: {  // a list
        ClickNode(RootNode());
        auto* list = Find<QComboBox>("cmbxpCursor");
        const int position = static_cast<int>(random() % static_cast<unsigned>(list->count()));
        list->setCurrentIndex(position);
        emit list->activated(position);
        break;
      }
      case 9:
        ClickNode(RootNode());
        Form().PageControl().setCurrentIndex(TMainForm::kTextTab);
        QTest::mouseClick(Find<QToolButton>("spdbtnpTitleBold"), Qt::LeftButton);
        break;
      case 10:  // a colour, chosen or cancelled
        ClickNode(RootNode());
        if (random() % 2) prompts.colors.push_back(QColor(static_cast<int>(random() % 256), 10, 20));
        QTest::mouseClick(Find<TColorSwatch>("pnlpBorderColor"), Qt::LeftButton);
        prompts.colors.clear();
        break;
    }
    prompts.answers.clear();
  }
};

TEST_F(HistoryTest, RedoAfterClicksBetweenTheEditsGivesBackEveryEdit) {
  const QString path = WriteProject("p.jslr", {"one"});
  ASSERT_TRUE(Files().OpenProjectFile(path));
  const QByteArray opened = ReadAll(path);
  const std::string delayBefore = Form().Agent().AppletData().pDelay;
  ClickNode(RootNode());
  Action("Insert1")->trigger();
  ClickNode(Child(1));
  ClickNode(RootNode());
  QSpinBox* delay = Find<QSpinBox>("spnedtpDelay");
  TypeOver(delay, QStringLiteral("3333"));
  QTest::keyClick(delay, Qt::Key_Tab);
  EXPECT_EQ(Form().Agent().AppletData().pDelay, "3333");
  ASSERT_TRUE(Files().Save1Click());
  const QByteArray saved = ReadAll(path);

  int undos = 0;
  for (; Action("Undo1")->isEnabled(); ++undos) Action("Undo1")->trigger();
  EXPECT_EQ(undos, 2);
  EXPECT_EQ(Form().Agent().AppletData().pDelay, delayBefore);
  EXPECT_EQ(ProjectBytes(), opened);
  EXPECT_TRUE(Form().Modified());
  int redos = 0;
  for (; Action("Redo1")->isEnabled(); ++redos) Action("Redo1")->trigger();
  EXPECT_EQ(redos, 2);
  EXPECT_EQ(Form().Agent().AppletData().pDelay, "3333");
  EXPECT_EQ(ProjectBytes(), saved);
  EXPECT_FALSE(Form().Modified());
}

class HistoryWalkTest : public HistoryTest, public ::testing::WithParamInterface<unsigned> {};

// Edits, undos, redos, clicks and saves at random. Whenever the history
// comes back to a position, the project must be byte for byte what it was
// the first time it stood there, and it is modified exactly when that
// position is not the one last saved.
TEST_P(HistoryWalkTest, EveryPositionGivesBackItsBytes) {
  const QString path = WriteProject("walk.jslr", {"A", "B", "C", "D"});
  ASSERT_TRUE(Files().OpenProjectFile(path));
  int pushes = 0;
  QObject::connect(&Stack(), &QUndoStack::indexChanged, [&pushes] { ++pushes; });
  std::map<int, QByteArray> bytesAt{{0, ProjectBytes()}};
  int savedAt = 0;
  std::mt19937 random(GetParam());
  int undos = 0, redos = 0;
  for (int step = 0; step < 250; ++step) {
    const unsigned roll = random() % 20;
    std::string what;
    if (roll < 5 && Stack().canUndo()) {
      what = "undo";
      ++undos;
      // From the toolbar, the Edit menu or a field's keys alike.
      if (roll == 0) {
        ClickNode(RootNode());
        QTest::keyClick(Find<QSpinBox>("spnedtpWidth"), Qt::Key_Z, Qt::ControlModifier);
      } else {
        roll % 2 ? Action("Undo1")->trigger() : Button("tlbtnUndo")->click();
      }
    } else if (roll < 10 && Stack().canRedo()) {
      what = "redo";
      ++redos;
      roll % 2 ? Action("Redo1")->trigger() : Button("tlbtnRedo")->click();
    } else if (roll < 12) {
      what = "click";
      const int entry = RandomNode(random);
      ClickNode(entry < 0 ? RootNode() : Model().IndexOfEntry(entry));
    } else if (roll == 12 && Form().Modified()) {
      what = "save";
      ASSERT_TRUE(Files().Save1Click());
      savedAt = Stack().index();
      EXPECT_EQ(ReadAll(path), bytesAt[savedAt]);
    } else {
      what = "edit";
      const int before = pushes;
      const int index = Stack().index();
      RandomEdit(random, step);
      if (pushes != before) {
        // The steps that could be redone are gone, and so is a saved
        // position among them.
        bytesAt.erase(bytesAt.upper_bound(Stack().index() - 1), bytesAt.end());
        bytesAt[Stack().index()] = ProjectBytes();
        if (savedAt > index) savedAt = -1;
      }
    }
    const int at = Stack().index();
    ASSERT_TRUE(bytesAt.count(at)) << "step " << step << " (" << what << ") reached a position never seen";
    ASSERT_EQ(ProjectBytes(), bytesAt[at]) << "step " << step << " (" << what << ") at position " << at;
    ASSERT_EQ(Form().Modified(), at != savedAt) << "step " << step << " (" << what << ")";
    ASSERT_EQ(Action("Save1")->isEnabled(), Form().Modified());
  }
  EXPECT_GT(undos, 20);
  EXPECT_GT(redos, 10);
  // And all the way down and up again.
  while (Stack().canUndo()) Action("Undo1")->trigger();
  EXPECT_EQ(ProjectBytes(), bytesAt[0]);
  while (Stack().canRedo()) Action("Redo1")->trigger();
  EXPECT_EQ(ProjectBytes(), bytesAt[Stack().index()]);
}

INSTANTIATE_TEST_SUITE_P(Seeds, HistoryWalkTest, ::testing::Values(3u, 18u, 2026u));

}  // namespace
