#pragma once
// Builds the design tree of a loaded project or imported structure from the
// agent's items and the parent list the loaders return, and reads the tree's
// levels back for the code generator and the structure export.

#include <QIcon>
#include <vector>

#include "model/applet_data.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace design_tree {

inline constexpr const char* kRootCaption = "JavaScript Lumeroll";
inline constexpr const char* kInsertedCaption = "Item";

// Clears the tree and adds the one root node; returns it.
QTreeWidgetItem* ResetTree(QTreeWidget& tree);

// Adds one node per entry under `root`, captioned with the entry's ICaption;
// parents[k] is the entry index of k's parent (-1 for the root), each parent
// before its children. The nodes are linked up off the tree and handed to
// the root in one step, so large projects build quickly. Entries whose
// parent index is not an earlier entry hang under the root.
void FillTree(QTreeWidgetItem& root, const TItemArray& items, const std::vector<int>& parents);

// Pre-order depth below the root minus 1 of every item node (entry order).
std::vector<int> TreeLevels(const QTreeWidget& tree);

// Pre-order position of the node, the root being 0.
int AbsoluteIndex(const QTreeWidgetItem* node);
// Nodes below the node at all depths.
int CountDescendants(const QTreeWidgetItem* node);
// Depth of the node, the root being 0.
int Depth(const QTreeWidgetItem* node);

}  // namespace design_tree
