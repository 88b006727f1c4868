// The live preview tests need the preview's URL scheme and Chromium's flags
// settled before the application exists, so they bring their own main.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "preview/chromium_setup.h"
#include "support/offscreen_screen.h"

int main(int argc, char** argv) {
  // A desktop's screen: the editor fits its window to the screen, and the
  // tests give it the room of a wide window with the pane.
  QTemporaryDir folder;
  if (!UseOffscreenScreen(folder, QSize(1920, 1080))) return 2;
  PrepareLivePreviewProcess();
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
