// The editor's own pictures (there is no icon theme on the offscreen
// platform, so these are the drawings the program carries).
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "editor/editor_icons.h"

namespace {

int VisiblePixels(const QImage& image) {
  int visible = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) visible += qAlpha(image.pixel(x, y)) > 0;
  return visible;
}

TEST(EditorIconsTest, EveryPictureIsDrawnAtTheDeviceResolution) {
  using namespace editor_icons;
  const std::pair<const char*, QIcon> cases[] = {
      {"new", CommandIcon(kImageNew)},           {"open", CommandIcon(kImageOpen)},
      {"save", CommandIcon(kImageSave)},         {"insert", CommandIcon(kImageInsert)},
      {"delete", CommandIcon(kImageDelete)},     {"move up", CommandIcon(kImageMoveUp)},
      {"move down", CommandIcon(kImageMoveDown)}, {"build html", CommandIcon(kImageBuildHtml)},
      {"preview", CommandIcon(kImagePreview)},   {"help", CommandIcon(kImageHelp)},
      {"indent", CommandIcon(kImageIndent)},     {"outdent", CommandIcon(kImageOutdent)},
      {"tree item", TreeIcon(kTreeImageItem)},   {"tree root", TreeIcon(kTreeImageRoot)},
      {"program", ProgramIcon()},
  };
  for (const auto& [name, icon] : cases) {
    ASSERT_FALSE(icon.isNull()) << name;
    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32)) << name;
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0) << name;
    // A picture, not an empty square: a good share of the pixels are drawn.
    const QImage image = sharp.toImage();
    EXPECT_GT(VisiblePixels(image), 32 * 32 / 8) << name;
    // Disabled commands look different from enabled ones.
    EXPECT_NE(icon.pixmap(QSize(16, 16), 2.0, QIcon::Disabled).toImage(), image) << name;
  }
  // Positions the command list leaves empty have no picture.
  for (int empty : {3, 4, 5, 15}) EXPECT_TRUE(editor_icons::CommandIcon(empty).isNull()) << empty;
}

}  // namespace
