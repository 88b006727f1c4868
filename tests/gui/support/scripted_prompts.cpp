#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

TAnswer TScriptedPrompts::Ask(QWidget*, TMessageKind kind, const QString& text, TButtons buttons,
                              const QString& title) {
  asked.append({kind, text, buttons, title, true});
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return TAnswer::Cancel;
  }
  const TAnswer a = answers.front();
  answers.pop_front();
  return a;
}

void TScriptedPrompts::Tell(QWidget*, TMessageKind kind, const QString& text, const QString& title) {
  asked.append({kind, text, TButtons::Ok, title, false});
}

std::optional<QString> TScriptedPrompts::NextFileName() {
  const bool chosen = fileNames.front().has_value();
  const QString name = chosen ? *fileNames.front() : QString();
  fileNames.pop_front();
  if (!chosen) return std::nullopt;
  return name;
}

std::optional<QString> TScriptedPrompts::OpenFileName(QWidget*, const TFileDialogRequest& request) {
  fileDialogs.append({false, request});
  if (fileNames.empty()) {
    ADD_FAILURE() << "unexpected open dialog";
    return std::nullopt;
  }
  return NextFileName();
}

std::optional<QString> TScriptedPrompts::SaveFileName(QWidget*, const TFileDialogRequest& request) {
  fileDialogs.append({true, request});
  if (fileNames.empty()) {
    ADD_FAILURE() << "unexpected save dialog";
    return std::nullopt;
  }
  return NextFileName();
}

std::optional<QColor> TScriptedPrompts::PickColor(QWidget*, const QColor&) {
  ++colorDialogs;
  if (colors.empty()) return std::nullopt;
  auto c = colors.front();
  colors.pop_front();
  return c;
}

QStringList TScriptedPrompts::Texts() const {
  QStringList out;
  for (const TAsked& a : asked) out << a.text;
  return out;
}
