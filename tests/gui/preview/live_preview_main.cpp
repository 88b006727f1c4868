// The live preview tests need the preview's URL scheme and Chromium's flags
// settled before the application exists, so they bring their own main.
#include <gtest/gtest.h>

#include <QApplication>

#include "preview/chromium_setup.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  PrepareLivePreviewProcess();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
