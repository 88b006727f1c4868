#pragma once
// A main window on scripted prompts, a capturing launcher and temporary
// folders, with helpers that build nested projects and check that the tree
// and the agent's item array still agree.

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "editor/design_tree_builder.h"
#include "editor/main_form.h"
#include "model/tree_math.h"
#include "support/scripted_prompts.h"

// Records the page hooks so tests see what the selection protocol commits
// and refreshes.
class TRecordingMainForm : public TMainForm {
 public:
  using TMainForm::TMainForm;
  std::vector<int> commits;
  std::vector<int> refreshes;
  void CommitItemPage(int index) override { commits.push_back(index); }
  void RefreshItemPage(int index) override { refreshes.push_back(index); }
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

  QTreeWidget& Tree() { return form->DesignTree(); }
  QTreeWidgetItem* Root() { return Tree().topLevelItem(0); }
  QAction* Action(const char* name) { return form->findChild<QAction*>(QString::fromLatin1(name)); }

  // Node of the entry with this caption.
  QTreeWidgetItem* Node(const char* caption) {
    const auto found = Tree().findItems(QString::fromLatin1(caption), Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
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
    form->Agent().ReplaceProject(DefaultAppletData(), items, "");
    form->RebuildDesignTree(parents);
  }

  void Select(const char* caption) { Tree().setCurrentItem(Node(caption)); }

  // Captions of the entries in array order.
  std::vector<std::string> EntryCaptions() {
    std::vector<std::string> captions;
    for (const TItemData& item : form->Agent().Items()) captions.push_back(item.ICaption);
    return captions;
  }

  // One node per entry plus the root; node k + 1 sits at depth ILevel + 1 and
  // shows the caption of entry k (loaded nodes) or "Item" (inserted ones).
  void ExpectTreeMatchesArray() {
    const TItemArray& items = form->Agent().Items();
    ASSERT_EQ(Tree().topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), QStringLiteral("JavaScript Lumeroll"));
    EXPECT_EQ(design_tree::CountDescendants(Root()), static_cast<int>(items.size()));
    if (items.empty()) return;
    int k = 0;
    for (QTreeWidgetItemIterator it(Root()->child(0)); *it && k < static_cast<int>(items.size()); ++it, ++k) {
      EXPECT_EQ(design_tree::Depth(*it), std::stoi(items[k].ILevel) + 1) << "entry " << k;
      const QString caption = (*it)->text(0);
      EXPECT_TRUE(caption == QStringLiteral("Item") || caption == QString::fromLocal8Bit(items[k].ICaption))
          << "entry " << k << " node " << caption.toStdString();
      EXPECT_EQ(design_tree::AbsoluteIndex(*it), k + 1);
    }
  }

  QTemporaryDir folder;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  std::unique_ptr<TRecordingMainForm> form;
};
