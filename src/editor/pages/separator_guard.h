#pragma once
// TSeparatorGuard keeps the project file's field separator out of the
// texts the pages edit: a stored "#$@" would split the value's line on the
// next load. A field loses only the separator, never the rest of what the
// user typed.

#include <QString>

class Prompts;
class QObject;
class QPlainTextEdit;
class QWidget;

class TSeparatorGuard {
 public:
  TSeparatorGuard(Prompts& prompts, QWidget* dialogParent, QString separator);

  // Warns and mends when the control's text holds the separator; true then.
  bool Check(QObject* control);

  QString WarningText() const;
  // True while a mend changes a control's text.
  bool Busy() const { return busy_; }

 private:
  void RemoveSeparator(QPlainTextEdit* content) const;

  Prompts& prompts_;
  QWidget* dialogParent_;
  QString separator_;
  bool busy_ = false;  // the mend changes the text, which calls Check again
};
