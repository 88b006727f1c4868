#pragma once
// The step that gives a node another parent: Indent, Outdent and a drop
// anywhere in the tree. The node's block moves in the item array and its
// entries take new levels, in one step; undo puts back the very ILevel texts
// it found, so the saved file is what it was byte for byte.

#include <string>
#include <vector>

#include "editor/edit_commands.h"

class TMoveBlockToCommand : public TEditCommand {
 public:
  // The block [start, start + levelsBefore.size()) moves so it begins at
  // entry `to` (counted after the move) with the ILevel texts levelsAfter.
  TMoveBlockToCommand(TLumerollDocument& document, const QString& text, int start, int to,
                      std::vector<std::string> levelsBefore, std::vector<std::string> levelsAfter);

 protected:
  bool CanUndo() const override;
  bool CanRedo() const override;
  void Undo() override;
  void Redo() override;
  int SelectAfterUndo() const override { return start_; }
  int SelectAfterRedo() const override { return to_; }

 private:
  // True when the block at `at` holds these ILevel texts.
  bool BlockHas(int at, const std::vector<std::string>& levels) const;

  int start_, to_;
  std::vector<std::string> levelsBefore_, levelsAfter_;
  int countBefore_;
};
