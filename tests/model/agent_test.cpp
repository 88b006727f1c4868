#include <gtest/gtest.h>

#include <random>
#include <set>

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

TEST(Agent, DeleteItemsMatchesRepeatedDeleteItem) {
  for (int n = 0; n <= 5; ++n)
    for (int first = -1; first <= n; ++first)
      for (int count = 0; count <= n + 1; ++count) {
        TkvdAppletAgent one, block;
        for (int i = 0; i < n; ++i) {
          one.InsertItem(i, Named("e" + std::to_string(i)));
          block.InsertItem(i, Named("e" + std::to_string(i)));
        }
        for (int c = 0; c < count; ++c) one.DeleteItem(first);
        block.DeleteItems(first, count);
        EXPECT_EQ(Captions(block), Captions(one)) << n << " " << first << " " << count;
      }
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

// The field table is the one list of the box fields: every row its own
// member, label and control, so a field added twice or a name shared by two
// fields (two undo steps with one name) shows here.
TEST(AppletFields, EveryRowIsItsOwnFieldLabelAndControl) {
  TAppletData data;
  for (int i = 0; i < TAppletData::FieldCount; ++i) data.Field(i) = std::to_string(i);
  std::set<std::string> labels, controls;
  for (size_t i = 0; i < kAppletFields.size(); ++i) {
    EXPECT_EQ(data.*kAppletFields[i].member, std::to_string(i)) << kAppletFields[i].label;
    EXPECT_TRUE(labels.insert(kAppletFields[i].label).second) << kAppletFields[i].label;
    EXPECT_TRUE(controls.insert(kAppletFields[i].control).second) << kAppletFields[i].control;
  }
  // The project file's applet line starts with the delay and ends with the
  // choice of root.
  EXPECT_EQ(kAppletFields.front().member, &TAppletData::pDelay);
  EXPECT_EQ(kAppletFields.back().member, &TAppletData::pInternalUse_RootDir_Local_Checked);
  std::set<std::string> itemLabels(kItemFieldLabels.begin(), kItemFieldLabels.end());
  EXPECT_EQ(itemLabels.size(), kItemFieldLabels.size());
}

TEST(TreeMath, ShownLevelReadsTheTextAsALoadDoesAndKeepsItSound) {
  struct TCase {
    const char* text;
    int previous;
    int level;
  } cases[] = {
      {"0", -1, 0}, {"3", -1, 0},  {"1", 0, 1},  {" 1", 0, 1}, {"+1", 0, 1},  {"01", 0, 1}, {"5", 1, 2},
      {"-2", 3, 0}, {"x", 3, 0},   {"", 3, 0},   {"1x", 3, 0}, {"2", 3, 2},
  };
  for (const TCase& c : cases) EXPECT_EQ(tree_math::ShownLevel(c.text, c.previous), c.level) << c.text;
  // Whatever a load accepts, the tree shows as the load's levels.
  TItemArray items;
  for (const char* level : {"0", " 1", "+2", "02", "9", "0", "-1"}) {
    items.push_back(Named("x"));
    items.back().ILevel = level;
  }
  std::vector<int> parents, levels;
  ASSERT_TRUE(tree_math::ParentsFromLevels(items, parents, levels).ok);
  int previous = -1;
  for (size_t k = 0; k < items.size(); ++k) {
    previous = tree_math::ShownLevel(items[k].ILevel, previous);
    EXPECT_EQ(previous, levels[k]) << k;
  }
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

TEST(Agent, CreateAndDefaults) {
  TkvdAppletAgent agent;
  EXPECT_EQ(agent.ScriptFiles, (TStringArray{"orvantalumeroll.js", "orvantalumeroll_news1_cfg.js"}));
  EXPECT_EQ(agent.FieldSeparator, "#$@");
  EXPECT_EQ(agent.AppletData(), TAppletData{});
  EXPECT_EQ(agent.ItemCount(), 0);
  agent.InsertItem(0, Named("x"));
  agent.SetDefaults();
  EXPECT_EQ(agent.ItemCount(), 0);
  const TAppletData d = agent.AppletData();
  const TStringArray expected = {"1000", "240", "120", "1", "3", "000000", "5", "FFFFFF", "1000", "6",
                                 "Ms Sans Serif,Georgia,Helvetica,Arial", "0", "000000", "2", "14", "1", "0",
                                 "Ms Sans Serif,Georgia,Helvetica,Arial", "0", "000000", "2", "14", "0", "0", "",
                                 "", "1"};
  TStringArray flat;
  TkvdAppletAgent::AppletDataToStrings(d, flat);
  EXPECT_EQ(flat, expected);
  EXPECT_EQ(d.pBorderStyle, "3");
  EXPECT_EQ(d.pInternalUse_RootDir_Local_Checked, "1");
  TItemData item;
  agent.DefaultItem(item);
  EXPECT_EQ(item, (TItemData{"News Title", "", "_self", "Content here ...", "", ""}));
}

TEST(Agent, FlatFormsReadWhatIsThere) {
  TAppletData applet = DefaultAppletData();
  TkvdAppletAgent::StringsToAppletData({"1", "2"}, applet);
  EXPECT_EQ(applet.pDelay, "1");
  EXPECT_EQ(applet.pWidth, "2");
  EXPECT_EQ(applet.pHeight, "");
  EXPECT_EQ(applet.pInternalUse_RootDir_Local_Checked, "");
  TStringArray flat(20);
  for (int i = 0; i < 20; ++i) flat[i] = "f" + std::to_string(i);
  TItemData item;
  TkvdAppletAgent::StringsToItemData(flat, item);
  EXPECT_EQ(item, (TItemData{"f0", "f1", "f2", "f3", "f4", "f5"}));
}

TEST(Agent, ItemAccessOutsideTheArrayTouchesNothing) {
  TkvdAppletAgent agent;
  agent.InsertItem(0, Named("a"));
  TItemData out = Named("sentinel");
  agent.GetItemData(1, out);
  agent.GetItemData(-1, out);
  EXPECT_EQ(out.ICaption, "sentinel");
  agent.SetItemData(Named("z"), 1);
  agent.SetItemData(Named("z"), -1);
  agent.GetItemData(0, out);
  EXPECT_EQ(out.ICaption, "a");
  agent.SetItemData(Named("b", 3), 0);
  EXPECT_EQ(agent.Items()[0], Named("b", 3));
  agent.InsertItem(0, Named("c"));
  agent.DeleteItem(-1);
  EXPECT_EQ(agent.ItemCount(), 2);
  agent.CarryBlockUp(1, 1, 2);  // would reach before the first entry
  agent.CarryBlockUp(0, 3, 1);  // would reach past the end
  EXPECT_EQ(Captions(agent), (std::vector<std::string>{"c", "b"}));
}

TEST(Agent, RefreshLevelsWritesTheTreesDepths) {
  TkvdAppletAgent agent;
  for (const char* c : {"a", "b", "c"}) agent.InsertItem(agent.ItemCount(), Named(c));
  agent.RefreshLevels({0, 1, 1});
  std::vector<std::string> levels;
  for (const TItemData& i : agent.Items()) levels.push_back(i.ILevel);
  EXPECT_EQ(levels, (std::vector<std::string>{"0", "1", "1"}));
}

// 0 a, 1 a.1, 2 a.1.1, 3 a.2, 4 b, 5 b.1, 6 c
const std::vector<int> kSample = {0, 1, 2, 1, 0, 1, 0};

TEST(TreeMath, RelationsOfASampleTree) {
  struct TCase {
    int k, blockEnd, parent, previous, next;
  };
  const TCase cases[] = {{0, 4, -1, -1, 4}, {1, 3, 0, -1, 3}, {2, 3, 1, -1, -1}, {3, 4, 0, 1, -1},
                         {4, 6, -1, 0, 6},  {5, 6, 4, -1, -1}, {6, 7, -1, 4, -1}};
  for (const TCase& c : cases) {
    EXPECT_EQ(tree_math::BlockEnd(kSample, c.k), c.blockEnd) << c.k;
    EXPECT_EQ(tree_math::BlockSize(kSample, c.k), c.blockEnd - c.k) << c.k;
    EXPECT_EQ(tree_math::Parent(kSample, c.k), c.parent) << c.k;
    EXPECT_EQ(tree_math::PreviousSibling(kSample, c.k), c.previous) << c.k;
    EXPECT_EQ(tree_math::NextSibling(kSample, c.k), c.next) << c.k;
  }
  for (int outside : {-1, 7}) {
    EXPECT_EQ(tree_math::Parent(kSample, outside), -1);
    EXPECT_EQ(tree_math::PreviousSibling(kSample, outside), -1);
    EXPECT_EQ(tree_math::NextSibling(kSample, outside), -1);
  }
}

TEST(TreeMath, MovesKeepBothBlocksInOrder) {
  std::vector<std::string> names = {"a", "a.1", "a.1.1", "a.2", "b", "b.1", "c"};
  std::vector<int> levels = kSample;
  ASSERT_TRUE(tree_math::MoveBlockUp(names, levels, 4));
  EXPECT_EQ(names, (std::vector<std::string>{"b", "b.1", "a", "a.1", "a.1.1", "a.2", "c"}));
  EXPECT_EQ(levels, (std::vector<int>{0, 1, 0, 1, 2, 1, 0}));
  ASSERT_TRUE(tree_math::MoveBlockDown(names, levels, 3));
  EXPECT_EQ(names, (std::vector<std::string>{"b", "b.1", "a", "a.2", "a.1", "a.1.1", "c"}));
  EXPECT_FALSE(tree_math::MoveBlockUp(names, levels, 0));
  EXPECT_FALSE(tree_math::MoveBlockDown(names, levels, 6));
  EXPECT_FALSE(tree_math::MoveBlockUp(names, levels, 1));
}

TEST(TreeMath, HalfAndHalfBlockMove) {
  // A root child with 49,999 descendants past another of the same size.
  const int half = 50000;
  std::vector<int> levels(2 * half, 1), ids(2 * half);
  levels[0] = levels[half] = 0;
  for (int i = 0; i < 2 * half; ++i) ids[i] = i;
  ASSERT_TRUE(tree_math::MoveBlockUp(ids, levels, half));
  for (int i = 0; i < 2 * half; ++i) ASSERT_EQ(ids[i], (i + half) % (2 * half)) << i;
}

TEST(TreeMath, ParentsFromLevels) {
  TItemArray items;
  for (int level : kSample) items.push_back(Named("n", level));
  std::vector<int> parents, levels;
  ASSERT_TRUE(tree_math::ParentsFromLevels(items, parents, levels));
  EXPECT_EQ(parents, (std::vector<int>{-1, 0, 1, 0, -1, 4, -1}));
  EXPECT_EQ(levels, kSample);
  EXPECT_EQ(tree_math::LevelsFromParents(parents), kSample);
  // A parent that does not stand before its child is taken as the root.
  EXPECT_EQ(tree_math::LevelsFromParents({-1, 5, 1, 2}), (std::vector<int>{0, 0, 1, 2}));

  items[3].ILevel = "x";
  parents = {9};
  const TResult r = tree_math::ParentsFromLevels(items, parents, levels);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.message, "'x' is not a valid integer value");
  EXPECT_EQ(parents, std::vector<int>{9});
}

}  // namespace
