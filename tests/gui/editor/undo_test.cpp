// Undo and redo as a property: seeded random sequences of every kind of
// edit, checking after each step that the tree and the item array agree,
// then undoing all (the project saves byte for byte as before) and redoing
// all (byte for byte as after). Also the Edit menu and the tree's keys.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <functional>
#include <random>

#include "editor/pages/color_swatch.h"
#include "editor/pages/item_page.h"
#include "editor/pages/number_field.h"
#include "editor/pages/path_page.h"
#include "editor/pages/property_pages.h"
#include "editor/pages/script_page.h"
#include "editor/pages/text_page.h"
#include "editor_fixture.h"
#include "model/project_file.h"

namespace {

const std::vector<TNestedItem> kNested = {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0},
                                          {"B1", 1}, {"B2", 1}, {"B2a", 2}, {"C", 0}};

}  // namespace

class UndoTest : public EditorTest {
 protected:
  QUndoStack& Stack() { return form->Document().UndoStack(); }
  TPropertyPages& Pages() { return form->Pages(); }

  QByteArray Saved(const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(form->Agent().SaveProject(path.toLocal8Bit().toStdString()).ok);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  int RandomEntry(std::mt19937& random) {
    const int count = form->Agent().ItemCount();
    return count == 0 ? -1 : static_cast<int>(random() % static_cast<unsigned>(count));
  }

  static void Retype(QWidget* field, const QString& text) {
    if (auto* list = qobject_cast<QComboBox*>(field)) field = list->lineEdit();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    if (auto* content = qobject_cast<QPlainTextEdit*>(field)) content->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  // One random edit of any kind; returns false when it found nothing to do.
  void RandomEdit(std::mt19937& random, int step) {
    const QString typed = QStringLiteral("t%1").arg(step);
    switch (random() % 14) {
      case 0:
        form->SelectEntry(-1);
        form->Insert1Click();
        break;
      case 1: {
        if (form->Agent().ItemCount() < 4) return form->Insert1Click();
        form->SelectEntry(RandomEntry(random));
        prompts.answers.push_back(TAnswer::Yes);
        form->Delete1Click();
        break;
      }
      case 2:
        form->SelectEntry(RandomEntry(random));
        form->MoveUp1Click();
        break;
      case 3:
        form->SelectEntry(RandomEntry(random));
        form->MoveDown1Click();
        break;
      case 4: {  // a drag between the nodes of any parent, or onto a node
        const int entry = RandomEntry(random);
        if (entry < 0) return;
        const QModelIndex node = Model().IndexOfEntry(entry);
        const QModelIndex parent = random() % 3 ? node.parent() : Model().IndexOfEntry(RandomEntry(random));
        const int row = static_cast<int>(random() % static_cast<unsigned>(Model().rowCount(parent) + 2)) - 1;
        std::unique_ptr<QMimeData> data(Model().mimeData({node}));
        Model().dropMimeData(data.get(), Qt::MoveAction, row, 0, parent);
        break;
      }
      case 12:
        form->SelectEntry(RandomEntry(random));
        form->Indent1Click();
        break;
      case 13:
        form->SelectEntry(RandomEntry(random));
        form->Outdent1Click();
        break;
      case 5:
      case 6: {  // typing on the Item page
        const int entry = RandomEntry(random);
        if (entry < 0) return;
        form->SelectEntry(entry);
        TItemPage& page = *Pages().tbshtItem();
        QWidget* fields[] = {page.edtICaption, page.cmbxILink, page.cmbxITarget, page.rchedtIContent};
        Retype(fields[random() % 4], typed);
        break;
      }
      case 7: {  // typing on the applet pages
        form->SelectEntry(-1);
        QWidget* fields[] = {Pages().tbshtMenu()->spnedtpWidth, Pages().tbshtText()->edtpTitleFontFamily,
                             Pages().tbshtPath()->edtpInternalUse_RootDir_Remote};
        Retype(fields[random() % 3], QString::number(100 + step));
        break;
      }
      case 8: {  // a list
        form->SelectEntry(-1);
        QComboBox* list = Pages().tbshtMenu()->cmbxpCursor;
        const int position = static_cast<int>(random() % static_cast<unsigned>(list->count()));
        list->setCurrentIndex(position);
        emit list->activated(position);
        break;
      }
      case 9:  // a toggle
        form->SelectEntry(-1);
        Pages().tbshtText()->spdbtnpTitleBold->click();
        break;
      case 10:  // a radio button
        form->SelectEntry(-1);
        (random() % 2 ? Pages().tbshtPath()->rdbtnpInternalUse_RootDir_Local_Checked
                      : Pages().tbshtPath()->rdbtnpInternalUse_RootDir_Local_Checked2)
            ->click();
        break;
      case 11:  // a colour
        form->SelectEntry(-1);
        prompts.colors.push_back(QColor(static_cast<int>(random() % 256), 10, 20));
        QTest::mouseClick(Pages().tbshtMenu()->pnlpBorderColor, Qt::LeftButton);
        break;
    }
  }
};

class UndoPropertyTest : public UndoTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(UndoPropertyTest, UndoAllAndRedoAllGiveBackTheSavedFiles) {
  LoadNested(kNested);
  form->show();
  const QByteArray before = Saved("before.jslr");
  std::mt19937 random(GetParam());
  for (int step = 0; step < 300; ++step) {
    RandomEdit(random, step);
    ExpectTreeMatchesArray();
    if (HasFailure()) FAIL() << "seed " << GetParam() << " step " << step;
  }
  const QByteArray after = Saved("after.jslr");
  ASSERT_NE(after, before);
  ASSERT_GT(Stack().count(), 20);

  int undone = 0;
  while (Stack().canUndo()) {
    form->Undo1Click();
    ExpectTreeMatchesArray();
    ASSERT_FALSE(HasFailure()) << "undo " << undone;
    ++undone;
  }
  EXPECT_EQ(Saved("undone.jslr"), before);
  while (Stack().canRedo()) {
    form->Redo1Click();
    ExpectTreeMatchesArray();
    ASSERT_FALSE(HasFailure());
  }
  EXPECT_EQ(Saved("redone.jslr"), after);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoPropertyTest, ::testing::Values(1u, 7u, 2024u));

TEST_F(UndoTest, TypingInOneFieldIsOneStepUntilAnotherFieldIsEdited) {
  LoadNested(kNested);
  form->SelectEntry(0);
  QLineEdit* caption = Pages().tbshtItem()->edtICaption;
  Retype(caption, QStringLiteral("Alpha"));
  EXPECT_EQ(Stack().count(), 1);
  Retype(Pages().tbshtItem()->cmbxITarget, QStringLiteral("_top"));
  EXPECT_EQ(Stack().count(), 2);
  QTest::keyClicks(caption, QStringLiteral("!"));
  EXPECT_EQ(Stack().count(), 3);
  EXPECT_EQ(form->Agent().Items()[0].ICaption, "Alpha!");
  form->Undo1Click();
  form->Undo1Click();
  EXPECT_EQ(form->Agent().Items()[0].ICaption, "Alpha");
  EXPECT_EQ(caption->text(), QStringLiteral("Alpha"));
  form->Undo1Click();
  EXPECT_EQ(form->Agent().Items()[0].ICaption, "A");
  EXPECT_EQ(caption->text(), QStringLiteral("A"));
  EXPECT_EQ(Caption(Node("A")), QStringLiteral("A"));
}

// Ctrl+Z and Ctrl+Y in a field run the window's Undo and Redo, not the
// field's own undo (which would only add one more edit and lose the steps
// that could be redone).
TEST_F(UndoTest, UndoKeysInAFieldStepThroughTheWindowsHistory) {
  LoadNested(kNested);
  form->SelectEntry(0);
  const std::string target = form->Agent().Items()[0].ITarget;
  Retype(Pages().tbshtItem()->cmbxITarget, QStringLiteral("_top"));
  QLineEdit* caption = Pages().tbshtItem()->edtICaption;
  caption->setFocus();
  Retype(caption, QStringLiteral("Alpha"));
  ASSERT_EQ(Stack().count(), 2);
  QTest::keyClick(caption, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Stack().index(), 1);
  EXPECT_EQ(caption->text(), QStringLiteral("A"));
  QTest::keyClick(caption, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Stack().index(), 0);
  EXPECT_EQ(form->Agent().Items()[0].ITarget, target);
  QTest::keyClick(caption, Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(caption, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Stack().index(), 2);
  EXPECT_EQ(Stack().count(), 2);
  EXPECT_EQ(form->Agent().Items()[0].ITarget, "_top");
  EXPECT_EQ(caption->text(), QStringLiteral("Alpha"));

  // The content box has an undo of its own as well.
  QPlainTextEdit* content = Pages().tbshtItem()->rchedtIContent;
  const QString before = content->toPlainText();
  content->setFocus();
  QTest::keyClicks(content, QStringLiteral("more"));
  ASSERT_EQ(Stack().count(), 3);
  QTest::keyClick(content, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Stack().index(), 2);
  EXPECT_EQ(Stack().count(), 3);
  EXPECT_EQ(content->toPlainText(), before);
}

TEST_F(UndoTest, EditMenuNamesTheStepAndFollowsTheHistory) {
  QMenu* edit = form->findChild<QMenu*>(QStringLiteral("Edit1"));
  ASSERT_NE(edit, nullptr);
  QStringList menus;
  for (QAction* a : form->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus.mid(0, 3), (QStringList{"&File", "&Edit", "&View"}));
  EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo"));
  EXPECT_FALSE(Action("Undo1")->isEnabled());
  EXPECT_FALSE(Button("tlbtnRedo")->isEnabled());
  EXPECT_EQ(Action("Undo1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(Action("Redo1")->shortcuts(),
            (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
  EXPECT_EQ(Button("tlbtnUndo")->toolTip(), QStringLiteral("Undo the last change"));
  EXPECT_EQ(Button("tlbtnRedo")->toolTip(), QStringLiteral("Redo the change you undid"));

  LoadNested(kNested);
  Select("A");
  form->MoveDown1Click();
  EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo Move Item Down"));
  EXPECT_TRUE(Button("tlbtnUndo")->isEnabled());
  form->SetModified(false);
  Select("C");
  form->show();
  Button("tlbtnUndo")->click();
  EXPECT_EQ(EntryCaptions().front(), "A");
  EXPECT_EQ(Action("Redo1")->text(), QStringLiteral("&Redo Move Item Down"));
  EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo"));
  // The step's node is selected again, and the project is modified.
  EXPECT_EQ(Tree().currentIndex(), Node("A"));
  EXPECT_TRUE(form->Modified());
  Action("Redo1")->trigger();
  EXPECT_EQ(EntryCaptions()[0], "B");
  EXPECT_EQ(Tree().currentIndex(), Node("A"));
}

// Each field's steps carry the name of the field as its control is labelled.
TEST_F(UndoTest, FieldStepsAreNamedAfterTheirField) {
  LoadNested(kNested);
  struct TCase {
    const char* expected;
    std::function<void()> edit;
  };
  const TCase cases[] = {
      {"Change Delay", [&] { Retype(Pages().tbshtMenu()->spnedtpDelay, QStringLiteral("750")); }},
      {"Change Width", [&] { Retype(Pages().tbshtMenu()->spnedtpWidth, QStringLiteral("300")); }},
      {"Change Cursor",
       [&] {
         QComboBox* list = Pages().tbshtMenu()->cmbxpCursor;
         list->setCurrentIndex(1);
         emit list->activated(1);
       }},
      {"Change Title Bold", [&] { Pages().tbshtText()->spdbtnpTitleBold->click(); }},
      {"Change Web Root Directory",
       [&] { Retype(Pages().tbshtPath()->edtpInternalUse_RootDir_Remote, QStringLiteral("http://x/")); }},
      {"Change Path Replacement", [&] { Pages().tbshtPath()->rdbtnpInternalUse_RootDir_Local_Checked2->click(); }},
      {"Change Title",
       [&] {
         Select("B");
         Retype(Pages().tbshtItem()->edtICaption, QStringLiteral("Bee"));
       }},
      {"Change Content",
       [&] {
         Select("B");
         Retype(Pages().tbshtItem()->rchedtIContent, QStringLiteral("More"));
       }},
  };
  for (const TCase& c : cases) {
    form->SelectEntry(-1);
    const int before = Stack().count();
    c.edit();
    ASSERT_GT(Stack().count(), before) << c.expected;
    EXPECT_EQ(Stack().undoText(), QString::fromLatin1(c.expected));
  }
}

TEST_F(UndoTest, AppletEditsUndoOnTheRootAndRefreshThePage) {
  LoadNested(kNested);
  form->SelectEntry(-1);
  Pages().tbshtText()->spdbtnpTitleBold->click();
  const std::string bold = form->Agent().AppletData().pTitleBold;
  Select("B");
  form->Undo1Click();
  EXPECT_NE(form->Agent().AppletData().pTitleBold, bold);
  EXPECT_EQ(Tree().currentIndex(), Root());
  EXPECT_EQ(Pages().tbshtText()->spdbtnpTitleBold->isChecked(), form->Agent().AppletData().pTitleBold == "1");
}

TEST_F(UndoTest, DeleteUndoBringsTheWholeBlockBack) {
  LoadNested(kNested);
  const std::vector<std::string> before = EntryCaptions();
  Select("B");
  prompts.answers.push_back(TAnswer::Yes);
  form->Delete1Click();
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"A", "A1", "A1a", "A2", "C"}));
  EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo Delete Item"));
  form->Undo1Click();
  EXPECT_EQ(EntryCaptions(), before);
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Node("B"));
}

TEST_F(UndoTest, UndoWhileAModalWindowIsOpenDoesNothing) {
  LoadNested(kNested);
  Select("A");
  form->MoveDown1Click();
  const std::vector<std::string> moved = EntryCaptions();
  QDialog dialog(form.get());
  QTimer::singleShot(0, &dialog, [&] {
    Action("Undo1")->trigger();
    form->Undo1Click();
    dialog.reject();
  });
  dialog.exec();
  EXPECT_EQ(EntryCaptions(), moved);
}

TEST_F(UndoTest, AStepThatNoLongerFitsIsRefusedWithAMessage) {
  LoadNested(kNested);
  Select("A");
  form->MoveDown1Click();
  // Something outside the history changed the project behind its back.
  form->Document().ApplyDelete(0, 5);
  form->Undo1Click();
  ASSERT_FALSE(prompts.asked.isEmpty());
  EXPECT_TRUE(prompts.asked.back().text.contains(QStringLiteral("no longer matches")));
  EXPECT_EQ(form->Agent().ItemCount(), 4);
}

TEST_F(UndoTest, KeysInTheTreeRunTheCommands) {
  LoadNested(kNested);
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  Tree().setFocus();
  Select("B");
  QTest::keyClick(&Tree(), Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(EntryCaptions()[0], "B");
  QTest::keyClick(&Tree(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(EntryCaptions()[0], "A");
  prompts.answers.push_back(TAnswer::Yes);
  QTest::keyClick(&Tree(), Qt::Key_Delete);
  EXPECT_EQ(prompts.asked.back().text, QStringLiteral("Are you sure to delete this item and all it's children?"));
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"A", "A1", "A1a", "A2", "C"}));
  // Insert works on the root only, as the command does.
  Select("C");
  QTest::keyClick(&Tree(), Qt::Key_Insert);
  EXPECT_EQ(form->Agent().ItemCount(), 5);
  Tree().setCurrentIndex(Root());
  QTest::keyClick(&Tree(), Qt::Key_Insert);
  EXPECT_EQ(form->Agent().ItemCount(), 6);
  // The new node shows its entry's caption.
  EXPECT_EQ(Caption(Model().IndexOfEntry(5)), QStringLiteral("News Title"));
  Select("C");
  QTest::keyClick(&Tree(), Qt::Key_F2);
  EXPECT_EQ(QApplication::focusWidget(), Pages().tbshtItem()->edtICaption);
  Tree().setFocus();
  QMenu* popup = form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
  QTest::keyClick(&Tree(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_TRUE(popup->isVisible());
  popup->hide();
  QTest::keyClick(&Tree(), Qt::Key_Menu);
  EXPECT_TRUE(popup->isVisible());
  popup->hide();
}

// A chain as deep as a file may be (levels 0 to 999): selecting, moving,
// deleting and undoing walk the whole depth without recursing on it. One
// level more is refused on load and the open project stays as it was.
TEST_F(UndoTest, AChainAtTheNestingCapIsEditedAndOneLevelMoreIsRefused) {
  constexpr int kDepth = tree_math::kMaxNestingDepth;
  std::vector<std::string> names;
  for (int k = 0; k <= kDepth; ++k) names.push_back("n" + std::to_string(k));
  // Entries n0 .. n(depth-1), each a child of the one before, then "last".
  const auto chainFile = [&](int depth, const char* name) {
    TItemArray items;
    for (int k = 0; k <= depth; ++k) {
      TItemData item = DefaultItemData();
      item.ICaption = k < depth ? names[static_cast<size_t>(k)] : "last";
      item.ILevel = std::to_string(k < depth ? k : 0);
      items.push_back(item);
    }
    NullProgress quiet;
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    const std::string bytes = WriteProjectText(DefaultAppletData(), items, quiet);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    return path.toLocal8Bit().toStdString();
  };
  const std::string tooDeep = chainFile(kDepth + 1, "too_deep.jslr");
  const std::string atCap = chainFile(kDepth, "at_cap.jslr");

  std::vector<int> parents;
  TkvdAppletAgent loader;
  ASSERT_TRUE(loader.LoadProject(atCap, parents).ok);
  form->Document().StartProject({loader.AppletData(), loader.Items(), loader.FileVersion});
  ASSERT_EQ(form->Agent().ItemCount(), kDepth + 1);
  EXPECT_EQ(form->Agent().Items()[kDepth - 1].ILevel, std::to_string(kDepth - 1));
  form->show();
  // Selecting the deepest node opens every branch of the chain, and the view
  // lays all of it out.
  form->SelectEntry(kDepth - 1);
  EXPECT_EQ(Model().EntryOf(Tree().currentIndex()), kDepth - 1);
  EXPECT_TRUE(Tree().isExpanded(Model().IndexOfEntry(0)));
  QApplication::processEvents();
  ExpectTreeMatchesArray();
  form->SelectEntry(kDepth);
  form->MoveUp1Click();
  EXPECT_EQ(form->Agent().Items()[0].ICaption, "last");
  form->SelectEntry(1);
  prompts.answers.push_back(TAnswer::Yes);
  form->Delete1Click();
  EXPECT_EQ(form->Agent().ItemCount(), 1);
  form->Undo1Click();
  EXPECT_EQ(form->Agent().ItemCount(), kDepth + 1);
  ExpectTreeMatchesArray();

  const std::vector<std::string> before = EntryCaptions();
  const TResult refused = loader.LoadProject(tooDeep, parents);
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.message.find("nested deeper than 1000 levels"), std::string::npos) << refused.message;
  EXPECT_EQ(loader.ItemCount(), kDepth + 1);
  EXPECT_EQ(EntryCaptions(), before);
  form->close();
  form.reset();
}
