#include "editor/design_tree_commands.h"

#include <QSignalBlocker>
#include <QTreeWidget>
#include <vector>

#include "editor/design_tree_builder.h"
#include "editor/editor_icons.h"
#include "model/applet_agent.h"
#include "platform/prompts.h"

namespace {

QTreeWidgetItem* Sibling(QTreeWidgetItem* node, int offset) {
  QTreeWidgetItem* parent = node ? node->parent() : nullptr;
  if (!parent) return nullptr;
  const int row = parent->indexOfChild(node) + offset;
  return row >= 0 && row < parent->childCount() ? parent->child(row) : nullptr;
}

void CollectExpanded(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& out) {
  if (node->isExpanded()) out.push_back(node);
  for (int i = 0; i < node->childCount(); ++i) CollectExpanded(node->child(i), out);
}

}  // namespace

TDesignTreeCommands::TDesignTreeCommands(QTreeWidget& tree, TkvdAppletAgent& agent, Prompts& prompts,
                                         QWidget* owner, THost host)
    : tree_(tree), agent_(agent), prompts_(prompts), owner_(owner), host_(std::move(host)) {}

bool TDesignTreeCommands::IsRoot(const QTreeWidgetItem* node) const { return node && !node->parent(); }

TDesignTreeCommands::TEnabled TDesignTreeCommands::EnabledFor(const QTreeWidgetItem* selected) const {
  TEnabled enabled;
  if (!selected) return enabled;
  auto* node = const_cast<QTreeWidgetItem*>(selected);
  enabled.insert = IsRoot(node);
  enabled.remove = !IsRoot(node);
  enabled.moveUp = !IsRoot(node) && Sibling(node, -1);
  enabled.moveDown = !IsRoot(node) && Sibling(node, +1);
  return enabled;
}

void TDesignTreeCommands::Insert() {
  host_.setModified();
  QTreeWidgetItem* selected = tree_.currentItem();
  if (!selected) return;
  TItemData item;
  agent_.DefaultItem(item);
  auto* node = new QTreeWidgetItem(QStringList(QString::fromLatin1(design_tree::kInsertedCaption)));
  node->setIcon(0, editor_icons::TreeIcon(editor_icons::kTreeImageItem));
  selected->addChild(node);
  selected->setExpanded(true);
  item.ILevel = std::to_string(design_tree::Depth(node) - 1);
  agent_.InsertItem(design_tree::AbsoluteIndex(node) - 1, item);
}

void TDesignTreeCommands::Delete() {
  host_.setModified();
  QTreeWidgetItem* selected = tree_.currentItem();
  if (!selected) return;
  if (IsRoot(selected)) {
    prompts_.Tell(owner_, TMessageKind::Warning, QStringLiteral("You can't delete root item."));
    return;
  }
  if (prompts_.Ask(owner_, TMessageKind::Warning,
                   QStringLiteral("Are you sure to delete this item and all it's children?"),
                   TButtons::YesNo) != TAnswer::Yes) {
    return;
  }
  const int first = design_tree::AbsoluteIndex(selected) - 1;
  const int blockSize = design_tree::CountDescendants(selected) + 1;
  agent_.DeleteItems(first, blockSize);
  host_.clearCurrentItemNode();

  // The next sibling takes the deleted node's place; without one the previous
  // sibling, and without either the parent.
  QTreeWidgetItem* neighbour = Sibling(selected, +1);
  if (!neighbour) neighbour = Sibling(selected, -1);
  if (!neighbour) neighbour = selected->parent();
  {
    const QSignalBlocker blocker(&tree_);
    delete selected;
    tree_.setCurrentItem(neighbour);
  }
  host_.selectionChanged();
}

void TDesignTreeCommands::MoveUp() {
  host_.setModified();
  QTreeWidgetItem* selected = tree_.currentItem();
  QTreeWidgetItem* previous = Sibling(selected, -1);
  if (!previous) return;
  const int p = design_tree::CountDescendants(previous) + 1;
  const int s = design_tree::CountDescendants(selected) + 1;
  const int k = design_tree::AbsoluteIndex(selected) - 1;
  agent_.CarryBlockUp(k, s, p);
  MoveNodeToRow(selected, selected->parent()->indexOfChild(previous));
}

void TDesignTreeCommands::MoveDown() {
  host_.setModified();
  QTreeWidgetItem* selected = tree_.currentItem();
  QTreeWidgetItem* next = Sibling(selected, +1);
  if (!next) return;
  const int n = design_tree::CountDescendants(next) + 1;
  const int s = design_tree::CountDescendants(selected) + 1;
  const int m = design_tree::AbsoluteIndex(next) - 1;
  agent_.CarryBlockUp(m, n, s);
  MoveNodeToRow(next, next->parent()->indexOfChild(selected));
}

void TDesignTreeCommands::MoveNodeToRow(QTreeWidgetItem* node, int row) {
  QTreeWidgetItem* parent = node->parent();
  QTreeWidgetItem* selected = tree_.currentItem();
  std::vector<QTreeWidgetItem*> expanded;
  CollectExpanded(node, expanded);
  const QSignalBlocker blocker(&tree_);
  parent->takeChild(parent->indexOfChild(node));
  parent->insertChild(row, node);
  for (QTreeWidgetItem* open : expanded) open->setExpanded(true);
  tree_.setCurrentItem(selected);
}
