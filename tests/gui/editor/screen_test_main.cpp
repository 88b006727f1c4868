// Runs a window test suite on the offscreen platform with a screen of a
// given size and scale factor, as a desktop has: LUMEROLL_TEST_SCREEN holds
// "WIDTHxHEIGHT" in device pixels, optionally followed by "@SCALE" (set as
// QT_SCALE_FACTOR before the application exists). One variable, so CTest
// can set it per run as a single ENVIRONMENT entry.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

#include "platform/deep_stack.h"
#include "support/offscreen_screen.h"

int main(int argc, char** argv) {
  AllowDeepStack();
  const QString screen = qEnvironmentVariable("LUMEROLL_TEST_SCREEN", QStringLiteral("1280x720"));
  const QRegularExpressionMatch parts =
      QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)(?:@([0-9.]+))?$")).match(screen);
  if (!parts.hasMatch()) {
    std::fprintf(stderr, "LUMEROLL_TEST_SCREEN must look like 1280x720 or 2000x1000@2, not %s\n", qPrintable(screen));
    return 2;
  }
  if (!parts.captured(3).isEmpty()) qputenv("QT_SCALE_FACTOR", parts.captured(3).toLatin1());
  QTemporaryDir folder;
  if (!UseOffscreenScreen(folder, QSize(parts.captured(1).toInt(), parts.captured(2).toInt()))) {
    std::fprintf(stderr, "cannot write the screen configuration\n");
    return 2;
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
