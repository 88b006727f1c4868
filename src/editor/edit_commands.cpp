#include "editor/edit_commands.h"

#include "document/document.h"

TEditCommand::TEditCommand(TLumerollDocument& document, const QString& text) : document_(document) {
  setText(text);
}

int TEditCommand::ItemCount() const { return document_.Agent().ItemCount(); }

void TEditCommand::undo() {
  const TLumerollDocument::TStepScope step(document_);
  if (!CanUndo()) {
    setObsolete(true);
    document_.RefuseStep(QStringLiteral("\"%1\" cannot be undone: the project no longer matches it.").arg(text()));
    return;
  }
  Undo();
  document_.RequestSelection(SelectAfterUndo());
}

void TEditCommand::redo() {
  const TLumerollDocument::TStepScope step(document_);
  if (!CanRedo()) {
    setObsolete(true);
    document_.RefuseStep(QStringLiteral("\"%1\" cannot be redone: the project no longer matches it.").arg(text()));
    return;
  }
  Redo();
  if (ranOnce_) document_.RequestSelection(SelectAfterRedo());
  ranOnce_ = true;
}

// ---- applet parameters

namespace {

// "Change Delay": the step names the field as its control's label does.
QString StepName(const char* label) {
  return label ? QStringLiteral("Change %1").arg(QLatin1String(label)) : QStringLiteral("Change");
}

}  // namespace

TChangeAppletFieldCommand::TChangeAppletFieldCommand(TLumerollDocument& document, int field, std::string before,
                                                     std::string after, bool typing, int session)
    : TEditCommand(document, StepName(field >= 0 && field < TAppletData::FieldCount
                                          ? kAppletFields[static_cast<size_t>(field)].label
                                          : nullptr)),
      field_(field),
      before_(std::move(before)),
      after_(std::move(after)),
      typing_(typing),
      session_(session) {}

bool TChangeAppletFieldCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const TChangeAppletFieldCommand*>(other);
  if (!typing_ || !next->typing_ || next->field_ != field_ || next->session_ != session_) return false;
  after_ = next->after_;
  // Typing that ends where it began leaves nothing to undo.
  if (after_ == before_) setObsolete(true);
  return true;
}

bool TChangeAppletFieldCommand::CanUndo() const { return field_ >= 0 && field_ < TAppletData::FieldCount; }
bool TChangeAppletFieldCommand::CanRedo() const { return CanUndo(); }
void TChangeAppletFieldCommand::Undo() { document_.ApplyAppletField(field_, before_); }
void TChangeAppletFieldCommand::Redo() { document_.ApplyAppletField(field_, after_); }

// ---- item fields

TChangeItemFieldCommand::TChangeItemFieldCommand(TLumerollDocument& document, int entry, int field,
                                                 std::string before, std::string after, bool typing, int session)
    : TEditCommand(document, StepName(field >= 0 && field < TItemData::FieldCount
                                          ? kItemFieldLabels[static_cast<size_t>(field)]
                                          : nullptr)),
      entry_(entry),
      field_(field),
      before_(std::move(before)),
      after_(std::move(after)),
      typing_(typing),
      session_(session) {}

bool TChangeItemFieldCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const TChangeItemFieldCommand*>(other);
  if (!typing_ || !next->typing_ || next->entry_ != entry_ || next->field_ != field_ || next->session_ != session_)
    return false;
  after_ = next->after_;
  if (after_ == before_) setObsolete(true);
  return true;
}

bool TChangeItemFieldCommand::CanUndo() const {
  return entry_ >= 0 && entry_ < ItemCount() && field_ >= 0 && field_ < TItemData::FieldCount;
}
bool TChangeItemFieldCommand::CanRedo() const { return CanUndo(); }
void TChangeItemFieldCommand::Undo() { document_.ApplyItemField(entry_, field_, before_); }
void TChangeItemFieldCommand::Redo() { document_.ApplyItemField(entry_, field_, after_); }

// ---- Insert

TInsertItemCommand::TInsertItemCommand(TLumerollDocument& document, int entry, TItemData item, int selected)
    : TEditCommand(document, QStringLiteral("Insert Item")),
      entry_(entry),
      item_(std::move(item)),
      selected_(selected),
      countBefore_(document.Agent().ItemCount()) {}

bool TInsertItemCommand::CanUndo() const { return ItemCount() == countBefore_ + 1; }
bool TInsertItemCommand::CanRedo() const { return ItemCount() == countBefore_ && entry_ <= countBefore_; }
void TInsertItemCommand::Undo() { document_.ApplyDelete(entry_, 1); }
void TInsertItemCommand::Redo() { document_.ApplyInsertItems(entry_, {item_}); }

// ---- Delete

TDeleteItemsCommand::TDeleteItemsCommand(TLumerollDocument& document, int first, TItemArray block, int selectAfter)
    : TEditCommand(document, QStringLiteral("Delete Item")),
      first_(first),
      block_(std::move(block)),
      selectAfter_(selectAfter),
      countBefore_(document.Agent().ItemCount()) {}

bool TDeleteItemsCommand::CanUndo() const {
  return ItemCount() + static_cast<int>(block_.size()) == countBefore_ && first_ <= ItemCount();
}
bool TDeleteItemsCommand::CanRedo() const {
  return ItemCount() == countBefore_ && first_ >= 0 && first_ + static_cast<int>(block_.size()) <= ItemCount();
}
void TDeleteItemsCommand::Undo() { document_.ApplyInsertItems(first_, block_); }
void TDeleteItemsCommand::Redo() { document_.ApplyDelete(first_, static_cast<int>(block_.size())); }

// ---- moves

TMoveBlockCommand::TMoveBlockCommand(TLumerollDocument& document, const QString& text, int start, int count,
                                     int places, int selectedBefore, int selectedAfter)
    : TEditCommand(document, text),
      start_(start),
      count_(count),
      places_(places),
      selectedBefore_(selectedBefore),
      selectedAfter_(selectedAfter),
      countBefore_(document.Agent().ItemCount()) {}

bool TMoveBlockCommand::CanUndo() const { return CanRedo(); }
bool TMoveBlockCommand::CanRedo() const {
  return ItemCount() == countBefore_ && count_ > 0 && places_ > 0 && start_ - places_ >= 0 &&
         start_ + count_ <= ItemCount();
}
// The carried run now stands first; the run it passed is carried back up past it.
void TMoveBlockCommand::Undo() { document_.ApplyCarryBlockUp(start_ - places_ + count_, places_, count_); }
void TMoveBlockCommand::Redo() { document_.ApplyCarryBlockUp(start_, count_, places_); }

TMoveUpCommand::TMoveUpCommand(TLumerollDocument& document, int entry, int blockSize, int previousEntry)
    : TMoveBlockCommand(document, QStringLiteral("Move Item Up"), entry, blockSize, entry - previousEntry, entry,
                        previousEntry) {}

TMoveDownCommand::TMoveDownCommand(TLumerollDocument& document, int entry, int blockSize, int nextEntry,
                                   int nextBlockSize)
    : TMoveBlockCommand(document, QStringLiteral("Move Item Down"), nextEntry, nextBlockSize, blockSize, entry,
                        entry + nextBlockSize) {}

