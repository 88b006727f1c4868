#include "platform/local_text.h"

#include <QFile>
#include <QStringDecoder>

std::string LocalText(const QString& text) { return text.toLocal8Bit().toStdString(); }

QString FromLocalText(std::string_view bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string CorePath(const QString& path) {
#ifdef Q_OS_WIN
  return path.toUtf8().toStdString();
#else
  return QFile::encodeName(path).toStdString();
#endif
}

QString FromCorePath(std::string_view path) {
  const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
#ifdef Q_OS_WIN
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return QString::fromLocal8Bit(bytes);
#else
  return QFile::decodeName(bytes);
#endif
}
