#include "document/document.h"

#include <QUndoCommand>

namespace {

// One import: the project before and after, each put in whole.
class TReplaceProjectStep : public QUndoCommand {
 public:
  TReplaceProjectStep(TLumerollDocument& document, TProjectState before, TProjectState after, const QString& name)
      : document_(document), before_(std::move(before)), after_(std::move(after)) {
    setText(name);
  }
  void undo() override {
    const TLumerollDocument::TStepScope step(document_);
    Put(before_);
    document_.RequestSelection(-1);
  }
  void redo() override {
    const TLumerollDocument::TStepScope step(document_);
    Put(after_);
    // The first redo is the import itself, which selects the root anyway.
    if (ranOnce_) document_.RequestSelection(-1);
    ranOnce_ = true;
  }

 private:
  void Put(const TProjectState& project) {
    document_.ApplyProject(project.applet, project.items, project.fileVersion);
  }

  TLumerollDocument& document_;
  TProjectState before_, after_;
  bool ranOnce_ = false;
};

}  // namespace

TLumerollDocument::TLumerollDocument(QObject* parent) : QObject(parent) {
  undoStack_.setUndoLimit(kUndoLimit);
  connect(&undoStack_, &QUndoStack::cleanChanged, this, [this] { UpdateModified(); });
  agent_.SetDefaults();
}

TLumerollDocument::~TLumerollDocument() {
  // The commands may point back at this document; they go first.
  undoStack_.disconnect(this);
  undoStack_.clear();
}

void TLumerollDocument::SetFilePath(const QString& path) {
  if (path == filePath_) return;
  filePath_ = path;
  emit FilePathChanged(path);
}

void TLumerollDocument::SetModified(bool modified) {
  if (modified)
    undoStack_.resetClean();
  else
    undoStack_.setClean();
  UpdateModified();
}

void TLumerollDocument::UpdateModified() {
  const bool now = IsModified();
  if (now == lastModified_) return;
  lastModified_ = now;
  emit ModifiedChanged(now);
}

void TLumerollDocument::ApplyAppletField(int field, const std::string& value) {
  if (field < 0 || field >= TAppletData::FieldCount) return;
  TAppletData data = agent_.AppletData();
  data.Field(field) = value;
  agent_.SetAppletData(data);
  emit AppletFieldChanged(field);
  emit Changed();
}

void TLumerollDocument::ApplyItemField(int index, int field, const std::string& value) {
  if (index < 0 || index >= agent_.ItemCount() || field < 0 || field >= TItemData::FieldCount) return;
  TItemData item = agent_.Items()[static_cast<size_t>(index)];
  item.Field(field) = value;
  agent_.SetItemData(item, index);
  emit ItemChanged(index);
  emit Changed();
}

void TLumerollDocument::ApplyInsertItems(int index, const TItemArray& items) {
  if (index < 0 || index > agent_.ItemCount() || items.empty()) return;
  agent_.InsertItems(index, items);
  emit ShapeEdited({TShapeEdit::TKind::Insert, index, static_cast<int>(items.size()), 0});
  emit ShapeChanged();
  emit Changed();
}

void TLumerollDocument::ApplyDelete(int first, int count) {
  if (first < 0 || count <= 0 || first + count > agent_.ItemCount()) return;
  agent_.DeleteItems(first, count);
  emit ShapeEdited({TShapeEdit::TKind::Remove, first, count, 0});
  emit ShapeChanged();
  emit Changed();
}

void TLumerollDocument::ApplyCarryBlockUp(int start, int count, int places) {
  if (count <= 0 || places <= 0 || start - places < 0 || start + count > agent_.ItemCount()) return;
  agent_.CarryBlockUp(start, count, places);
  emit ShapeEdited({TShapeEdit::TKind::CarryUp, start, count, places});
  emit ShapeChanged();
  emit Changed();
}

void TLumerollDocument::ApplyMoveBlock(int start, int count, int to, const std::vector<std::string>& levels) {
  const int n = agent_.ItemCount();
  if (count <= 0 || start < 0 || to < 0 || start + count > n || to + count > n ||
      static_cast<int>(levels.size()) != count)
    return;
  // Going down, the entries between are carried up past the block instead.
  const int carried = to < start ? start : start + count;
  const int run = to < start ? count : to - start;
  const int places = to < start ? start - to : count;
  if (to != start) agent_.CarryBlockUp(carried, run, places);
  for (int k = 0; k < count; ++k) {
    TItemData item = agent_.Items()[static_cast<size_t>(to + k)];
    item.ILevel = levels[static_cast<size_t>(k)];
    agent_.SetItemData(item, to + k);
  }
  if (to != start) emit ShapeEdited({TShapeEdit::TKind::CarryUp, carried, run, places});
  emit ShapeChanged();
  emit Changed();
}

void TLumerollDocument::ApplyProject(const TAppletData& applet, TItemArray items, std::string fileVersion) {
  agent_.ReplaceProject(applet, std::move(items), std::move(fileVersion));
  emit ProjectReset();
  emit Changed();
}

void TLumerollDocument::StartProject(TProjectState project) {
  // The old steps point at the old project: they go before it does.
  undoStack_.clear();
  ApplyProject(project.applet, std::move(project.items), std::move(project.fileVersion));
  SetModified(false);
}

void TLumerollDocument::ImportProject(TProjectState project, const QString& stepName) {
  TProjectState before{agent_.AppletData(), agent_.Items(), agent_.FileVersion};
  undoStack_.push(new TReplaceProjectStep(*this, std::move(before), std::move(project), stepName));
}

void TLumerollDocument::ClearHistory() {
  undoStack_.clear();
  SetModified(false);
}
