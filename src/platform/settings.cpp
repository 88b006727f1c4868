#include "platform/settings.h"

#include <QStringList>
#include <limits>

namespace {

QString& RedirectedPath() {
  static QString path;
  return path;
}

constexpr bool IsRegistry() {
#ifdef Q_OS_WIN
  return true;
#else
  return false;
#endif
}

}  // namespace

std::unique_ptr<QSettings> OpenSettings() {
  if (!RedirectedPath().isEmpty()) return std::make_unique<QSettings>(RedirectedPath(), QSettings::IniFormat);
#ifdef Q_OS_WIN
  return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\KVD\\JavaScript Lumeroll\\1.0"),
                                     QSettings::NativeFormat);
#else
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("KVD"),
                                     QStringLiteral("JavaScript Lumeroll"));
#endif
}

void RedirectSettings(const QString& iniPath) { RedirectedPath() = iniPath; }

bool GroupExists(QSettings& settings, const QString& group) {
  return settings.childGroups().contains(group);
}

bool KeyExists(QSettings& settings, const QString& key) { return settings.contains(key); }

std::optional<int> ReadInt(QSettings& settings, const QString& key) {
  if (settings.status() != QSettings::NoError || !settings.contains(key)) return std::nullopt;
  // A registry DWORD may come back unsigned; the stored 32 bits are what counts.
  bool ok = false;
  const qint64 value = settings.value(key).toString().trimmed().toLongLong(&ok);
  if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<quint32>::max())
    return std::nullopt;
  return static_cast<qint32>(static_cast<quint32>(value));
}

bool ReadShowTempletsDialog(QSettings& settings) {
  if (settings.status() != QSettings::NoError) return false;
  settings.beginGroup(kSettingsGroup);
  const QString key = QStringLiteral("ShowTempletsDialog");
  bool show = true;
  if (settings.contains(key)) {
    // In the registry only a number counts; a text value is the wrong type.
    // An INI file keeps every value as text, so there the text is read.
    if (settings.format() == QSettings::NativeFormat && IsRegistry()) {
      const int type = settings.value(key).typeId();
      if (type != QMetaType::Int && type != QMetaType::UInt) {
        settings.endGroup();
        return false;
      }
    }
    const std::optional<int> value = ReadInt(settings, key);
    show = value.has_value() && *value != 0;
  }
  settings.endGroup();
  return show;
}

void WriteShowTempletsDialog(QSettings& settings, bool show) {
  settings.beginGroup(kSettingsGroup);
  settings.setValue(QStringLiteral("ShowTempletsDialog"), show ? 1 : 0);
  settings.endGroup();
  settings.sync();
}
