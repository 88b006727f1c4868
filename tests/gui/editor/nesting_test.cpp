// Giving nodes another parent: Indent, Outdent and drops, each as a table of
// levels before and after, one step whose undo gives back the saved file
// byte for byte; the nesting cap; and the design tree model checked by
// QAbstractItemModelTester through seeded random edits.
#include <QAbstractItemModelTester>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <random>
#include <utility>

#include "editor_fixture.h"

namespace {

using TLevels = std::vector<std::pair<std::string, int>>;

const std::vector<TNestedItem> kNested = {{"A", 0},  {"A1", 1}, {"A1a", 2}, {"A2", 1},
                                          {"B", 0},  {"B1", 1}, {"C", 0}};

// Warnings of the model tester (and anything else Qt warns about meanwhile).
QStringList* gWarnings = nullptr;

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (gWarnings && type != QtDebugMsg && type != QtInfoMsg) gWarnings->append(message);
}

}  // namespace

class NestingTest : public EditorTest {
 protected:
  QUndoStack& Stack() { return form->Document().UndoStack(); }

  void LoadFresh(const std::vector<TNestedItem>& nested) {
    LoadNested(nested);
    form->Document().ClearHistory();
  }

  QByteArray Saved(const char* name) {
    const QString path = folder.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(form->Agent().SaveProject(path.toLocal8Bit().toStdString()).ok);
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  TLevels Levels() {
    TLevels levels;
    for (const TItemData& item : form->Agent().Items()) levels.emplace_back(item.ICaption, std::stoi(item.ILevel));
    return levels;
  }

  // A drag of `caption` dropped under `parent` (nullptr: the root) before
  // its child `row`, or onto it with row -1; whether the model took it.
  bool Drop(const char* caption, const char* parent, int row) {
    std::unique_ptr<QMimeData> data(Model().mimeData({Node(caption)}));
    const QModelIndex at = parent ? Node(parent) : Root();
    const bool allowed = Model().canDropMimeData(data.get(), Qt::MoveAction, row, 0, at);
    Model().dropMimeData(data.get(), Qt::MoveAction, row, 0, at);
    return allowed;
  }

  // After a step on `caption`: the shape, one step named `stepName`, the node
  // selected and in sight; undo gives back the file saved before, redo the
  // one saved after.
  void ExpectOneStep(const char* caption, const TLevels& after, const char* stepName, const QByteArray& before,
                     const TLevels& levelsBefore) {
    EXPECT_EQ(Levels(), after) << caption;
    ExpectTreeMatchesArray();
    ASSERT_EQ(Stack().count(), 1) << caption;
    EXPECT_EQ(Stack().undoText(), QString::fromLatin1(stepName));
    EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo ") + QString::fromLatin1(stepName));
    EXPECT_EQ(Tree().currentIndex(), Node(caption)) << caption;
    for (QModelIndex up = Node(caption).parent(); up.isValid(); up = up.parent())
      EXPECT_TRUE(Tree().isExpanded(up)) << caption;
    const QByteArray changed = Saved("after.jslr");
    form->Undo1Click();
    EXPECT_EQ(Saved("undone.jslr"), before) << caption;
    EXPECT_EQ(Levels(), levelsBefore);
    ExpectTreeMatchesArray();
    EXPECT_EQ(Tree().currentIndex(), Node(caption)) << caption;
    form->Redo1Click();
    EXPECT_EQ(Saved("redone.jslr"), changed) << caption;
    ExpectTreeMatchesArray();
  }
};

TEST_F(NestingTest, IndentAndOutdentGiveTheNodeAnotherParent) {
  const TLevels start = {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}};
  struct TCase {
    const char* caption;
    const char* command;
    TLevels after;  // empty: the command is disabled and changes nothing
  } cases[] = {
      {"B", "Indent1", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 1}, {"B1", 2}, {"C", 0}}},
      {"A2", "Indent1", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 2}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"C", "Indent1", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 1}}},
      // The later siblings stay with the parent.
      {"A1", "Outdent1", {{"A", 0}, {"A2", 1}, {"A1", 0}, {"A1a", 1}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"A2", "Outdent1", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 0}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"A1a", "Outdent1", {{"A", 0}, {"A1", 1}, {"A1a", 1}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"B1", "Outdent1", {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"B1", 0}, {"C", 0}}},
      {"A", "Indent1", {}},
      {"A1", "Indent1", {}},
      {"A1a", "Indent1", {}},
      {"B", "Outdent1", {}},
      {"C", "Outdent1", {}},
  };
  for (const TCase& c : cases) {
    LoadFresh(kNested);
    const QByteArray before = Saved("before.jslr");
    Select(c.caption);
    EXPECT_EQ(Action(c.command)->isEnabled(), !c.after.empty()) << c.caption << " " << c.command;
    if (c.after.empty()) {
      // Called anyway (a key in flight): nothing happens.
      c.command == std::string("Indent1") ? form->Indent1Click() : form->Outdent1Click();
      EXPECT_EQ(Levels(), start) << c.caption;
      EXPECT_EQ(Stack().count(), 0) << c.caption;
      EXPECT_TRUE(prompts.asked.empty());
      continue;
    }
    Action(c.command)->trigger();
    ExpectOneStep(c.caption, c.after, c.command == std::string("Indent1") ? "Indent Item" : "Outdent Item", before,
                  start);
    if (HasFailure()) FAIL() << c.caption << " " << c.command;
  }
}

TEST_F(NestingTest, IndentAndOutdentFromTheKeyboardTakeTheWholeSubtree) {
  LoadFresh(kNested);
  form->show();
  form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  Select("B");
  Tree().setFocus();
  QTest::keyClick(&Tree(), Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(Levels(), (TLevels{{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 1}, {"B1", 2}, {"C", 0}}));
  // Now under A: Outdent is possible, Indent again under A2.
  EXPECT_TRUE(Action("Outdent1")->isEnabled());
  QTest::keyClick(&Tree(), Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(Levels(), (TLevels{{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 2}, {"B1", 3}, {"C", 0}}));
  QTest::keyClick(&Tree(), Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier);
  QTest::keyClick(&Tree(), Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier);
  EXPECT_EQ(Levels(), (TLevels{{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}}));
  EXPECT_EQ(Stack().count(), 4);
  EXPECT_FALSE(Action("Outdent1")->isEnabled());
  ExpectTreeMatchesArray();
}

TEST_F(NestingTest, DropsMoveTheBlockUnderAnyParentButNeverIntoItself) {
  const TLevels start = {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}};
  struct TCase {
    const char* caption;
    const char* parent;  // nullptr: the root
    int row;             // -1: onto the parent
    TLevels after;       // empty: refused
  } cases[] = {
      // Onto a node: its last child.
      {"A1", "B", -1, {{"A", 0}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"A1", 1}, {"A1a", 2}, {"C", 0}}},
      {"C", "A1a", -1, {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"C", 3}, {"A2", 1}, {"B", 0}, {"B1", 1}}},
      {"A1a", "A", -1, {{"A", 0}, {"A1", 1}, {"A2", 1}, {"A1a", 1}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"A", nullptr, -1, {{"B", 0}, {"B1", 1}, {"C", 0}, {"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}}},
      // Between nodes: a sibling at that level.
      {"B", "A", 1, {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"B", 1}, {"B1", 2}, {"A2", 1}, {"C", 0}}},
      {"A1a", nullptr, 0, {{"A1a", 0}, {"A", 0}, {"A1", 1}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"A1a", nullptr, 3, {{"A", 0}, {"A1", 1}, {"A2", 1}, {"B", 0}, {"B1", 1}, {"C", 0}, {"A1a", 0}}},
      {"A", nullptr, 3, {{"B", 0}, {"B1", 1}, {"C", 0}, {"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}}},
      {"A2", "A", 0, {{"A", 0}, {"A2", 1}, {"A1", 1}, {"A1a", 2}, {"B", 0}, {"B1", 1}, {"C", 0}}},
      {"C", "B", 0, {{"A", 0}, {"A1", 1}, {"A1a", 2}, {"A2", 1}, {"B", 0}, {"C", 1}, {"B1", 1}}},
      // Into its own subtree, onto itself, or where it already stands.
      {"A", "A1", -1, {}},
      {"A", "A1a", 0, {}},
      {"A", "A", -1, {}},
      {"A", "A", 1, {}},
      {"A1", "A", 0, {}},
      {"A1", "A", 1, {}},
      {"A2", "A", -1, {}},
      {"C", nullptr, -1, {}},
      {"B", nullptr, 1, {}},
      {"B", nullptr, 2, {}},
  };
  for (const TCase& c : cases) {
    LoadFresh(kNested);
    const QByteArray before = Saved("before.jslr");
    const bool allowed = Drop(c.caption, c.parent, c.row);
    EXPECT_EQ(allowed, !c.after.empty()) << c.caption << " to " << (c.parent ? c.parent : "root") << " " << c.row;
    if (c.after.empty()) {
      EXPECT_EQ(Levels(), start) << c.caption;
      EXPECT_EQ(Stack().count(), 0) << c.caption;
      continue;
    }
    ExpectOneStep(c.caption, c.after, "Move Item", before, start);
    if (HasFailure()) FAIL() << c.caption << " to " << (c.parent ? c.parent : "root") << " " << c.row;
  }
  // Beside the root node there is no place, and the root is not dragged.
  LoadFresh(kNested);
  std::unique_ptr<QMimeData> data(Model().mimeData({Node("A")}));
  EXPECT_FALSE(Model().canDropMimeData(data.get(), Qt::MoveAction, 1, 0, QModelIndex()));
  EXPECT_EQ(Model().mimeData({Root()}), nullptr);
  EXPECT_FALSE(Model().flags(Root()) & Qt::ItemIsDragEnabled);
}

// A chain as deep as a file may be: a step that would nest one level deeper
// is refused with a message and changes nothing; up to the cap it is done.
TEST_F(NestingTest, NothingIsNestedPastTheCapThatFilesHave) {
  constexpr int kDeepest = tree_math::kMaxNestingDepth - 1;  // the deepest level a file may hold
  std::vector<std::string> names;
  std::vector<TNestedItem> chain;
  for (int k = 0; k <= kDeepest; ++k) names.push_back("n" + std::to_string(k));
  for (int k = 0; k <= kDeepest; ++k) chain.push_back({names[static_cast<size_t>(k)].c_str(), k});
  chain.push_back({"x", kDeepest});  // beside the deepest node
  chain.push_back({"y", 0});
  chain.push_back({"y1", 1});
  LoadFresh(chain);
  const QByteArray before = Saved("before.jslr");

  struct TCase {
    const char* what;
    std::function<void()> step;
  } refused[] = {
      {"indent x under the deepest node", [&] { Select("x"); form->Indent1Click(); }},
      {"drop y1 onto the deepest node", [&] { Drop("y1", "n999", -1); }},
      {"drop y with its child onto n998", [&] { Drop("y", "n998", -1); }},
      {"drop y with its child between the deepest nodes", [&] { Drop("y", "n998", 1); }},
  };
  static_assert(tree_math::kMaxNestingDepth == 1000, "the captions above name the deepest node");
  for (const TCase& c : refused) {
    prompts.asked.clear();
    c.step();
    ASSERT_EQ(prompts.asked.size(), 1) << c.what;
    EXPECT_EQ(prompts.asked[0].kind, TMessageKind::Warning);
    EXPECT_TRUE(prompts.asked[0].text.contains(QStringLiteral("deeper than 1000 levels")))
        << prompts.asked[0].text.toStdString();
    EXPECT_EQ(Stack().count(), 0) << c.what;
    EXPECT_EQ(Saved("refused.jslr"), before) << c.what;
  }
  // To the deepest level itself is allowed.
  prompts.asked.clear();
  EXPECT_TRUE(Drop("y1", "n998", -1));
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(Model().Level(Model().EntryOf(Node("y1"))), kDeepest);
  EXPECT_EQ(Stack().count(), 1);
  ExpectTreeMatchesArray();
  form->Undo1Click();
  EXPECT_EQ(Saved("undone.jslr"), before);
}

// The model keeps every promise of QAbstractItemModel (persistent indexes,
// parents, row counts) through every kind of edit and its undo and redo.
TEST_F(NestingTest, TheTreeModelStaysSoundThroughRandomEdits) {
  LoadFresh(kNested);
  QStringList warnings;
  gWarnings = &warnings;
  const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
  {
    QAbstractItemModelTester tester(&Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    std::mt19937 random(20261208u);
    const auto entry = [&] {
      const int count = Model().EntryCount();
      return count == 0 ? TDesignTreeModel::kRoot : static_cast<int>(random() % static_cast<unsigned>(count));
    };
    for (int step = 0; step < 400 && warnings.isEmpty() && !HasFailure(); ++step) {
      switch (random() % 9) {
        case 0:
          form->SelectEntry(TDesignTreeModel::kRoot);
          form->Insert1Click();
          break;
        case 1:
          if (Model().EntryCount() < 5) break;
          form->SelectEntry(entry());
          prompts.answers.push_back(TAnswer::Yes);
          form->Delete1Click();
          break;
        case 2:
          form->SelectEntry(entry());
          random() % 2 ? form->MoveUp1Click() : form->MoveDown1Click();
          break;
        case 3:
          form->SelectEntry(entry());
          form->Indent1Click();
          break;
        case 4:
          form->SelectEntry(entry());
          form->Outdent1Click();
          break;
        case 5: {
          const int dragged = entry();
          if (dragged < 0) break;
          const QModelIndex parent = Model().IndexOfEntry(entry());
          const int row = static_cast<int>(random() % static_cast<unsigned>(Model().rowCount(parent) + 2)) - 1;
          std::unique_ptr<QMimeData> data(Model().mimeData({Model().IndexOfEntry(dragged)}));
          Model().dropMimeData(data.get(), Qt::MoveAction, row, 0, parent);
          break;
        }
        case 6:
        case 7:
          form->Undo1Click();
          break;
        case 8:
          form->Redo1Click();
          break;
      }
      ExpectTreeMatchesArray();
      if (HasFailure() || !warnings.isEmpty()) ADD_FAILURE() << "step " << step;
    }
    EXPECT_GT(Stack().count(), 20);
  }
  qInstallMessageHandler(previous);
  gWarnings = nullptr;
  EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}
