#pragma once
// The commands that change the design tree's shape: Insert, Delete, Move Up,
// Move Down, Indent, Outdent and the drag. Each becomes one undoable step on
// the document's item array; the tree follows the array.

#include <QModelIndex>
#include <QString>
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
  // The selected node and its subtree become the last child of its previous
  // sibling (Indent) or the next sibling of its parent (Outdent).
  void Indent();
  void Outdent();
  // Moves the block of `entry` under `parent` (kRoot for the root) before the
  // child at `row`, counted before the move; -1 or past the end makes it the
  // last child (a drag). One step; refused into the block itself.
  void MoveInto(int entry, int parent, int row);

  // Enabled state of the commands for the selected node.
  struct TEnabled {
    bool insert = false;
    bool remove = false;
    bool moveUp = false;
    bool moveDown = false;
    bool indent = false;
    bool outdent = false;
  };
  TEnabled EnabledFor(const QModelIndex& selected) const;

 private:
  int Selected() const;
  // Pushes a step that keeps the selected node (a move).
  void PushMove(class QUndoCommand* step);
  // Puts the block of `entry` under `parent` as MoveInto does, named `text`;
  // refuses a place that would nest deeper than the files allow.
  void Reparent(int entry, int parent, int row, const QString& text);

  QTreeView& tree_;
  TDesignTreeModel& model_;
  TLumerollDocument& document_;
  Prompts& prompts_;
  QWidget* owner_;
  THost host_;
};
