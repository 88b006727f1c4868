#pragma once
// The editor's pictures: the command image list (positions 0, 1, 2 and 6 to
// 14) and the design tree's two images. Each comes from the desktop's icon
// theme when it has one, otherwise from our own SVG drawings, which stay
// sharp at any size and device pixel ratio.

#include <QIcon>

namespace editor_icons {

enum TCommandImage {
  kImageNew = 0,
  kImageOpen = 1,
  kImageSave = 2,
  kImageInsert = 6,
  kImageDelete = 7,
  kImageMoveUp = 8,
  kImageMoveDown = 9,
  kImageBuildHtml = 10,
  kImagePreview = 11,
  kImageHelp = 12,
  kImageIndent = 13,
  kImageOutdent = 14,
};

enum TTreeImage { kTreeImageItem = 0, kTreeImageRoot = 1 };

// Null icon for a position the list leaves empty.
QIcon CommandIcon(int position);
QIcon TreeIcon(int image);
// Our own drawing alone, without the theme (the about window's program icon).
QIcon ProgramIcon();

}  // namespace editor_icons
