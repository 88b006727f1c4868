#include "platform/settings.h"

#include <QStringList>

namespace {

QString& RedirectedPath() {
  static QString path;
  return path;
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
  bool ok = false;
  const int value = settings.value(key).toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

bool ReadShowTempletsDialog(QSettings& settings) {
  if (settings.status() != QSettings::NoError) return false;
  settings.beginGroup(kSettingsGroup);
  const QString key = QStringLiteral("ShowTempletsDialog");
  bool show = true;
  if (settings.contains(key)) {
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
