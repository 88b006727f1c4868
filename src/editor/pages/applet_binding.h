#pragma once
// TAppletBinding copies the 27 applet parameters between a TAppletData and
// the controls of the "Script", "Text" and "Path" pages, with the
// conversions of each kind of control. Which control edits which field comes
// from the field table (kAppletFields).

#include <QList>
#include <array>

#include "editor/pages/control_text.h"
#include "model/applet_data.h"
#include "model/result.h"

class QWidget;
class TPathPage;
class TScriptPage;
class TTextPage;

class TAppletBinding {
 public:
  TAppletBinding(TScriptPage& script, TTextPage& text, TPathPage& path);

  // The parameters as the pages show them.
  TAppletData Read() const;
  // Whether every number, list position and colour can be shown; the
  // result carries the first conversion error.
  TResult Check(const TAppletData& data) const;
  // Checks first; on a conversion error no control changes and the result
  // carries the message.
  TResult Show(const TAppletData& data);

  // The control of parameter `field` (the path page for the radio pair).
  QWidget* Control(int field) const { return fields_[static_cast<size_t>(field)].control; }
  // The parameter a control edits, -1 for none.
  int FieldOf(const QObject* control) const;
  // One parameter as its control shows it.
  std::string ReadField(int field) const { return ReadField(fields_[static_cast<size_t>(field)]); }
  // Shows one parameter unless the control already shows it (so a caret in
  // the field stays put); false, and nothing changed, when it cannot be shown.
  bool ShowOne(int field, const std::string& value);

 private:
  using TKind = TAppletFieldKind;
  struct TField {
    TKind kind;
    QWidget* control;
  };

  static TResult Validate(const TField& field, const std::string& value);
  void ShowField(const TField& field, const std::string& value);
  std::string ReadField(const TField& field) const;

  std::array<TField, TAppletData::FieldCount> fields_;
  TShownText shown_;
};
