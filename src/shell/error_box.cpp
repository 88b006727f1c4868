#include "shell/error_box.h"

#include "model/vocabulary.h"
#include "platform/prompts.h"
#include "shell/command_line.h"

std::string LocalText(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString FromLocalText(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message) {
  prompts.Tell(parent, TMessageKind::Error, FromLocalText(ErrorBoxText(EscapeControlCharacters(LocalText(message)))),
               QStringLiteral("JavaScript Lumeroll"));
}
