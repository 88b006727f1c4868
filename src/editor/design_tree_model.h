#pragma once
// TDesignTreeModel shows the document's item array as the design tree: the
// root node "JavaScript Lumeroll" and below it one node per entry, nested by
// the entries' levels (the only record of the tree's shape). Entry k is node
// k + 1 in pre-order. Nodes keep their identity across shape changes, so the
// view keeps its open branches and selection when blocks move.
//
// Nothing here recurses on depth: the shape is rebuilt from the levels with
// an explicit stack, and every question is answered from flat arrays.

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <unordered_map>
#include <vector>

#include "document/document.h"

class TDesignTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  static constexpr const char* kRootCaption = "JavaScript Lumeroll";
  static constexpr const char* kMimeType = "application/x-lumeroll-tree-node";
  // Entry index standing for the root node.
  static constexpr int kRoot = -1;

  explicit TDesignTreeModel(TLumerollDocument& document, QObject* parent = nullptr);

  // Asked to move entry `entry`'s block under `parent` (kRoot for the root)
  // before its child at `row` (counted before the move), or to make it the
  // last child when `row` is -1 (a drop onto the node); the window turns it
  // into an undoable step.
  void SetDropRequest(std::function<void(int entry, int parent, int row)> request) {
    dropRequest_ = std::move(request);
  }

  QModelIndex RootIndex() const;
  QModelIndex IndexOfEntry(int entry) const;
  // kRoot for the root node, -2 for an invalid index.
  int EntryOf(const QModelIndex& index) const;

  int EntryCount() const { return static_cast<int>(levels_.size()); }
  // Level of the entry (depth below the root - 1).
  int Level(int entry) const { return levels_[static_cast<size_t>(entry)]; }
  const std::vector<int>& Levels() const { return levels_; }
  int ParentEntry(int entry) const { return parent_[static_cast<size_t>(entry)]; }
  int Row(int entry) const { return row_[static_cast<size_t>(entry)]; }
  int ChildCount(int entry) const;
  int ChildEntry(int entry, int row) const;
  // The entry and all its descendants.
  int BlockSize(int entry) const;
  // Sibling entry `offset` rows away, or -2 without one.
  int Sibling(int entry, int offset) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
  Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

 private:
  // Node number: 0 the root, entry + 1 an entry.
  void Rebuild();
  void OnShapeChanged();
  void OnProjectReset();
  void ApplyEdit(const TShapeEdit& edit);
  quintptr NewId() { return nextId_++; }
  // Entry of a drag and the parent entry it would land under; false when the
  // drop is refused (into its own subtree, outside the tree, or where the
  // node already stands).
  bool DropTarget(const QMimeData* data, int row, const QModelIndex& parent, int& entry, int& toParent) const;

  TLumerollDocument& document_;
  std::function<void(int, int, int)> dropRequest_;
  QIcon rootIcon_;
  QIcon itemIcon_;

  std::vector<int> levels_;
  std::vector<int> parent_;       // parent entry, kRoot for a top-level entry
  std::vector<int> row_;          // row among its siblings
  std::vector<int> childStart_;   // by node number; one more than nodes
  std::vector<int> children_;     // child entries of each node, in order
  std::vector<int> blockEnd_;     // one past the entry's last descendant
  std::vector<quintptr> ids_;     // identity of each entry's node
  std::unordered_map<quintptr, int> entryOfId_;
  std::vector<TShapeEdit> pending_;
  quintptr nextId_ = 1;           // 0 is the root's
};
