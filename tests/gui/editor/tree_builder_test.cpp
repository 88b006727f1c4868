// The tree rebuild from a loader's parent list and the levels read back.
#include <QTreeWidget>

#include "editor/design_tree_builder.h"
#include "model/tree_math.h"
#include <gtest/gtest.h>

TEST(DesignTreeBuilderTest, LevelsReadBackAreTheLevelsBuilt) {
  const std::vector<std::vector<int>> cases = {
      {}, {0}, {0, 0, 0}, {0, 1, 2, 3, 0}, {0, 1, 1, 0, 1, 2, 2, 1, 0}, {0, 1, 2, 2, 1, 0, 1}};
  for (const std::vector<int>& levels : cases) {
    TItemArray items(levels.size());
    for (size_t k = 0; k < levels.size(); ++k) {
      items[k].ICaption = "N" + std::to_string(k);
      items[k].ILevel = std::to_string(levels[k]);
    }
    std::vector<int> parents, shown;
    ASSERT_TRUE(tree_math::ParentsFromLevels(items, parents, shown).ok);
    QTreeWidget tree;
    QTreeWidgetItem* root = design_tree::ResetTree(tree);
    design_tree::FillTree(*root, items, parents);
    EXPECT_EQ(design_tree::TreeLevels(tree), levels);
    EXPECT_EQ(design_tree::CountDescendants(root), static_cast<int>(levels.size()));
    int k = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
      if (*it == root) continue;
      EXPECT_EQ((*it)->text(0), QString::fromStdString(items[k].ICaption));
      EXPECT_EQ(design_tree::AbsoluteIndex(*it), k + 1);
      ++k;
    }
  }
}

TEST(DesignTreeBuilderTest, ParentsThatAreNotEarlierEntriesHangUnderTheRoot) {
  TItemArray items(4);
  QTreeWidget tree;
  QTreeWidgetItem* root = design_tree::ResetTree(tree);
  design_tree::FillTree(*root, items, {-1, 0, 7, 2});
  EXPECT_EQ(design_tree::TreeLevels(tree), (std::vector<int>{0, 1, 0, 1}));
  QTreeWidget shortList;
  design_tree::FillTree(*design_tree::ResetTree(shortList), items, {-1});
  EXPECT_EQ(design_tree::TreeLevels(shortList), (std::vector<int>{0, 0, 0, 0}));
}

TEST(DesignTreeBuilderTest, ALargeNestedProjectBuildsWithEveryNodeInPlace) {
  // 10,000 entries in runs of four levels, so blocks of every depth occur.
  TItemArray items(10000);
  std::vector<int> levels(items.size());
  for (size_t k = 0; k < items.size(); ++k) {
    levels[k] = static_cast<int>(k % 4);
    items[k].ICaption = std::to_string(k);
    items[k].ILevel = std::to_string(levels[k]);
  }
  std::vector<int> parents, shown;
  ASSERT_TRUE(tree_math::ParentsFromLevels(items, parents, shown).ok);
  QTreeWidget tree;
  QTreeWidgetItem* root = design_tree::ResetTree(tree);
  design_tree::FillTree(*root, items, parents);
  EXPECT_EQ(root->childCount(), 2500);
  EXPECT_EQ(design_tree::TreeLevels(tree), levels);
  QTreeWidgetItem* last = root->child(2499)->child(0)->child(0)->child(0);
  EXPECT_EQ(last->text(0), QStringLiteral("9999"));
  EXPECT_EQ(design_tree::AbsoluteIndex(last), 10000);
}
