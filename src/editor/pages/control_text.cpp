#include "editor/pages/control_text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/local_text.h"

QString ControlText(const QObject* control) {
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (auto* list = qobject_cast<const QComboBox*>(control)) return list->currentText();
  if (auto* content = qobject_cast<const QPlainTextEdit*>(control)) {
    // The raw text keeps non-breaking spaces; its paragraph and line
    // separators are the content's line breaks.
    QString text = content->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
  }
  return {};
}

void SetControlText(QObject* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* list = qobject_cast<QComboBox*>(control)) {
    if (list->isEditable()) list->setEditText(text);
  } else if (auto* content = qobject_cast<QPlainTextEdit*>(control)) {
    content->setPlainText(text);
  }
}

QString TrimmedText(const QString& text) {
  qsizetype b = 0, e = text.size();
  while (b < e && text[b].unicode() <= u' ') ++b;
  while (e > b && text[e - 1].unicode() <= u' ') --e;
  return text.mid(b, e - b);
}

void TShownText::Show(QObject* control, const std::string& bytes) {
  const QString text = FromLocalText(bytes);
  SetControlText(control, text);
  // The control's own change handling may have mended the text already;
  // then the bytes no longer stand behind it.
  if (ControlText(control) == text)
    shown_.insert(control, {text, bytes});
  else
    shown_.remove(control);
}

std::string TShownText::BytesOf(const QObject* control) const {
  const QString text = ControlText(control);
  const auto it = shown_.constFind(control);
  if (it != shown_.constEnd() && it->text == text) return it->bytes;
  return LocalText(text);
}
