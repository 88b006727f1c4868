#include "applet_agent.h"

#include <algorithm>

TkvdAppletAgent::TkvdAppletAgent() : ScriptFiles{kRuntimeScriptName, kConfigScriptName} {}

void TkvdAppletAgent::GetItemData(int index, TItemData& out) const {
  if (index >= 0 && index < ItemCount()) out = items_[index];
}

void TkvdAppletAgent::SetItemData(const TItemData& item, int index) {
  if (index >= 0 && index < ItemCount()) items_[index] = item;
}

void TkvdAppletAgent::AppletDataToStrings(const TAppletData& data, TStringArray& out) {
  out.clear();
  out.resize(TAppletData::FieldCount);
  for (int i = 0; i < TAppletData::FieldCount; ++i) out[i] = data.Field(i);
}

void TkvdAppletAgent::StringsToAppletData(const TStringArray& in, TAppletData& out) {
  for (int i = 0; i < TAppletData::FieldCount; ++i)
    out.Field(i) = i < static_cast<int>(in.size()) ? in[i] : std::string();
}

void TkvdAppletAgent::ItemDataToStrings(const TItemData& item, TStringArray& out) {
  out.clear();
  out.resize(TItemData::FlatWidth);
  for (int i = 0; i < TItemData::FieldCount; ++i) out[i] = item.Field(i);
}

void TkvdAppletAgent::StringsToItemData(const TStringArray& in, TItemData& out) {
  for (int i = 0; i < TItemData::FieldCount; ++i)
    out.Field(i) = i < static_cast<int>(in.size()) ? in[i] : std::string();
}

void TkvdAppletAgent::SetDefaults() {
  applet_ = DefaultAppletData();
  items_.clear();
}

void TkvdAppletAgent::InsertItem(int index, const TItemData& item) {
  if (items_.empty()) {
    items_.push_back(item);
    return;
  }
  if (index < 0 || index > ItemCount()) return;
  items_.insert(items_.begin() + index, item);
}

void TkvdAppletAgent::InsertItems(int index, const TItemArray& items) {
  if (index < 0 || index > ItemCount()) return;
  items_.insert(items_.begin() + index, items.begin(), items.end());
}

void TkvdAppletAgent::DeleteItem(int index) {
  if (items_.size() == 1) {
    items_.clear();
    return;
  }
  if (index < 0 || index >= ItemCount()) return;
  items_.erase(items_.begin() + index);
}

void TkvdAppletAgent::DeleteItems(int first, int count) {
  if (count <= 0) return;
  int removed = 0;
  if (first >= 0 && first < ItemCount()) {
    removed = std::min(ItemCount() - first, count);
    items_.erase(items_.begin() + first, items_.begin() + first + removed);
  }
  // A further DeleteItem empties a one-entry array whatever its index.
  if (count > removed && items_.size() == 1) items_.clear();
}

void TkvdAppletAgent::SwapWithPrevious(int index) {
  if (index > 0 && index < ItemCount()) std::swap(items_[index], items_[index - 1]);
}

void TkvdAppletAgent::CarryBlockUp(int start, int count, int places) {
  if (count <= 0 || places <= 0) return;
  if (start - places < 0 || start + count > ItemCount()) return;
  std::rotate(items_.begin() + (start - places), items_.begin() + start, items_.begin() + (start + count));
}

void TkvdAppletAgent::RefreshLevels(const std::vector<int>& levels) {
  const size_t n = std::min(levels.size(), items_.size());
  for (size_t k = 0; k < n; ++k) items_[k].ILevel = std::to_string(levels[k]);
}

void TkvdAppletAgent::ReplaceProject(const TAppletData& applet, TItemArray items, std::string fileVersion) {
  applet_ = applet;
  items_ = std::move(items);
  FileVersion = std::move(fileVersion);
}
