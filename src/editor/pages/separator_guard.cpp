#include "editor/pages/separator_guard.h"

#include <QComboBox>
#include <QLineEdit>
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
  if (auto* content = qobject_cast<QPlainTextEdit*>(control)) {
    RemoveSeparator(content);
  } else {
    QLineEdit* edit = qobject_cast<QLineEdit*>(control);
    if (auto* list = qobject_cast<QComboBox*>(control)) edit = list->lineEdit();
    // The caret stays after what was typed, less the separators before it.
    const int caret = edit ? edit->cursorPosition() : 0;
    const QString text = ControlText(control);
    const int removedBefore = static_cast<int>(text.left(caret).count(separator_)) * static_cast<int>(separator_.size());
    QString mended = text;
    while (mended.contains(separator_)) mended.remove(separator_);
    SetControlText(control, mended);
    if (edit) edit->setCursorPosition(qMax(0, caret - removedBefore));
  }
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
