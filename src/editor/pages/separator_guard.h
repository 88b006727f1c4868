#pragma once
// TSeparatorGuard keeps the project file's field separator out of the
// texts the pages edit: a stored "#$@" would split the value's line on the
// next load. One-line fields are emptied; the content field loses only the
// separator, so a long content is not thrown away.

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

 private:
  void RemoveSeparator(QPlainTextEdit* content) const;

  Prompts& prompts_;
  QWidget* dialogParent_;
  QString separator_;
  bool busy_ = false;  // the mend changes the text, which calls Check again
};
