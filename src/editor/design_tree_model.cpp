#include "editor/design_tree_model.h"

#include <QMimeData>
#include <algorithm>

#include "editor/editor_icons.h"
#include "model/tree_math.h"

namespace {

// The level an entry's ILevel gives, read and clamped as a load reads it, so
// the tree shows what the file says (" 1" and "+1" are level 1 there too).
int SoundLevel(const std::string& text, int previous) { return tree_math::ShownLevel(text, previous); }

}  // namespace

TDesignTreeModel::TDesignTreeModel(TLumerollDocument& document, QObject* parent)
    : QAbstractItemModel(parent),
      document_(document),
      rootIcon_(editor_icons::TreeIcon(editor_icons::kTreeImageRoot)),
      itemIcon_(editor_icons::TreeIcon(editor_icons::kTreeImageItem)) {
  connect(&document_, &TLumerollDocument::ShapeEdited, this,
          [this](const TShapeEdit& edit) { pending_.push_back(edit); });
  connect(&document_, &TLumerollDocument::ShapeChanged, this, &TDesignTreeModel::OnShapeChanged);
  connect(&document_, &TLumerollDocument::ProjectReset, this, &TDesignTreeModel::OnProjectReset);
  connect(&document_, &TLumerollDocument::ItemChanged, this, [this](int entry) {
    const QModelIndex at = IndexOfEntry(entry);
    if (at.isValid()) emit dataChanged(at, at);
  });
  ids_.clear();
  Rebuild();
}

void TDesignTreeModel::Rebuild() {
  const TItemArray& items = document_.Agent().Items();
  const int n = static_cast<int>(items.size());
  if (static_cast<int>(ids_.size()) != n) {
    ids_.resize(static_cast<size_t>(n));
    for (quintptr& id : ids_) id = NewId();
  }
  levels_.assign(static_cast<size_t>(n), 0);
  parent_.assign(static_cast<size_t>(n), kRoot);
  row_.assign(static_cast<size_t>(n), 0);
  blockEnd_.assign(static_cast<size_t>(n), n);
  std::vector<int> childCount(static_cast<size_t>(n) + 1, 0);
  std::vector<int> open;  // open[level] = the latest entry at that level
  int previous = -1;
  for (int k = 0; k < n; ++k) {
    const int level = SoundLevel(items[static_cast<size_t>(k)].ILevel, previous);
    previous = level;
    levels_[static_cast<size_t>(k)] = level;
    open.resize(static_cast<size_t>(level));
    parent_[static_cast<size_t>(k)] = level == 0 ? kRoot : open[static_cast<size_t>(level - 1)];
    open.push_back(k);
    row_[static_cast<size_t>(k)] = childCount[static_cast<size_t>(parent_[static_cast<size_t>(k)] + 1)]++;
  }
  childStart_.assign(static_cast<size_t>(n) + 2, 0);
  for (int node = 0; node <= n; ++node)
    childStart_[static_cast<size_t>(node) + 1] = childStart_[static_cast<size_t>(node)] + childCount[static_cast<size_t>(node)];
  children_.assign(static_cast<size_t>(n), 0);
  for (int k = 0; k < n; ++k) {
    const int node = parent_[static_cast<size_t>(k)] + 1;
    children_[static_cast<size_t>(childStart_[static_cast<size_t>(node)] + row_[static_cast<size_t>(k)])] = k;
  }
  // One past each block: the next entry that is not deeper, found from the end.
  std::vector<int> later;
  for (int k = n - 1; k >= 0; --k) {
    while (!later.empty() && levels_[static_cast<size_t>(later.back())] > levels_[static_cast<size_t>(k)]) later.pop_back();
    blockEnd_[static_cast<size_t>(k)] = later.empty() ? n : later.back();
    later.push_back(k);
  }
  entryOfId_.clear();
  entryOfId_.reserve(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) entryOfId_.emplace(ids_[static_cast<size_t>(k)], k);
}

void TDesignTreeModel::ApplyEdit(const TShapeEdit& edit) {
  const auto at = [this](int i) { return ids_.begin() + i; };
  switch (edit.kind) {
    case TShapeEdit::TKind::Insert: {
      std::vector<quintptr> fresh(static_cast<size_t>(edit.count));
      for (quintptr& id : fresh) id = NewId();
      ids_.insert(at(edit.start), fresh.begin(), fresh.end());
      break;
    }
    case TShapeEdit::TKind::Remove:
      ids_.erase(at(edit.start), at(edit.start + edit.count));
      break;
    case TShapeEdit::TKind::CarryUp:
      std::rotate(at(edit.start - edit.places), at(edit.start), at(edit.start + edit.count));
      break;
  }
}

void TDesignTreeModel::OnShapeChanged() {
  emit layoutAboutToBeChanged();
  const QModelIndexList before = persistentIndexList();
  std::vector<quintptr> idsBefore;
  idsBefore.reserve(static_cast<size_t>(before.size()));
  for (const QModelIndex& index : before) idsBefore.push_back(index.internalId());
  for (const TShapeEdit& edit : pending_) ApplyEdit(edit);
  pending_.clear();
  Rebuild();
  QModelIndexList after;
  after.reserve(before.size());
  for (quintptr id : idsBefore) {
    if (id == 0) {
      after.append(RootIndex());
      continue;
    }
    const auto found = entryOfId_.find(id);
    after.append(found == entryOfId_.end() ? QModelIndex()
                                           : createIndex(row_[static_cast<size_t>(found->second)], 0, id));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

void TDesignTreeModel::OnProjectReset() {
  beginResetModel();
  pending_.clear();
  ids_.clear();
  Rebuild();
  endResetModel();
}

QModelIndex TDesignTreeModel::RootIndex() const { return createIndex(0, 0, quintptr(0)); }

QModelIndex TDesignTreeModel::IndexOfEntry(int entry) const {
  if (entry == kRoot) return RootIndex();
  if (entry < 0 || entry >= EntryCount()) return {};
  return createIndex(row_[static_cast<size_t>(entry)], 0, ids_[static_cast<size_t>(entry)]);
}

int TDesignTreeModel::EntryOf(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return -2;
  if (index.internalId() == 0) return kRoot;
  const auto found = entryOfId_.find(index.internalId());
  return found == entryOfId_.end() ? -2 : found->second;
}

int TDesignTreeModel::ChildCount(int entry) const {
  const size_t node = static_cast<size_t>(entry + 1);
  return childStart_[node + 1] - childStart_[node];
}

int TDesignTreeModel::ChildEntry(int entry, int row) const {
  return children_[static_cast<size_t>(childStart_[static_cast<size_t>(entry + 1)] + row)];
}

int TDesignTreeModel::BlockSize(int entry) const {
  if (entry == kRoot) return EntryCount();
  return blockEnd_[static_cast<size_t>(entry)] - entry;
}

int TDesignTreeModel::Sibling(int entry, int offset) const {
  if (entry < 0 || entry >= EntryCount()) return -2;
  const int parent = ParentEntry(entry);
  const int row = Row(entry) + offset;
  if (row < 0 || row >= ChildCount(parent)) return -2;
  return ChildEntry(parent, row);
}

QModelIndex TDesignTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 ? RootIndex() : QModelIndex();
  const int entry = EntryOf(parent);
  if (entry == -2 || row >= ChildCount(entry)) return {};
  const int child = ChildEntry(entry, row);
  return createIndex(row, 0, ids_[static_cast<size_t>(child)]);
}

QModelIndex TDesignTreeModel::parent(const QModelIndex& child) const {
  const int entry = EntryOf(child);
  if (entry < 0) return {};
  return IndexOfEntry(ParentEntry(entry));
}

int TDesignTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return 1;
  if (parent.column() != 0) return 0;
  const int entry = EntryOf(parent);
  return entry == -2 ? 0 : ChildCount(entry);
}

int TDesignTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TDesignTreeModel::data(const QModelIndex& index, int role) const {
  const int entry = EntryOf(index);
  if (entry == -2) return {};
  if (role == Qt::DisplayRole) {
    if (entry == kRoot) return QString::fromLatin1(kRootCaption);
    const TItemArray& items = document_.Agent().Items();
    if (entry >= static_cast<int>(items.size())) return {};
    return QString::fromLocal8Bit(items[static_cast<size_t>(entry)].ICaption);
  }
  if (role == Qt::DecorationRole) return entry == kRoot ? rootIcon_ : itemIcon_;
  return {};
}

Qt::ItemFlags TDesignTreeModel::flags(const QModelIndex& index) const {
  const int entry = EntryOf(index);
  if (entry == -2) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
  if (entry != kRoot) flags |= Qt::ItemIsDragEnabled;
  return flags;
}

QStringList TDesignTreeModel::mimeTypes() const { return {QString::fromLatin1(kMimeType)}; }

QMimeData* TDesignTreeModel::mimeData(const QModelIndexList& indexes) const {
  if (indexes.isEmpty() || EntryOf(indexes.front()) < 0) return nullptr;
  auto* data = new QMimeData;
  // The model's address keeps a drag from another window out.
  data->setData(QString::fromLatin1(kMimeType),
                QByteArray::number(reinterpret_cast<quintptr>(this)) + ' ' +
                    QByteArray::number(indexes.front().internalId()));
  return data;
}

bool TDesignTreeModel::DropTarget(const QMimeData* data, int row, const QModelIndex& parent, int& entry,
                                  int& toParent) const {
  if (!data || !data->hasFormat(QString::fromLatin1(kMimeType))) return false;
  const QList<QByteArray> parts = data->data(QString::fromLatin1(kMimeType)).split(' ');
  if (parts.size() != 2 || parts[0] != QByteArray::number(reinterpret_cast<quintptr>(this))) return false;
  const auto found = entryOfId_.find(static_cast<quintptr>(parts[1].toULongLong()));
  if (found == entryOfId_.end()) return false;
  entry = found->second;
  toParent = EntryOf(parent);
  // Beside the root node there is no place for an item.
  if (toParent == -2) return false;
  // Not into its own block: the node would have to contain itself.
  if (toParent >= entry && toParent < blockEnd_[static_cast<size_t>(entry)]) return false;
  if (toParent != ParentEntry(entry)) return true;
  // Under the same parent a drop just before or after the node, or onto the
  // parent of its last child, leaves everything as it is.
  const int from = Row(entry);
  if (row < 0) return from != ChildCount(toParent) - 1;
  return row != from && row != from + 1;
}

bool TDesignTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                       const QModelIndex& parent) const {
  int entry = 0, toParent = 0;
  return action == Qt::MoveAction && DropTarget(data, row, parent, entry, toParent);
}

bool TDesignTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                    const QModelIndex& parent) {
  int entry = 0, toParent = 0;
  if (action != Qt::MoveAction || !DropTarget(data, row, parent, entry, toParent) || !dropRequest_) return false;
  dropRequest_(entry, toParent, row);
  // The move is done; nothing is left for the view to remove.
  return false;
}
