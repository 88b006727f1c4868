#include "editor/pages/separator_guard.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "editor/pages/control_text.h"
#include "platform/prompts.h"

TSeparatorGuard::TSeparatorGuard(Prompts& prompts, QWidget* dialogParent, QString separator)
    : prompts_(prompts), dialogParent_(dialogParent), separator_(std::move(separator)) {}

QString TSeparatorGuard::WarningText() const {
  return QStringLiteral("The text can't include \"%1\", it is used by system!").arg(separator_);
}

bool TSeparatorGuard::Check(QObject* control) {
  if (busy_ || separator_.isEmpty() || !ControlText(control).contains(separator_)) return false;
  busy_ = true;
  prompts_.Ask(dialogParent_, TMessageKind::Warning, WarningText(), TButtons::Yes);
  if (auto* content = qobject_cast<QPlainTextEdit*>(control))
    RemoveSeparator(content);
  else
    SetControlText(control, QString());
  busy_ = false;
  return true;
}

void TSeparatorGuard::RemoveSeparator(QPlainTextEdit* content) const {
  // Through the document's cursor, so the user can still undo the mend and
  // the caret stays where the typing was.
  QTextDocument* doc = content->document();
  QTextCursor edit(doc);
  edit.beginEditBlock();
  QTextCursor found = doc->find(separator_, 0, QTextDocument::FindCaseSensitively);
  while (!found.isNull()) {
    found.removeSelectedText();
    // From the start again: removing one can join its neighbours into another.
    found = doc->find(separator_, 0, QTextDocument::FindCaseSensitively);
  }
  edit.endEditBlock();
}
