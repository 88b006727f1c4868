#pragma once
// The undoable edits of the editor, one class per kind of edit. Each step
// keeps what it needs to go both ways, applies itself through the document
// (which tells the views), and after an undo or redo asks the views to
// select the node it concerned. A step that finds the project not as it
// left it (it cannot happen while every change goes through the history)
// refuses itself with a message and changes nothing.

#include <QUndoCommand>
#include <string>

#include "model/applet_data.h"

class TLumerollDocument;

// Steps whose typing merges (QUndoCommand::id).
enum TEditId { kAppletFieldEdit = 1, kItemFieldEdit = 2 };

// Base of every step: remembers whether it has run once, so the first redo
// (the push, when the user's edit already shows) does not move the selection.
class TEditCommand : public QUndoCommand {
 public:
  TEditCommand(TLumerollDocument& document, const QString& text);
  void undo() final;
  void redo() final;

 protected:
  // False when the project does not hold what the step expects.
  virtual bool CanUndo() const = 0;
  virtual bool CanRedo() const = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  // Entry to select after the step ran that way, -1 for the root.
  virtual int SelectAfterUndo() const = 0;
  virtual int SelectAfterRedo() const = 0;
  int ItemCount() const;

  TLumerollDocument& document_;

 private:
  bool ranOnce_ = false;
};

// One applet parameter on the Script, Text or Path page.
class TChangeAppletFieldCommand : public TEditCommand {
 public:
  TChangeAppletFieldCommand(TLumerollDocument& document, int field, std::string before, std::string after,
                            bool typing, int session);
  int id() const override { return kAppletFieldEdit; }
  bool mergeWith(const QUndoCommand* other) override;

 protected:
  bool CanUndo() const override;
  bool CanRedo() const override;
  void Undo() override;
  void Redo() override;
  int SelectAfterUndo() const override { return -1; }
  int SelectAfterRedo() const override { return -1; }

 private:
  int field_;
  std::string before_, after_;
  bool typing_;
  int session_;
};

// One field of an item on the Item page.
class TChangeItemFieldCommand : public TEditCommand {
 public:
  TChangeItemFieldCommand(TLumerollDocument& document, int entry, int field, std::string before, std::string after,
                          bool typing, int session);
  int id() const override { return kItemFieldEdit; }
  bool mergeWith(const QUndoCommand* other) override;

 protected:
  bool CanUndo() const override;
  bool CanRedo() const override;
  void Undo() override;
  void Redo() override;
  int SelectAfterUndo() const override { return entry_; }
  int SelectAfterRedo() const override { return entry_; }

 private:
  int entry_, field_;
  std::string before_, after_;
  bool typing_;
  int session_;
};

// Insert: a new item at `entry` (the root's last child).
class TInsertItemCommand : public TEditCommand {
 public:
  TInsertItemCommand(TLumerollDocument& document, int entry, TItemData item, int selected);

 protected:
  bool CanUndo() const override;
  bool CanRedo() const override;
  void Undo() override;
  void Redo() override;
  int SelectAfterUndo() const override { return selected_; }
  int SelectAfterRedo() const override { return selected_; }

 private:
  int entry_;
  TItemData item_;
  int selected_;  // the node Insert was given (the root)
  int countBefore_;
};

// Delete: a node with all its descendants.
class TDeleteItemsCommand : public TEditCommand {
 public:
  TDeleteItemsCommand(TLumerollDocument& document, int first, TItemArray block, int selectAfter);

 protected:
  bool CanUndo() const override;
  bool CanRedo() const override;
  void Undo() override;
  void Redo() override;
  int SelectAfterUndo() const override { return first_; }
  int SelectAfterRedo() const override { return selectAfter_; }

 private:
  int first_;
  TItemArray block_;
  int selectAfter_;  // the neighbour that takes the node's place
  int countBefore_;
};

// A block carried past its earlier siblings' blocks: the shape of every move.
// Entries [start, start + count) go up past the `places` entries before them.
class TMoveBlockCommand : public TEditCommand {
 public:
  TMoveBlockCommand(TLumerollDocument& document, const QString& text, int start, int count, int places,
                    int selectedBefore, int selectedAfter);

 protected:
  bool CanUndo() const override;
  bool CanRedo() const override;
  void Undo() override;
  void Redo() override;
  int SelectAfterUndo() const override { return selectedBefore_; }
  int SelectAfterRedo() const override { return selectedAfter_; }

 private:
  int start_, count_, places_;
  int selectedBefore_, selectedAfter_;
  int countBefore_;
};

// Move Up: the node's block before its previous sibling's block.
class TMoveUpCommand : public TMoveBlockCommand {
 public:
  TMoveUpCommand(TLumerollDocument& document, int entry, int blockSize, int previousEntry);
};

// Move Down: the node's block after its next sibling's block.
class TMoveDownCommand : public TMoveBlockCommand {
 public:
  TMoveDownCommand(TLumerollDocument& document, int entry, int blockSize, int nextEntry, int nextBlockSize);
};
