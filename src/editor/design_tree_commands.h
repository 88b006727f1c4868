#pragma once
// The four commands that change the design tree's shape: Insert, Delete,
// Move Up and Move Down. Each changes the tree and the agent's item array in
// the same step, so node k + 1 always belongs to entry k.

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class Prompts;
class TkvdAppletAgent;

class TDesignTreeCommands {
 public:
  // What the commands need of the window around the tree.
  struct THost {
    std::function<void()> setModified;
    // Forgets the node whose values the Item page holds.
    std::function<void()> clearCurrentItemNode;
    // Runs the window's selection-change protocol for the tree's selection.
    std::function<void()> selectionChanged;
  };

  TDesignTreeCommands(QTreeWidget& tree, TkvdAppletAgent& agent, Prompts& prompts, QWidget* owner, THost host);

  void Insert();
  void Delete();
  void MoveUp();
  void MoveDown();

  // Enabled state of the four commands for the selected node.
  struct TEnabled {
    bool insert = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
  };
  TEnabled EnabledFor(const QTreeWidgetItem* selected) const;

 private:
  bool IsRoot(const QTreeWidgetItem* node) const;
  // Moves `node` to row `row` among its siblings, keeping the subtree's open
  // branches and the selection, without running the selection protocol.
  void MoveNodeToRow(QTreeWidgetItem* node, int row);

  QTreeWidget& tree_;
  TkvdAppletAgent& agent_;
  Prompts& prompts_;
  QWidget* owner_;
  THost host_;
};
