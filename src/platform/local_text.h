#pragma once
// Text crosses between the core and the GUI here and nowhere else: the core
// holds the system's 8-bit text as bytes, Qt holds QString.

#include <QString>
#include <string>
#include <string_view>

std::string LocalText(const QString& text);
QString FromLocalText(std::string_view bytes);
