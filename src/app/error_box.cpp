#include "app/error_box.h"

#include "model/vocabulary.h"
#include "platform/prompts.h"
#include "shell/command_line.h"

namespace {

QString BoxLine(const QString& text) { return FromLocalText(ErrorBoxText(EscapeControlCharacters(LocalText(text)))); }

}  // namespace

void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message) { ShowErrorBox(prompts, parent, message, {}); }

void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message, const QStringList& more) {
  QString text = BoxLine(message);
  for (const QString& line : more) text += QLatin1Char('\n') + BoxLine(line);
  prompts.Tell(parent, TMessageKind::Error, text, QStringLiteral("JavaScript Lumeroll"));
}
