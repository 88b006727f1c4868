#pragma once
// Arithmetic of the design tree over the item levels alone. Entry k of the
// item array is tree node k + 1 in pre-order, so a node's subtree is the run
// of entries after it that lie deeper; level 0 is a child of the root.

#include <string>
#include <vector>

#include "applet_data.h"
#include "result.h"

namespace tree_math {

// One past the last entry of k's block (k and all its descendants).
int BlockEnd(const std::vector<int>& levels, int k);
int BlockSize(const std::vector<int>& levels, int k);
// Entry index of k's parent, -1 when the parent is the root node.
int Parent(const std::vector<int>& levels, int k);
// Entry index of the previous / next sibling, -1 when there is none.
int PreviousSibling(const std::vector<int>& levels, int k);
int NextSibling(const std::vector<int>& levels, int k);

// Moves k's block before its previous sibling's block (or after its next
// sibling's block); false, and nothing moved, without such a sibling. Linear
// in the two blocks.
template <typename T>
bool MoveBlockUp(std::vector<T>& entries, std::vector<int>& levels, int k);
template <typename T>
bool MoveBlockDown(std::vector<T>& entries, std::vector<int>& levels, int k);

// The tree rebuild of a loaded file: the parent entry of every entry, from
// the ILevel texts. Levels from other writers are clamped so every entry gets
// exactly one node: a first level that is not 0 and a negative level become
// 0, a level more than one deeper than the previous one becomes previous + 1.
// `levels` receives the levels the tree will show. An empty or non-integer
// level fails with the conversion error.
TResult ParentsFromLevels(const TItemArray& items, std::vector<int>& parents, std::vector<int>& levels);

// The level an entry's ILevel text gives in the tree, read as a load reads
// it and kept sound: not a whole number or negative gives 0, and never more
// than one deeper than the entry before (`previous`, -1 for the first).
int ShownLevel(const std::string& text, int previous);

// Deeper trees are refused by the readers: the editor's tree and every
// consumer of the published box would pay for such depth, and no real menu
// comes near it.
inline constexpr int kMaxNestingDepth = 1000;

// Refuses a tree nested deeper than kMaxNestingDepth levels (a child of the
// root is one level deep), naming the file line of the first entry too deep;
// entry k stands on line firstLine + k.
TResult CheckNestingDepth(const std::vector<int>& levels, int firstLine);

// After a rebuild: an entry whose level was clamped gets the level its node
// shows, so ILevel and the tree agree right after a load.
void StoreClampedLevels(TItemArray& items, const std::vector<int>& levels);

// Parent list of a tree given by its levels (each a sound level: 0 first,
// never more than one deeper than the entry before).
std::vector<int> ParentsFromLevelValues(const std::vector<int>& levels);

// Levels of a tree given by its parent list (each parent before its child).
std::vector<int> LevelsFromParents(const std::vector<int>& parents);

// The ILevel text a writer gives entry k: the tree's level when `levels`
// has one for it, the entry's own text otherwise. Writers take the tree's
// levels this way instead of storing them into the project first.
class TLevelTexts {
 public:
  TLevelTexts(const TItemArray& items, const std::vector<int>& levels) : items_(items), levels_(levels) {}
  const std::string& Of(size_t k);

 private:
  const TItemArray& items_;
  const std::vector<int>& levels_;
  std::string text_;
};

}  // namespace tree_math

#include "tree_math_impl.h"
