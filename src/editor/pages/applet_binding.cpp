#include "editor/pages/applet_binding.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "editor/pages/color_swatch.h"
#include "editor/pages/number_field.h"
#include "editor/pages/path_page.h"
#include "editor/pages/script_page.h"
#include "editor/pages/text_page.h"
#include "model/vocabulary.h"

TAppletBinding::TAppletBinding(TScriptPage& s, TTextPage& t, TPathPage& p)
    // In the order of TAppletData's fields.
    : fields_{{
          {TKind::Number, s.spnedtpDelay},
          {TKind::Number, s.spnedtpWidth},
          {TKind::Number, s.spnedtpHeight},
          {TKind::Number, s.spnedtpBorderWidth},
          {TKind::List, s.cmbxpBorderStyle},
          {TKind::Colour, s.pnlpBorderColor},
          {TKind::Number, s.spnedtpPadding},
          {TKind::Colour, s.pnlpBackgroundColor},
          {TKind::Number, s.spnedtpZIndex},
          {TKind::List, s.cmbxpCursor},
          {TKind::Text, t.edtpTitleFontFamily},
          {TKind::List, t.cmbxpTitleAlign},
          {TKind::Colour, t.pnlpTitleColor},
          {TKind::Number, t.spnedtpTitlePadding},
          {TKind::Number, t.spnedtpTitleSize},
          {TKind::Toggle, t.spdbtnpTitleBold},
          {TKind::Toggle, t.spdbtnpTitleItalic},
          {TKind::Text, t.edtpContentFontFamily},
          {TKind::List, t.cmbxpContentAlign},
          {TKind::Colour, t.pnlpContentColor},
          {TKind::Number, t.spnedtpContentPadding},
          {TKind::Number, t.spnedtpContentSize},
          {TKind::Toggle, t.spdbtnpContentBold},
          {TKind::Toggle, t.spdbtnpContentItalic},
          {TKind::Text, p.edtpInternalUse_RootDir_Local},
          {TKind::Text, p.edtpInternalUse_RootDir_Remote},
          {TKind::RootChoice, &p},
      }} {}

TAppletData TAppletBinding::Read() const {
  TAppletData data;
  for (int i = 0; i < TAppletData::FieldCount; ++i) data.Field(i) = ReadField(fields_[static_cast<size_t>(i)]);
  return data;
}

TResult TAppletBinding::Check(const TAppletData& data) const {
  for (int i = 0; i < TAppletData::FieldCount; ++i) {
    TResult r = Validate(fields_[static_cast<size_t>(i)], data.Field(i));
    if (!r) return r;
  }
  return TResult::Ok();
}

TResult TAppletBinding::Show(const TAppletData& data) {
  if (TResult r = Check(data); !r) return r;
  for (int i = 0; i < TAppletData::FieldCount; ++i) ShowField(fields_[static_cast<size_t>(i)], data.Field(i));
  return TResult::Ok();
}

int TAppletBinding::FieldOf(const QObject* control) const {
  if (qobject_cast<const QRadioButton*>(control)) control = control->parent();
  for (int i = 0; i < TAppletData::FieldCount; ++i) {
    const QWidget* own = fields_[static_cast<size_t>(i)].control;
    if (own == control) return i;
    // The radio pair sits in a group box on the path page.
    if (fields_[static_cast<size_t>(i)].kind == TKind::RootChoice && control && own->isAncestorOf(qobject_cast<const QWidget*>(control)))
      return i;
  }
  return -1;
}

bool TAppletBinding::ShowOne(int field, const std::string& value) {
  const TField& f = fields_[static_cast<size_t>(field)];
  if (ReadField(f) == value || !Validate(f, value)) return false;
  ShowField(f, value);
  return true;
}

TResult TAppletBinding::Validate(const TField& field, const std::string& value) {
  switch (field.kind) {
    case TKind::Number:
    case TKind::List:
      if (!ParseWholeNumber(value)) return TResult::Fail(NotAnIntegerMessage(value));
      break;
    case TKind::Colour: {
      std::string error;
      if (!HexTextToColor(value, &error)) return TResult::Fail(error);
      break;
    }
    case TKind::Text:
    case TKind::Toggle:
    case TKind::RootChoice:
      break;
  }
  return TResult::Ok();
}

void TAppletBinding::ShowField(const TField& field, const std::string& value) {
  switch (field.kind) {
    case TKind::Number:
      static_cast<TNumberField*>(field.control)->setValue(*ParseWholeNumber(value));
      break;
    case TKind::List: {
      auto* list = static_cast<QComboBox*>(field.control);
      const int position = *ParseWholeNumber(value);
      list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
      break;
    }
    case TKind::Colour:
      static_cast<TColorSwatch*>(field.control)->SetColor(TColorSwatch::FromColorValue(*HexTextToColor(value)));
      break;
    case TKind::Text:
      shown_.Show(field.control, value);
      break;
    case TKind::Toggle:
      static_cast<QToolButton*>(field.control)->setChecked(value == "1");
      break;
    case TKind::RootChoice:
      static_cast<TPathPage*>(field.control)->SetRootChoice(value == "1", value == "0");
      break;
  }
}

std::string TAppletBinding::ReadField(const TField& field) const {
  switch (field.kind) {
    case TKind::Number:
      return std::to_string(static_cast<const TNumberField*>(field.control)->NumberValue());
    case TKind::List:
      return std::to_string(static_cast<const QComboBox*>(field.control)->currentIndex());
    case TKind::Colour:
      return ColorToHexText(TColorSwatch::ToColorValue(static_cast<const TColorSwatch*>(field.control)->Color()));
    case TKind::Text:
      return TrimBlanksAndControls(shown_.BytesOf(field.control));
    case TKind::Toggle:
      return static_cast<const QToolButton*>(field.control)->isChecked() ? "1" : "0";
    case TKind::RootChoice:
      return static_cast<const TPathPage*>(field.control)->rdbtnpInternalUse_RootDir_Local_Checked->isChecked()
                 ? "1"
                 : "0";
  }
  return {};
}
