#pragma once
// A main window on scripted prompts, a capturing launcher and temporary
// folders, with helpers that build nested projects and check that the tree
// and the agent's item array still agree.

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <memory>
#include <string>
#include <vector>

#include "editor/design_tree_model.h"
#include "editor/main_form.h"
#include "model/tree_math.h"
#include "support/scripted_prompts.h"

// Records the Item page refreshes so tests see what the selection protocol
// shows.
class TRecordingMainForm : public TMainForm {
 public:
  using TMainForm::TMainForm;
  std::vector<int> refreshes;
  void RefreshItemPage(int index) override {
    refreshes.push_back(index);
    TMainForm::RefreshItemPage(index);
  }
};

struct TNestedItem {
  const char* caption;
  int level;
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.path().toLocal8Bit().toStdString() + "/";
    form = std::make_unique<TRecordingMainForm>(TEditorServices{prompts, launcher, AppFolders{path, path}});
  }

  QTreeView& Tree() { return form->DesignTree(); }
  TDesignTreeModel& Model() { return form->TreeModel(); }
  QModelIndex Root() { return Model().RootIndex(); }
  QAction* Action(const char* name) { return form->findChild<QAction*>(QString::fromLatin1(name)); }
  QToolButton* Button(const char* name) { return form->findChild<QToolButton*>(QString::fromLatin1(name)); }
  QModelIndex Child(const QModelIndex& parent, int row) { return Model().index(row, 0, parent); }
  static QString Caption(const QModelIndex& node) { return node.data().toString(); }

  // Node of the entry with this caption.
  QModelIndex Node(const char* caption) {
    const TItemArray& items = form->Agent().Items();
    for (int k = 0; k < static_cast<int>(items.size()); ++k)
      if (items[static_cast<size_t>(k)].ICaption == caption) return Model().IndexOfEntry(k);
    return {};
  }

  // Loads items with the given levels the way Open and Import will.
  void LoadNested(const std::vector<TNestedItem>& nested) {
    TItemArray items;
    for (const TNestedItem& n : nested) {
      TItemData item = DefaultItemData();
      item.ICaption = n.caption;
      item.ILevel = std::to_string(n.level);
      items.push_back(item);
    }
    std::vector<int> parents;
    std::vector<int> levels;
    ASSERT_TRUE(tree_math::ParentsFromLevels(items, parents, levels).ok);
    form->Document().StartProject({DefaultAppletData(), items, ""});
  }

  void Select(const char* caption) { Tree().setCurrentIndex(Node(caption)); }

  // Captions of the entries in array order.
  std::vector<std::string> EntryCaptions() {
    std::vector<std::string> captions;
    for (const TItemData& item : form->Agent().Items()) captions.push_back(item.ICaption);
    return captions;
  }

  // One node per entry plus the root, walked through the model as the view
  // sees it: node k + 1 in pre-order sits at depth ILevel + 1 and shows the
  // caption of entry k.
  void ExpectTreeMatchesArray() {
    const TItemArray& items = form->Agent().Items();
    ASSERT_EQ(Model().rowCount(), 1);
    EXPECT_EQ(Caption(Root()), QStringLiteral("JavaScript Lumeroll"));
    std::vector<std::pair<QModelIndex, int>> stack;
    for (int row = Model().rowCount(Root()) - 1; row >= 0; --row) stack.emplace_back(Child(Root(), row), 1);
    int k = 0;
    while (!stack.empty()) {
      const auto [node, depth] = stack.back();
      stack.pop_back();
      ASSERT_LT(k, static_cast<int>(items.size())) << "more nodes than entries";
      EXPECT_EQ(depth, std::stoi(items[static_cast<size_t>(k)].ILevel) + 1) << "entry " << k;
      EXPECT_EQ(Caption(node), QString::fromLocal8Bit(items[static_cast<size_t>(k)].ICaption)) << "entry " << k;
      EXPECT_EQ(Model().EntryOf(node), k);
      EXPECT_EQ(Model().parent(node).isValid(), true);
      for (int row = Model().rowCount(node) - 1; row >= 0; --row) stack.emplace_back(Child(node, row), depth + 1);
      ++k;
    }
    EXPECT_EQ(k, static_cast<int>(items.size()));
  }

  QTemporaryDir folder;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  std::unique_ptr<TRecordingMainForm> form;
};
