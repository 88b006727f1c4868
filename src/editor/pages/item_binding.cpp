#include "editor/pages/item_binding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "editor/pages/content_text.h"
#include "editor/pages/item_page.h"
#include "model/vocabulary.h"

void TItemBinding::Read(TItemData& item) const {
  item.ICaption = TrimBlanksAndControls(shown_.BytesOf(page_.edtICaption));
  item.ILink = TrimBlanksAndControls(shown_.BytesOf(page_.cmbxILink));
  item.ITarget = TrimBlanksAndControls(shown_.BytesOf(page_.cmbxITarget));
  item.IContent = JoinContentLines(shown_.BytesOf(page_.rchedtIContent));
}

void TItemBinding::Show(const TItemData& item) {
  shown_.Show(page_.edtICaption, TrimBlanksAndControls(item.ICaption));
  shown_.Show(page_.cmbxILink, TrimBlanksAndControls(item.ILink));
  shown_.Show(page_.cmbxITarget, TrimBlanksAndControls(item.ITarget));
  shown_.Show(page_.rchedtIContent, ContentToText(item.IContent));
}
