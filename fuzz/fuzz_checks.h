#pragma once
// Checks the fuzz targets apply to whatever a reader accepted: the tree
// rebuilt from it is sound, and writing it back reads back the same.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/applet_data.h"
#include "model/tree_math.h"
#include "model/vocabulary.h"

// Stops the run loudly so libFuzzer (or the replay) records the input.
inline void FuzzCheck(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

// Every entry has one parent that stands before it, and the stored levels
// are the levels of that tree.
inline void CheckTree(const TItemArray& items, const std::vector<int>& parents) {
  FuzzCheck(parents.size() == items.size(), "one parent per entry");
  for (size_t k = 0; k < parents.size(); ++k)
    FuzzCheck(parents[k] >= -1 && parents[k] < static_cast<int>(k), "parent stands before its child");
  const std::vector<int> levels = tree_math::LevelsFromParents(parents);
  for (size_t k = 0; k < items.size(); ++k)
    FuzzCheck(ParseWholeNumber(items[k].ILevel) == levels[k], "stored level is the tree's level");
  for (const int level : levels) FuzzCheck(level < tree_math::kMaxNestingDepth, "no tree past the depth limit");
}
