// Runs a GUI test suite inside a QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/deep_stack.h"

int main(int argc, char** argv) {
  AllowDeepStack();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
