#pragma once
// The commands that change the design tree's shape: Insert, Delete, Move Up,
// Move Down and the drag among siblings. Each becomes one undoable step on
// the document's item array; the tree follows the array.

#include <QModelIndex>
#include <functional>

class QTreeView;
class QWidget;
class Prompts;
class TDesignTreeModel;
class TLumerollDocument;

class TDesignTreeCommands {
 public:
  // What the commands need of the window around the tree.
  struct THost {
    // Forgets the node whose values the Item page holds.
    std::function<void()> clearCurrentItemNode;
    // Selects the node of an entry (-1: the root) with the selection protocol.
    std::function<void(int entry)> select;
    // Holds the selection protocol off while the tree changes under it.
    std::function<void(bool on)> setRebuilding;
  };

  TDesignTreeCommands(QTreeView& tree, TDesignTreeModel& model, TLumerollDocument& document, Prompts& prompts,
                      QWidget* owner, THost host);

  void Insert();
  void Delete();
  void MoveUp();
  void MoveDown();
  // Moves the block of `entry` to sibling row `row` (a drag); one step.
  void MoveToRow(int entry, int row);

  // Enabled state of the four commands for the selected node.
  struct TEnabled {
    bool insert = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
  };
  TEnabled EnabledFor(const QModelIndex& selected) const;

 private:
  int Selected() const;
  // Pushes a step that keeps the selected node (a move).
  void PushMove(class QUndoCommand* step);

  QTreeView& tree_;
  TDesignTreeModel& model_;
  TLumerollDocument& document_;
  Prompts& prompts_;
  QWidget* owner_;
  THost host_;
};
