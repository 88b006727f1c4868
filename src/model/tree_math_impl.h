#pragma once
#include <algorithm>

namespace tree_math {

template <typename T>
bool MoveBlockUp(std::vector<T>& entries, std::vector<int>& levels, int k) {
  const int p = PreviousSibling(levels, k);
  if (p < 0) return false;
  const int e = BlockEnd(levels, k);
  std::rotate(entries.begin() + p, entries.begin() + k, entries.begin() + e);
  std::rotate(levels.begin() + p, levels.begin() + k, levels.begin() + e);
  return true;
}

template <typename T>
bool MoveBlockDown(std::vector<T>& entries, std::vector<int>& levels, int k) {
  const int n = NextSibling(levels, k);
  if (n < 0) return false;
  const int e = BlockEnd(levels, n);
  std::rotate(entries.begin() + k, entries.begin() + n, entries.begin() + e);
  std::rotate(levels.begin() + k, levels.begin() + n, levels.begin() + e);
  return true;
}

}  // namespace tree_math
