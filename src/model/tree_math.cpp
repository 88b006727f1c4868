#include "tree_math.h"

#include <algorithm>

#include "vocabulary.h"

namespace tree_math {

namespace {
bool Inside(const std::vector<int>& levels, int k) { return k >= 0 && k < static_cast<int>(levels.size()); }
}  // namespace

int BlockEnd(const std::vector<int>& levels, int k) {
  if (!Inside(levels, k)) return k;
  const int n = static_cast<int>(levels.size());
  int j = k + 1;
  while (j < n && levels[j] > levels[k]) ++j;
  return j;
}

int BlockSize(const std::vector<int>& levels, int k) { return BlockEnd(levels, k) - k; }

int Parent(const std::vector<int>& levels, int k) {
  if (!Inside(levels, k)) return -1;
  for (int j = k - 1; j >= 0; --j)
    if (levels[j] < levels[k]) return j;
  return -1;
}

int PreviousSibling(const std::vector<int>& levels, int k) {
  if (!Inside(levels, k)) return -1;
  for (int j = k - 1; j >= 0; --j) {
    if (levels[j] < levels[k]) return -1;
    if (levels[j] == levels[k]) return j;
  }
  return -1;
}

int NextSibling(const std::vector<int>& levels, int k) {
  if (!Inside(levels, k)) return -1;
  const int e = BlockEnd(levels, k);
  return Inside(levels, e) && levels[e] == levels[k] ? e : -1;
}

int ShownLevel(const std::string& text, int previous) {
  const auto read = ParseWholeNumber(text);
  const int level = read && *read > 0 ? *read : 0;
  return std::min(level, previous + 1);
}

TResult ParentsFromLevels(const TItemArray& items, std::vector<int>& parents, std::vector<int>& levels) {
  std::vector<int> p, l;
  p.reserve(items.size());
  l.reserve(items.size());
  // lastAt[d]: the most recent entry at level d, the parent of a level d + 1.
  std::vector<int> lastAt;
  for (const TItemData& item : items) {
    const auto read = ParseWholeNumber(item.ILevel);
    if (!read) return TResult::Fail(NotAnIntegerMessage(item.ILevel));
    int level = *read < 0 ? 0 : *read;
    const int deepest = l.empty() ? 0 : l.back() + 1;
    if (level > deepest) level = deepest;
    p.push_back(level == 0 ? -1 : lastAt[level - 1]);
    lastAt.resize(level + 1);
    lastAt[level] = static_cast<int>(l.size());
    l.push_back(level);
  }
  parents = std::move(p);
  levels = std::move(l);
  return TResult::Ok();
}

TResult CheckNestingDepth(const std::vector<int>& levels, int firstLine) {
  for (size_t k = 0; k < levels.size(); ++k)
    if (levels[k] >= kMaxNestingDepth)
      return TResult::Fail("Items are nested deeper than " + std::to_string(kMaxNestingDepth) + " levels (line " +
                           std::to_string(firstLine + static_cast<long long>(k)) + "), open failed!");
  return TResult::Ok();
}

void StoreClampedLevels(TItemArray& items, const std::vector<int>& levels) {
  const size_t n = std::min(items.size(), levels.size());
  for (size_t k = 0; k < n; ++k)
    if (ParseWholeNumber(items[k].ILevel) != levels[k]) items[k].ILevel = std::to_string(levels[k]);
}

std::vector<int> ParentsFromLevelValues(const std::vector<int>& levels) {
  std::vector<int> parents(levels.size(), -1);
  std::vector<int> lastAt;
  for (size_t k = 0; k < levels.size(); ++k) {
    const int level = std::max(0, std::min(levels[k], static_cast<int>(lastAt.size())));
    if (level > 0) parents[k] = lastAt[level - 1];
    lastAt.resize(level + 1);
    lastAt[level] = static_cast<int>(k);
  }
  return parents;
}

std::vector<int> LevelsFromParents(const std::vector<int>& parents) {
  std::vector<int> levels(parents.size());
  for (size_t k = 0; k < parents.size(); ++k) {
    // A parent that does not stand before its child is no parent: the entry
    // is taken as a child of the root rather than read outside the list.
    const int p = parents[k];
    levels[k] = p < 0 || static_cast<size_t>(p) >= k ? 0 : levels[p] + 1;
  }
  return levels;
}

const std::string& TLevelTexts::Of(size_t k) {
  if (k >= levels_.size()) return items_[k].ILevel;
  text_ = std::to_string(levels_[k]);
  return text_;
}

}  // namespace tree_math
