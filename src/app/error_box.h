#pragma once
// The application's error box: an error a command does not handle itself
// ends the command and is shown titled "JavaScript Lumeroll".

#include <QString>
#include <QStringList>

#include "platform/local_text.h"

class Prompts;
class QWidget;

void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message);
// The same with further lines after the message (each escaped and ended
// with a full stop like the message).
void ShowErrorBox(Prompts& prompts, QWidget* parent, const QString& message, const QStringList& more);

