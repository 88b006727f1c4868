#pragma once
// TkvdAppletAgent holds the one project the editor works on (applet
// parameters and the item array) and every operation on its data. The item
// array mirrors the design tree in pre-order: entry k is tree node k + 1.

#include <string>
#include <vector>

#include "applet_data.h"
#include "progress.h"
#include "result.h"

class TkvdAppletAgent {
 public:
  TkvdAppletAgent();

  void GetAppletData(TAppletData& out) const { out = applet_; }
  void SetAppletData(const TAppletData& data) { applet_ = data; }
  const TAppletData& AppletData() const { return applet_; }

  // Indexes outside the array are ignored (Get leaves `out` unchanged).
  void GetItemData(int index, TItemData& out) const;
  void SetItemData(const TItemData& item, int index);
  const TItemArray& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }

  static void AppletDataToStrings(const TAppletData& data, TStringArray& out);
  static void StringsToAppletData(const TStringArray& in, TAppletData& out);
  static void ItemDataToStrings(const TItemData& item, TStringArray& out);
  static void StringsToItemData(const TStringArray& in, TItemData& out);

  void SetDefaults();
  void DefaultItem(TItemData& out) const { out = DefaultItemData(); }

  void InsertItem(int index, const TItemData& item);
  // A run of entries before entry `index` (0..ItemCount()), in one step.
  void InsertItems(int index, const TItemArray& items);
  void DeleteItem(int index);
  void SwapWithPrevious(int index);
  // DeleteItem(first) called `count` times, in one linear step: removes a
  // node's whole block.
  void DeleteItems(int first, int count);
  // Carries the `count` entries starting at `start` up past the `places`
  // entries before them, keeping the order inside both runs. Gives the array
  // that SwapWithPrevious applied entry by entry gives, in linear time.
  void CarryBlockUp(int start, int count, int places);

  // Sets every ILevel from the tree's node levels (depth below the root - 1).
  void RefreshLevels(const std::vector<int>& levels);

  // Replaces the whole project at once (a completed load or import).
  void ReplaceProject(const TAppletData& applet, TItemArray items, std::string fileVersion);

  // Project file and structure file. A load reads into a fresh project and
  // takes it over only when the whole file is sound; otherwise the agent is
  // unchanged and the result carries the message. `parents` receives, for
  // each entry, the entry index of its parent node (-1 for the root).
  TResult SaveProject(const std::string& path) const;
  TResult LoadProject(const std::string& path, std::vector<int>& parents);
  // The levels written are `levels` (the tree's), the project keeps its own.
  TResult ExportStructure(const std::string& path, const std::vector<int>& levels) const;
  TResult ImportStructure(const std::string& path, std::vector<int>& parents);

  void SetProgress(Progress* progress) { progress_ = progress ? progress : &nullProgress_; }
  // Reporting progress changes nothing of the project.
  Progress& progress() const { return *progress_; }

  TStringArray ScriptFiles;
  const std::string FieldSeparator = "#$@";
  std::string FileVersion;

 private:
  TAppletData applet_;
  TItemArray items_;
  NullProgress nullProgress_;
  Progress* progress_ = &nullProgress_;
};

inline constexpr const char* kRuntimeScriptName = "orvantalumeroll.js";
inline constexpr const char* kConfigScriptName = "orvantalumeroll_news1_cfg.js";
