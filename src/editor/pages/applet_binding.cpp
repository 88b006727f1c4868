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

TAppletBinding::TAppletBinding(TScriptPage& s, TTextPage& t, TPathPage& p) {
  // Each field's control is the one of its name in the field table.
  for (size_t i = 0; i < fields_.size(); ++i) {
    const TAppletFieldInfo& info = kAppletFields[i];
    const QString name = QString::fromLatin1(info.control);
    QWidget* control = nullptr;
    for (QWidget* page : std::initializer_list<QWidget*>{&s, &t, &p}) {
      control = page->objectName() == name ? page : page->findChild<QWidget*>(name);
      if (control) break;
    }
    if (!control) qFatal("The pages have no control named %s", info.control);
    fields_[i] = {info.kind, control};
  }
}

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
