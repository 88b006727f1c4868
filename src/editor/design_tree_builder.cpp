#include "editor/design_tree_builder.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "editor/editor_icons.h"
#include "platform/local_text.h"

namespace design_tree {

QTreeWidgetItem* ResetTree(QTreeWidget& tree) {
  tree.clear();
  auto* root = new QTreeWidgetItem(QStringList(QString::fromLatin1(kRootCaption)));
  root->setIcon(0, editor_icons::TreeIcon(editor_icons::kTreeImageRoot));
  tree.addTopLevelItem(root);
  return root;
}

void FillTree(QTreeWidgetItem& root, const TItemArray& items, const std::vector<int>& parents) {
  const QIcon itemIcon = editor_icons::TreeIcon(editor_icons::kTreeImageItem);
  const int count = static_cast<int>(items.size());
  std::vector<QTreeWidgetItem*> nodes(count, nullptr);
  QList<QTreeWidgetItem*> topLevel;
  for (int k = 0; k < count; ++k) {
    auto* node = new QTreeWidgetItem(QStringList(FromLocalText(items[k].ICaption)));
    node->setIcon(0, itemIcon);
    nodes[k] = node;
    const int parent = k < static_cast<int>(parents.size()) ? parents[k] : -1;
    if (parent >= 0 && parent < k) {
      nodes[parent]->addChild(node);
    } else {
      topLevel.append(node);
    }
  }
  root.addChildren(topLevel);
}

std::vector<int> TreeLevels(const QTreeWidget& tree) {
  std::vector<int> levels;
  if (tree.topLevelItemCount() == 0) return levels;
  // Walk with an explicit stack: QTreeWidgetItemIterator is slow on wide trees.
  std::vector<std::pair<const QTreeWidgetItem*, int>> stack;
  const QTreeWidgetItem* root = tree.topLevelItem(0);
  for (int i = root->childCount() - 1; i >= 0; --i) stack.emplace_back(root->child(i), 0);
  while (!stack.empty()) {
    auto [node, level] = stack.back();
    stack.pop_back();
    levels.push_back(level);
    for (int i = node->childCount() - 1; i >= 0; --i) stack.emplace_back(node->child(i), level + 1);
  }
  return levels;
}

int CountDescendants(const QTreeWidgetItem* node) {
  if (!node) return 0;
  int count = node->childCount();
  for (int i = 0; i < node->childCount(); ++i) count += CountDescendants(node->child(i));
  return count;
}

int AbsoluteIndex(const QTreeWidgetItem* node) {
  int index = 0;
  for (const QTreeWidgetItem* at = node; at && at->parent(); at = at->parent()) {
    const QTreeWidgetItem* parent = at->parent();
    const int row = parent->indexOfChild(const_cast<QTreeWidgetItem*>(at));
    index += 1;
    for (int i = 0; i < row; ++i) index += 1 + CountDescendants(parent->child(i));
  }
  return index;
}

int Depth(const QTreeWidgetItem* node) {
  int depth = 0;
  for (const QTreeWidgetItem* at = node; at && at->parent(); at = at->parent()) ++depth;
  return depth;
}

}  // namespace design_tree
