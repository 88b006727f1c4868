#pragma once
// TItemBinding copies one news item between a TItemData and the "Item"
// page: caption, link and target trimmed, the content between its stored
// "<br />" form and the page's lines.

#include "editor/pages/control_text.h"
#include "model/applet_data.h"

#include <string>

class QObject;
class TItemPage;

class TItemBinding {
 public:
  explicit TItemBinding(TItemPage& page) : page_(page) {}

  // Overwrites the four fields the page edits; the level and the reserved
  // field stay as `item` has them.
  void Read(TItemData& item) const;
  void Show(const TItemData& item);

  // The item field a control edits (ICaption, ILink, ITarget, IContent), -1 for none.
  int FieldOf(const QObject* control) const;
  // One field as the page shows it.
  std::string ReadField(int field) const;
  // Shows one field unless the page already shows that value.
  void ShowOne(int field, const std::string& value);

 private:
  TItemPage& page_;
  TShownText shown_;
};
