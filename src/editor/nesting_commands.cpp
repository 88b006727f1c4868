#include "editor/nesting_commands.h"

#include "document/document.h"

TMoveBlockToCommand::TMoveBlockToCommand(TLumerollDocument& document, const QString& text, int start, int to,
                                         std::vector<std::string> levelsBefore,
                                         std::vector<std::string> levelsAfter)
    : TEditCommand(document, text),
      start_(start),
      to_(to),
      levelsBefore_(std::move(levelsBefore)),
      levelsAfter_(std::move(levelsAfter)),
      countBefore_(document.Agent().ItemCount()) {}

bool TMoveBlockToCommand::BlockHas(int at, const std::vector<std::string>& levels) const {
  const TItemArray& items = document_.Agent().Items();
  const int count = static_cast<int>(levels.size());
  if (count == 0 || at < 0 || at + count > static_cast<int>(items.size())) return false;
  for (int k = 0; k < count; ++k)
    if (items[static_cast<size_t>(at + k)].ILevel != levels[static_cast<size_t>(k)]) return false;
  return true;
}

bool TMoveBlockToCommand::CanRedo() const {
  return ItemCount() == countBefore_ && levelsAfter_.size() == levelsBefore_.size() && BlockHas(start_, levelsBefore_) &&
         to_ + static_cast<int>(levelsAfter_.size()) <= ItemCount();
}

bool TMoveBlockToCommand::CanUndo() const {
  return ItemCount() == countBefore_ && BlockHas(to_, levelsAfter_) &&
         start_ + static_cast<int>(levelsBefore_.size()) <= ItemCount();
}

void TMoveBlockToCommand::Redo() {
  document_.ApplyMoveBlock(start_, static_cast<int>(levelsBefore_.size()), to_, levelsAfter_);
}

void TMoveBlockToCommand::Undo() {
  document_.ApplyMoveBlock(to_, static_cast<int>(levelsAfter_.size()), start_, levelsBefore_);
}
