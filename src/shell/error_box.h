#pragma once
// The application's error box: an error a command does not handle itself
// ends the command and is shown titled "JavaScript Lumeroll".

#include <QString>
#include "platform/local_text.h"

class Prompts;
class QWidget;

void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message);
