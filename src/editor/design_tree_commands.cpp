#include "editor/design_tree_commands.h"

#include <QTreeView>

#include "document/document.h"
#include "editor/design_tree_model.h"
#include "editor/edit_commands.h"
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

void TDesignTreeCommands::MoveToRow(int entry, int row) {
  if (entry < 0 || entry >= model_.EntryCount()) return;
  const int parent = model_.ParentEntry(entry);
  const int from = model_.Row(entry);
  if (row < 0 || row >= model_.ChildCount(parent) || row == from) return;
  const int target = model_.ChildEntry(parent, row);
  const int size = model_.BlockSize(entry);
  const bool up = row < from;
  // Up: everything from the target's block to this block; down: everything
  // after this block to the end of the target's block.
  const int span = up ? entry - target : target + model_.BlockSize(target) - (entry + size);
  PushMove(new TDragMoveCommand(document_, entry, size, up, target, span));
  host_.select(up ? target : entry + span);
}
