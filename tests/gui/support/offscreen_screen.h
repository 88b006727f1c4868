#pragma once
// Gives the offscreen platform one screen of a chosen size instead of its
// 800 by 600 default, so window tests see the room a desktop has. Call it
// before the application exists; `folder` holds the platform's screen file
// and becomes the current folder (the platform options are split at every
// colon, which a Windows path has after its drive letter).

#include <QDir>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>

inline bool UseOffscreenScreen(const QTemporaryDir& folder, QSize size) {
  QFile file(folder.filePath(QStringLiteral("screens.json")));
  if (!folder.isValid() || !file.open(QIODevice::WriteOnly)) return false;
  file.write(QStringLiteral("{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, \"width\": %1, \"height\": %2, "
                            "\"logicalDpi\": 96}]}\n")
                 .arg(size.width())
                 .arg(size.height())
                 .toLatin1());
  file.close();
  QDir::setCurrent(folder.path());
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=screens.json");
  return true;
}
