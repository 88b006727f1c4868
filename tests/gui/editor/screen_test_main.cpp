// Runs a window test suite on the offscreen platform with a screen of a
// given size and scale factor, as a desktop has: LUMEROLL_TEST_SCREEN holds
// "WIDTHxHEIGHT" in device pixels, optionally followed by "@SCALE" (set as
// QT_SCALE_FACTOR before the application exists). One variable, so CTest
// can set it per run as a single ENVIRONMENT entry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/deep_stack.h"

int main(int argc, char** argv) {
  AllowDeepStack();
  const QString screen = qEnvironmentVariable("LUMEROLL_TEST_SCREEN", QStringLiteral("1280x720"));
  const QRegularExpressionMatch parts =
      QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)(?:@([0-9.]+))?$")).match(screen);
  if (!parts.hasMatch()) {
    fprintf(stderr, "LUMEROLL_TEST_SCREEN must look like 1280x720 or 2000x1000@2, not %s\n", qPrintable(screen));
    return 2;
  }
  if (!parts.captured(3).isEmpty()) qputenv("QT_SCALE_FACTOR", parts.captured(3).toLatin1());
  // The offscreen platform reads its screens from a file named in its options.
  QTemporaryDir folder;
  const QString config = folder.filePath(QStringLiteral("screens.json"));
  QFile file(config);
  if (!folder.isValid() || !file.open(QIODevice::WriteOnly)) {
    fprintf(stderr, "cannot write the screen configuration\n");
    return 2;
  }
  file.write(QStringLiteral("{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, \"width\": %1, \"height\": %2, "
                            "\"logicalDpi\": 96}]}\n")
                 .arg(parts.captured(1), parts.captured(2))
                 .toLatin1());
  file.close();
  // Named relative to the folder: the platform options are split at every
  // colon, which a Windows path has after its drive letter.
  QDir::setCurrent(folder.path());
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=screens.json");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
