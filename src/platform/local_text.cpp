#include "platform/local_text.h"

std::string LocalText(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString FromLocalText(std::string_view bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
