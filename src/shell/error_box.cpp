#include "shell/error_box.h"

#include "platform/prompts.h"
#include "shell/command_line.h"

void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message) {
  prompts.Tell(parent, TMessageKind::Error, FromLocalText(ErrorBoxText(LocalText(message))),
               QStringLiteral("JavaScript Lumeroll"));
}
