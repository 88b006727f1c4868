#include "editor/pages/item_binding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editor/pages/content_text.h"
#include "editor/pages/item_page.h"
#include "model/vocabulary.h"

namespace {

// TItemData's numbers of the fields the page edits.
constexpr int kCaption = 0, kLink = 1, kTarget = 2, kContent = 3;

}  // namespace

void TItemBinding::Read(TItemData& item) const {
  for (int field : {kCaption, kLink, kTarget, kContent}) item.Field(field) = ReadField(field);
}

void TItemBinding::Show(const TItemData& item) {
  shown_.Show(page_.edtICaption, TrimBlanksAndControls(item.ICaption));
  shown_.Show(page_.cmbxILink, TrimBlanksAndControls(item.ILink));
  shown_.Show(page_.cmbxITarget, TrimBlanksAndControls(item.ITarget));
  shown_.Show(page_.rchedtIContent, ContentToText(item.IContent));
}

int TItemBinding::FieldOf(const QObject* control) const {
  if (control == page_.edtICaption) return kCaption;
  if (control == page_.cmbxILink) return kLink;
  if (control == page_.cmbxITarget) return kTarget;
  if (control == page_.rchedtIContent) return kContent;
  return -1;
}

std::string TItemBinding::ReadField(int field) const {
  switch (field) {
    case kCaption:
      return TrimBlanksAndControls(shown_.BytesOf(page_.edtICaption));
    case kLink:
      return TrimBlanksAndControls(shown_.BytesOf(page_.cmbxILink));
    case kTarget:
      return TrimBlanksAndControls(shown_.BytesOf(page_.cmbxITarget));
    case kContent:
      return JoinContentLines(shown_.BytesOf(page_.rchedtIContent));
  }
  return {};
}

void TItemBinding::ShowOne(int field, const std::string& value) {
  if (ReadField(field) == value) return;
  switch (field) {
    case kCaption:
      shown_.Show(page_.edtICaption, TrimBlanksAndControls(value));
      break;
    case kLink:
      shown_.Show(page_.cmbxILink, TrimBlanksAndControls(value));
      break;
    case kTarget:
      shown_.Show(page_.cmbxITarget, TrimBlanksAndControls(value));
      break;
    case kContent:
      shown_.Show(page_.rchedtIContent, ContentToText(value));
      break;
  }
}
