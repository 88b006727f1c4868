#include <gtest/gtest.h>

#include <random>

#include "model/applet_agent.h"
#include "model/tree_math.h"

namespace {

TItemData Named(const std::string& caption, int level = 0) {
  TItemData item = DefaultItemData();
  item.ICaption = caption;
  item.ILevel = std::to_string(level);
  return item;
}

std::vector<std::string> Captions(const TkvdAppletAgent& agent) {
  std::vector<std::string> out;
  for (const TItemData& i : agent.Items()) out.push_back(i.ICaption);
  return out;
}

TEST(Agent, InsertFollowsItsIndexRules) {
  TkvdAppletAgent agent;
  agent.InsertItem(7, Named("a"));  // any index fills an empty array
  agent.InsertItem(1, Named("c"));  // == length appends
  agent.InsertItem(1, Named("b"));  // inside shifts up
  agent.InsertItem(9, Named("x"));  // past the end: nothing
  agent.InsertItem(-1, Named("y"));
  EXPECT_EQ(Captions(agent), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Agent, DeleteFollowsItsIndexRules) {
  TkvdAppletAgent agent;
  agent.DeleteItem(0);
  EXPECT_EQ(agent.ItemCount(), 0);
  agent.InsertItem(0, Named("a"));
  agent.DeleteItem(42);  // the only entry goes whatever the index
  EXPECT_EQ(agent.ItemCount(), 0);
  for (const char* c : {"a", "b", "c", "d"}) agent.InsertItem(agent.ItemCount(), Named(c));
  agent.DeleteItem(4);
  agent.DeleteItem(3);
  agent.DeleteItem(0);
  EXPECT_EQ(Captions(agent), (std::vector<std::string>{"b", "c"}));
}

TEST(Agent, SwapWithPreviousIgnoresTheEnds) {
  TkvdAppletAgent agent;
  for (const char* c : {"a", "b", "c"}) agent.InsertItem(agent.ItemCount(), Named(c));
  agent.SwapWithPrevious(0);
  agent.SwapWithPrevious(3);
  EXPECT_EQ(Captions(agent), (std::vector<std::string>{"a", "b", "c"}));
  agent.SwapWithPrevious(2);
  EXPECT_EQ(Captions(agent), (std::vector<std::string>{"a", "c", "b"}));
}

TEST(Agent, FlatFormsHaveTheirWidths) {
  TStringArray flat{"stale"};
  TkvdAppletAgent::AppletDataToStrings(DefaultAppletData(), flat);
  ASSERT_EQ(flat.size(), 27u);
  EXPECT_EQ(flat[0], "1000");
  EXPECT_EQ(flat[26], "1");
  TkvdAppletAgent::ItemDataToStrings(Named("t", 2), flat);
  ASSERT_EQ(flat.size(), 20u);
  EXPECT_EQ(flat[0], "t");
  EXPECT_EQ(flat[4], "2");
  for (int i = 6; i < 20; ++i) EXPECT_EQ(flat[i], "");
  TItemData back;
  TkvdAppletAgent::StringsToItemData(flat, back);
  EXPECT_EQ(back, Named("t", 2));
}

// The block move must give what the entry-by-entry swapping procedure gives.
void SwapProcedureUp(TkvdAppletAgent& agent, int k, int s, int p) {
  for (int j = 0; j < s; ++j)
    for (int c = 0; c < p; ++c) agent.SwapWithPrevious(k + j - c);
}

TEST(TreeMath, BlockMovesMatchTheSwapProcedureOnRandomTrees) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<int> levels;
    const int n = 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < n; ++k) {
      const int deepest = k == 0 ? 0 : levels.back() + 1;
      levels.push_back(static_cast<int>(rng() % (deepest + 1)));
    }
    const int k = static_cast<int>(rng() % n);
    TkvdAppletAgent viaSwaps, viaRotate;
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) {
      viaSwaps.InsertItem(i, Named("n" + std::to_string(i), levels[i]));
      viaRotate.InsertItem(i, Named("n" + std::to_string(i), levels[i]));
      names.push_back("n" + std::to_string(i));
    }
    const bool up = rng() % 2;
    const int sib = up ? tree_math::PreviousSibling(levels, k) : tree_math::NextSibling(levels, k);
    std::vector<int> movedLevels = levels;
    const bool moved = up ? tree_math::MoveBlockUp(names, movedLevels, k)
                          : tree_math::MoveBlockDown(names, movedLevels, k);
    ASSERT_EQ(moved, sib >= 0);
    if (!moved) continue;
    const int s = tree_math::BlockSize(levels, k), o = tree_math::BlockSize(levels, sib);
    if (up) {
      SwapProcedureUp(viaSwaps, k, s, o);
      viaRotate.CarryBlockUp(k, s, o);
    } else {
      SwapProcedureUp(viaSwaps, sib, o, s);
      viaRotate.CarryBlockUp(sib, o, s);
    }
    EXPECT_EQ(Captions(viaSwaps), names);
    EXPECT_EQ(Captions(viaRotate), names);
  }
}

}  // namespace
