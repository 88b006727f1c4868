#pragma once
// TItemBinding copies one news item between a TItemData and the "Item"
// page: caption, link and target trimmed, the content between its stored
// "<br />" form and the page's lines.

#include "editor/pages/control_text.h"
#include "model/applet_data.h"

class TItemPage;

class TItemBinding {
 public:
  explicit TItemBinding(TItemPage& page) : page_(page) {}

  // Overwrites the four fields the page edits; the level and the reserved
  // field stay as `item` has them.
  void Read(TItemData& item) const;
  void Show(const TItemData& item);

 private:
  TItemPage& page_;
  TShownText shown_;
};
