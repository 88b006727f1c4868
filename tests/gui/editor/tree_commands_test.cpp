// The design tree's shape commands, their enabled states and the selection
// protocol, always checked against the agent's item array.
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "editor/pages/property_pages.h"
#include "editor_fixture.h"

namespace {

struct TCommandNames {
  const char* action;
  const char* tool;
};
const TCommandNames kCommands[] = {{"Insert1", "tlbtnInsert"},     {"Delete1", "tlbtnDelete"},
                                   {"MoveUp1", "tlbtnMoveUp"},     {"MoveDown1", "tlbtnMoveDown"},
                                   {"Indent1", "tlbtnIndent"},     {"Outdent1", "tlbtnOutdent"}};

const std::vector<TNestedItem> kNested = {{"A", 0}, {"A1", 1}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}};

}  // namespace

class TreeCommandsTest : public EditorTest {
 protected:
  // Insert, Delete, Move Up, Move Down, Indent and Outdent as the menus and
  // the toolbar show them; both must agree.
  std::vector<bool> Enabled() {
    std::vector<bool> states;
    for (const TCommandNames& names : kCommands) {
      const bool enabled = Action(names.action)->isEnabled();
      EXPECT_EQ(Button(names.tool)->isEnabled(), enabled) << names.tool;
      states.push_back(enabled);
    }
    return states;
  }
  std::vector<QString> VisiblePages() {
    std::vector<QString> pages;
    QTabWidget& control = form->PageControl();
    for (int i = 0; i < control.count(); ++i) {
      if (control.isTabVisible(i)) pages.push_back(control.tabText(i));
    }
    return pages;
  }
  QString FrontPage() { return form->PageControl().tabText(form->PageControl().currentIndex()); }
};

TEST_F(TreeCommandsTest, FreshProjectHasOnlyTheRootAndOnlyInsertEnabled) {
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Root());
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false, false, false}));
  EXPECT_EQ(VisiblePages(), (std::vector<QString>{"Script", "Text", "Path"}));
  EXPECT_EQ(FrontPage(), QStringLiteral("Script"));
  EXPECT_EQ(form->CurrentItemNode(), QModelIndex());
  EXPECT_FALSE(form->Modified());
  EXPECT_FALSE(Button("tlbtnSave")->isEnabled());
  EXPECT_FALSE(Action("Save1")->isEnabled());
}

TEST_F(TreeCommandsTest, InsertingThreeTimesAddsThreeTopLevelItemsAndKeepsTheRootSelected) {
  form->show();
  Button("tlbtnInsert")->click();
  Action("Insert1")->trigger();
  QTest::keyClick(&Tree(), Qt::Key_Insert);
  ExpectTreeMatchesArray();
  ASSERT_EQ(Model().rowCount(Root()), 3);
  // Each new node shows its entry's caption.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Caption(Child(Root(), i)), QStringLiteral("News Title"));
  for (const TItemData& item : form->Agent().Items()) {
    TItemData expected = DefaultItemData();
    expected.ILevel = "0";
    EXPECT_EQ(item, expected);
  }
  EXPECT_EQ(Tree().currentIndex(), Root());
  EXPECT_TRUE(Tree().isExpanded(Root()));
  EXPECT_TRUE(form->refreshes.empty());
  EXPECT_TRUE(form->Modified());
  EXPECT_TRUE(Button("tlbtnSave")->isEnabled());
}

TEST_F(TreeCommandsTest, CommandsFollowTheSelectedNode) {
  LoadNested(kNested);
  struct TCase {
    const char* caption;
    std::vector<bool> enabled;  // insert, delete, up, down, indent, outdent
  } cases[] = {
      {"A", {false, true, false, true, false, false}},  {"A1", {false, true, false, true, false, true}},
      {"A2", {false, true, true, false, true, true}},    {"B", {false, true, true, true, true, false}},
      {"B1", {false, true, false, false, false, true}}, {"C", {false, true, true, false, true, false}},
  };
  for (const TCase& c : cases) {
    Select(c.caption);
    EXPECT_EQ(Enabled(), c.enabled) << c.caption;
    EXPECT_EQ(VisiblePages(), (std::vector<QString>{"Item", "Path"})) << c.caption;
    EXPECT_EQ(FrontPage(), QStringLiteral("Item"));
  }
  Tree().setCurrentIndex(Root());
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false, false, false}));
  EXPECT_EQ(VisiblePages(), (std::vector<QString>{"Script", "Text", "Path"}));
  EXPECT_EQ(FrontPage(), QStringLiteral("Script"));
}

// Every edit is in the project as it is made, so moving the selection has
// nothing to write: shown values that would read back otherwise than stored
// (content lines without a closing "<br />") stay as they are.
TEST_F(TreeCommandsTest, SelectionRefreshesTheNewItemAndWritesNothing) {
  LoadNested(kNested);
  const TItemArray before = form->Agent().Items();
  Select("A2");
  EXPECT_EQ(form->refreshes, std::vector<int>{2});
  Tree().setCurrentIndex(Root());
  EXPECT_EQ(form->CurrentItemNode(), Node("A2"));
  Select("C");
  EXPECT_EQ(form->refreshes, (std::vector<int>{2, 5}));
  EXPECT_EQ(form->CurrentItemNode(), Node("C"));
  Tree().setCurrentIndex(Root());
  EXPECT_EQ(form->Agent().Items(), before);
  EXPECT_EQ(form->Document().UndoStack().count(), 0);
  EXPECT_FALSE(form->Modified());
}

TEST_F(TreeCommandsTest, DeleteRemovesTheWholeBlockAfterConfirmation) {
  LoadNested(kNested);
  Select("A");
  form->refreshes.clear();
  prompts.answers.push_back(TAnswer::Yes);
  form->show();
  Button("tlbtnDelete")->click();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.asked[0].text, QStringLiteral("Are you sure to delete this item and all it's children?"));
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Warning);
  EXPECT_EQ(prompts.asked[0].buttons, TButtons::YesNo);
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"B", "B1", "C"}));
  ExpectTreeMatchesArray();
  // The Item page's values of A never reach the entry that took A's place.
  EXPECT_EQ(form->Agent().Items()[0].ICaption, "B");
  EXPECT_EQ(form->Document().UndoStack().count(), 1);
  EXPECT_EQ(Tree().currentIndex(), Node("B"));
  EXPECT_EQ(form->CurrentItemNode(), Node("B"));
  EXPECT_EQ(form->refreshes, std::vector<int>{0});
}

TEST_F(TreeCommandsTest, DeleteOfTheLastNodeUsesTheEndOfTheTree) {
  LoadNested({{"A", 0}, {"A1", 1}, {"B", 0}, {"B1", 1}, {"B1a", 2}});
  Select("B1");
  prompts.answers.push_back(TAnswer::Yes);
  Action("Delete1")->trigger();
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"A", "A1", "B"}));
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Node("B"));
}

TEST_F(TreeCommandsTest, DeletingTheOnlyItemLeavesTheRootSelected) {
  Action("Insert1")->trigger();
  Tree().setCurrentIndex(Child(Root(), 0));
  prompts.answers.push_back(TAnswer::Yes);
  Action("Delete1")->trigger();
  EXPECT_TRUE(form->Agent().Items().empty());
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Root());
  EXPECT_EQ(form->CurrentItemNode(), QModelIndex());
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false, false, false, false}));
}

TEST_F(TreeCommandsTest, RefusedDeletesChangeNothing) {
  LoadNested(kNested);
  // The root cannot go.
  form->Delete1Click();
  ASSERT_EQ(prompts.asked.size(), 1);
  EXPECT_FALSE(prompts.asked[0].question);
  EXPECT_EQ(prompts.asked[0].text, QStringLiteral("You can't delete root item."));
  EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Warning);
  EXPECT_FALSE(form->Modified());
  // Declining the question keeps the item.
  Select("B");
  prompts.answers.push_back(TAnswer::No);
  form->Delete1Click();
  EXPECT_EQ(prompts.asked.size(), 2);
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"A", "A1", "A2", "B", "B1", "C"}));
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Node("B"));
  EXPECT_FALSE(form->Modified());
  EXPECT_EQ(form->Document().UndoStack().count(), 0);
}

TEST_F(TreeCommandsTest, MovingANestedBlockMovesItsWholeSubtreeAndEntries) {
  LoadNested(kNested);
  Tree().expand(Node("A"));
  Select("B");
  form->show();
  Button("tlbtnMoveUp")->click();
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"B", "B1", "A", "A1", "A2", "C"}));
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Node("B"));
  EXPECT_EQ(form->CurrentItemNode(), Node("B"));
  EXPECT_TRUE(Tree().isExpanded(Node("A")));

  Select("A");
  Action("MoveDown1")->trigger();
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"B", "B1", "C", "A", "A1", "A2"}));
  ExpectTreeMatchesArray();
  EXPECT_EQ(Tree().currentIndex(), Node("A"));
  EXPECT_TRUE(Tree().isExpanded(Node("A")));

  // Inside a block: A2 up past A1.
  Select("A2");
  Action("MoveUp1")->trigger();
  EXPECT_EQ(EntryCaptions(), (std::vector<std::string>{"B", "B1", "C", "A", "A2", "A1"}));
  ExpectTreeMatchesArray();
  // The Item page follows the moved node to its new entry.
  Tree().setCurrentIndex(Root());
  EXPECT_EQ(form->Pages().ItemIndex(), 4);
}

TEST_F(TreeCommandsTest, MovesPastTheEndChangeNothing) {
  LoadNested(kNested);
  const std::vector<std::string> before = EntryCaptions();
  struct TCase {
    const char* caption;
    bool up;
  } cases[] = {{"A", true}, {"C", false}, {"A1", true}, {"A2", false}, {"B1", true}, {"B1", false}};
  for (const TCase& c : cases) {
    Select(c.caption);
    c.up ? form->MoveUp1Click() : form->MoveDown1Click();
    EXPECT_EQ(EntryCaptions(), before) << c.caption;
    ExpectTreeMatchesArray();
    EXPECT_FALSE(form->Modified()) << c.caption;
    EXPECT_EQ(Tree().currentIndex(), Node(c.caption));
  }
}

TEST_F(TreeCommandsTest, RebuildingTheTreeLeavesNoCurrentItemAndTheRootSelected) {
  LoadNested(kNested);
  Select("B1");
  LoadNested({{"X", 0}, {"Y", 1}});
  EXPECT_EQ(form->CurrentItemNode(), QModelIndex());
  EXPECT_EQ(Tree().currentIndex(), Root());
  ExpectTreeMatchesArray();
  // The tree cannot hold other nodes than the items: a reset shows them anew.
  form->Document().StartProject({DefaultAppletData(), {}, ""});
  EXPECT_EQ(Model().rowCount(), 1);
  EXPECT_EQ(Model().rowCount(Root()), 0);
}

TEST_F(TreeCommandsTest, RightClickSelectsTheNodeUnderThePointer) {
  LoadNested(kNested);
  form->show();
  const QModelIndex target = Node("C");
  const QPoint at = Tree().visualRect(target).center();
  QTest::mouseClick(Tree().viewport(), Qt::RightButton, Qt::NoModifier, at);
  EXPECT_EQ(Tree().currentIndex(), target);
  EXPECT_EQ(form->CurrentItemNode(), target);
  EXPECT_TRUE(Action("Delete1")->isEnabled());
}

TEST_F(TreeCommandsTest, PagesFollowTheSelectionAfterTheTabsGetNewWidgets) {
  // The property pages put widgets of their own into the four tabs.
  QTabWidget& control = form->PageControl();
  const QStringList captions = {"Script", "Text", "Item", "Path"};
  for (int i = 0; i < 4; ++i) {
    control.removeTab(i);
    control.insertTab(i, new QWidget, captions[i]);
  }
  LoadNested(kNested);
  Select("A1");
  EXPECT_EQ(VisiblePages(), (std::vector<QString>{"Item", "Path"}));
  EXPECT_EQ(FrontPage(), QStringLiteral("Item"));
  Tree().setCurrentIndex(Root());
  EXPECT_EQ(VisiblePages(), (std::vector<QString>{"Script", "Text", "Path"}));
  EXPECT_EQ(FrontPage(), QStringLiteral("Script"));
}

// The states follow every change of the shape or the selection at once, in
// a window that never paints (nothing is recomputed while drawing).
TEST_F(TreeCommandsTest, StatesFollowShapeChangesWithoutARepaint) {
  LoadNested(kNested);
  ASSERT_FALSE(form->isVisible());
  Select("A2");
  struct TCase {
    const char* what;
    std::function<void()> step;
    std::vector<bool> enabled;  // insert, delete, up, down, indent, outdent
  } cases[] = {
      {"move up", [&] { form->MoveUp1Click(); }, {false, true, false, true, false, true}},
      {"undo", [&] { form->Undo1Click(); }, {false, true, true, false, true, true}},
      {"outdent", [&] { form->Outdent1Click(); }, {false, true, true, true, true, false}},
      {"indent", [&] { form->Indent1Click(); }, {false, true, true, false, true, true}},
      {"indent under A1", [&] { form->Indent1Click(); }, {false, true, false, false, false, true}},
      {"undo", [&] { form->Undo1Click(); }, {false, true, true, false, true, true}},
      {"redo", [&] { form->Redo1Click(); }, {false, true, false, false, false, true}},
  };
  for (const TCase& c : cases) {
    c.step();
    EXPECT_EQ(Tree().currentIndex(), Node("A2")) << c.what;
    EXPECT_EQ(Enabled(), c.enabled) << c.what;
  }
}
