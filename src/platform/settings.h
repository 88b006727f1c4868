#pragma once
// The program's settings store. On Windows it is the current user's registry
// key of the program; elsewhere a per-user INI file. Values are read with
// explicit conversions because an INI file hands every value back as text.

#include <QSettings>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

using TSettingsFactory = std::function<std::unique_ptr<QSettings>()>;

inline constexpr char kSettingsGroup[] = "Settings";
inline constexpr char kWebBrowsersGroup[] = "Web Browsers";

// Opens the program's settings; tests point it elsewhere with RedirectSettings.
std::unique_ptr<QSettings> OpenSettings();
// Makes OpenSettings use an INI file at iniPath; an empty path restores the real store.
void RedirectSettings(const QString& iniPath);

// True when the group exists; looking never creates it.
bool GroupExists(QSettings& settings, const QString& group);
bool KeyExists(QSettings& settings, const QString& key);
// The value as a whole number, or nothing when missing or not a number.
std::optional<int> ReadInt(QSettings& settings, const QString& key);

// Whether the templates dialog is offered at start: missing counts as yes,
// a value that is not a number, or a failing store, as no.
bool ReadShowTempletsDialog(QSettings& settings);
void WriteShowTempletsDialog(QSettings& settings, bool show);
