#include "editor/design_tree_commands.h"

#include <QTreeView>
#include <algorithm>
#include <string>
#include <vector>

#include "document/document.h"
#include "editor/design_tree_model.h"
#include "editor/edit_commands.h"
#include "editor/nesting_commands.h"
#include "model/tree_math.h"
#include "platform/prompts.h"

namespace {
constexpr int kNone = -2;  // no such node
}

TDesignTreeCommands::TDesignTreeCommands(QTreeView& tree, TDesignTreeModel& model, TLumerollDocument& document,
                                         Prompts& prompts, QWidget* owner, THost host)
    : tree_(tree), model_(model), document_(document), prompts_(prompts), owner_(owner), host_(std::move(host)) {}

int TDesignTreeCommands::Selected() const { return model_.EntryOf(tree_.currentIndex()); }

TDesignTreeCommands::TEnabled TDesignTreeCommands::EnabledFor(const QModelIndex& selected) const {
  TEnabled enabled;
  const int entry = model_.EntryOf(selected);
  if (entry == kNone) return enabled;
  const bool root = entry == TDesignTreeModel::kRoot;
  enabled.insert = root;
  enabled.remove = !root;
  enabled.moveUp = !root && model_.Sibling(entry, -1) != kNone;
  enabled.moveDown = !root && model_.Sibling(entry, +1) != kNone;
  enabled.indent = enabled.moveUp;
  enabled.outdent = !root && model_.ParentEntry(entry) != TDesignTreeModel::kRoot;
  return enabled;
}

void TDesignTreeCommands::Insert() {
  const int selected = Selected();
  if (selected == kNone) return;
  TItemData item = DefaultItemData();
  const bool root = selected == TDesignTreeModel::kRoot;
  item.ILevel = std::to_string(root ? 0 : model_.Level(selected) + 1);
  // The new node is the selected node's last child: its entry follows the block.
  const int entry = root ? model_.EntryCount() : selected + model_.BlockSize(selected);
  host_.setRebuilding(true);
  document_.UndoStack().push(new TInsertItemCommand(document_, entry, item, selected));
  tree_.expand(model_.IndexOfEntry(selected));
  host_.setRebuilding(false);
}

void TDesignTreeCommands::Delete() {
  const int selected = Selected();
  if (selected == kNone) return;
  if (selected == TDesignTreeModel::kRoot) {
    prompts_.Tell(owner_, TMessageKind::Warning, QStringLiteral("You can't delete root item."));
    return;
  }
  if (prompts_.Ask(owner_, TMessageKind::Warning,
                   QStringLiteral("Are you sure to delete this item and all it's children?"),
                   TButtons::YesNo) != TAnswer::Yes) {
    return;
  }
  const int size = model_.BlockSize(selected);
  // The next sibling takes the deleted node's place; without one the previous
  // sibling, and without either the parent. Entries after the block move up.
  int neighbour = model_.Sibling(selected, +1);
  if (neighbour != kNone)
    neighbour -= size;
  else if ((neighbour = model_.Sibling(selected, -1)) == kNone)
    neighbour = model_.ParentEntry(selected);
  const TItemArray& items = document_.Agent().Items();
  TItemArray block(items.begin() + selected, items.begin() + selected + size);
  host_.clearCurrentItemNode();
  host_.setRebuilding(true);
  document_.UndoStack().push(new TDeleteItemsCommand(document_, selected, std::move(block), neighbour));
  host_.setRebuilding(false);
  host_.select(neighbour);
}

void TDesignTreeCommands::PushMove(QUndoCommand* step) {
  // The node keeps its identity through the move, so it stays selected.
  host_.setRebuilding(true);
  document_.UndoStack().push(step);
  host_.setRebuilding(false);
}

void TDesignTreeCommands::MoveUp() {
  const int selected = Selected();
  if (selected < 0) return;
  const int previous = model_.Sibling(selected, -1);
  if (previous == kNone) return;
  PushMove(new TMoveUpCommand(document_, selected, model_.BlockSize(selected), previous));
}

void TDesignTreeCommands::MoveDown() {
  const int selected = Selected();
  if (selected < 0) return;
  const int next = model_.Sibling(selected, +1);
  if (next == kNone) return;
  PushMove(new TMoveDownCommand(document_, selected, model_.BlockSize(selected), next, model_.BlockSize(next)));
}

void TDesignTreeCommands::Indent() {
  const int selected = Selected();
  if (selected < 0) return;
  const int previous = model_.Sibling(selected, -1);
  if (previous == kNone) return;
  Reparent(selected, previous, -1, QStringLiteral("Indent Item"));
}

void TDesignTreeCommands::Outdent() {
  const int selected = Selected();
  if (selected < 0) return;
  const int parent = model_.ParentEntry(selected);
  if (parent == TDesignTreeModel::kRoot) return;
  Reparent(selected, model_.ParentEntry(parent), model_.Row(parent) + 1, QStringLiteral("Outdent Item"));
}

void TDesignTreeCommands::MoveInto(int entry, int parent, int row) {
  Reparent(entry, parent, row, QStringLiteral("Move Item"));
}

void TDesignTreeCommands::Reparent(int entry, int parent, int row, const QString& text) {
  const int n = model_.EntryCount();
  if (entry < 0 || entry >= n || parent < TDesignTreeModel::kRoot || parent >= n) return;
  const int size = model_.BlockSize(entry);
  // Never into the block itself: the block would have to hold itself.
  if (parent >= entry && parent < entry + size) return;
  // Where the block goes, as an entry of the array before the move.
  const bool last = row < 0 || row >= model_.ChildCount(parent);
  const int before = last ? (parent == TDesignTreeModel::kRoot ? n : parent + model_.BlockSize(parent))
                          : model_.ChildEntry(parent, row);
  const int to = before > entry ? before - size : before;
  const int delta = (parent == TDesignTreeModel::kRoot ? 0 : model_.Level(parent) + 1) - model_.Level(entry);
  if (to == entry && delta == 0) return;

  int deepest = 0;
  for (int k = entry; k < entry + size; ++k) deepest = std::max(deepest, model_.Level(k));
  // A level counts from 0 for a child of the root, the files' cap from 1.
  if (deepest + delta >= tree_math::kMaxNestingDepth) {
    prompts_.Tell(owner_, TMessageKind::Warning,
                  QStringLiteral("Items can't be nested deeper than %1 levels; the item stays where it is.")
                      .arg(tree_math::kMaxNestingDepth));
    return;
  }
  const TItemArray& items = document_.Agent().Items();
  std::vector<std::string> levelsBefore, levelsAfter;
  levelsBefore.reserve(static_cast<size_t>(size));
  levelsAfter.reserve(static_cast<size_t>(size));
  for (int k = entry; k < entry + size; ++k) {
    levelsBefore.push_back(items[static_cast<size_t>(k)].ILevel);
    levelsAfter.push_back(std::to_string(model_.Level(k) + delta));
  }
  PushMove(new TMoveBlockToCommand(document_, text, entry, to, std::move(levelsBefore), std::move(levelsAfter)));
  // The node's new branch opens so it stays in sight.
  host_.select(to);
}
