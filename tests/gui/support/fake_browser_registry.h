#pragma once
// The browsers the GUI tests install as fake programs in a bin folder
// ("firefox", then "chromium"), as Windows' detection finds them: App Paths
// entries of the local machine naming those files. Detection elsewhere finds
// them on PATH and never asks the registry.

#include <QString>

#include "platform/browser_detection.h"

inline TRegistryReader FakeBrowserRegistry(const QString& binFolder) {
  return [binFolder](const QString& root, const QString& key, const QString& name) -> std::optional<QString> {
    if (root != QLatin1String("HKEY_LOCAL_MACHINE") || !name.isEmpty()) return std::nullopt;
    if (key.endsWith(QLatin1String("\\firefox.exe"))) return binFolder + QStringLiteral("/firefox");
    if (key.endsWith(QLatin1String("\\chrome.exe"))) return binFolder + QStringLiteral("/chromium");
    return std::nullopt;
  };
}
