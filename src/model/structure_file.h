#pragma once
// The menu structure exchange file (.gms): items with their titles, links,
// targets, contents and levels, without the applet parameters.

#include <string>
#include <string_view>
#include <vector>

#include "applet_data.h"
#include "progress.h"
#include "result.h"

inline constexpr const char* kStructureFormatName = "General Menu Structure Description Format";
inline constexpr const char* kWrongFormatMessage = "This file wasn't saved by specified format, open failed!";
inline constexpr const char* kIncompleteStructureMessage =
    "This file is not a complete menu structure file, open failed!";

// Each entry's level comes from `levels` where it has one (the tree's
// levels, see tree_math::TLevelTexts), from its ILevel otherwise.
std::string WriteStructureText(const TItemArray& items, const std::vector<int>& levels, Progress& progress);
// The same with every entry's own ILevel.
inline std::string WriteStructureText(const TItemArray& items, Progress& progress) {
  return WriteStructureText(items, {}, progress);
}

struct TLoadedStructure {
  TItemArray items;  // default items with the five exchanged fields set
  std::string fileVersion;
  std::vector<int> parents;
};

TResult ReadStructureText(std::string_view bytes, TLoadedStructure& out, Progress& progress);
