#include "editor/editor_icons.h"

#include <QString>

namespace editor_icons {
namespace {

// Our own pictures are SVG files compiled into the program; Qt's SVG icon
// engine renders them at the size and device pixel ratio asked for, so they
// stay sharp on every screen.
QIcon Drawn(const char* file) { return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(file))); }

QIcon Themed(const char* name, const char* file) { return QIcon::fromTheme(QLatin1String(name), Drawn(file)); }

}  // namespace

QIcon CommandIcon(int position) {
  switch (position) {
    case kImageNew: return Themed("document-new", "new");
    case kImageOpen: return Themed("document-open", "open");
    case kImageSave: return Themed("document-save", "save");
    case kImageInsert: return Themed("list-add", "insert");
    case kImageDelete: return Themed("list-remove", "delete");
    case kImageMoveUp: return Themed("go-up", "move-up");
    case kImageMoveDown: return Themed("go-down", "move-down");
    case kImageBuildHtml: return Themed("text-html", "build-html");
    case kImagePreview: return Themed("internet-web-browser", "preview");
    case kImageHelp: return Themed("help-contents", "help");
    case kImageIndent: return Themed("format-indent-more", "indent");
    case kImageOutdent: return Themed("format-indent-less", "outdent");
    default: return QIcon();
  }
}

QIcon TreeIcon(int image) {
  if (image == kTreeImageRoot) return Themed("folder", "root");
  return Themed("text-x-generic", "item");
}

QIcon ProgramIcon() { return Drawn("root"); }

}  // namespace editor_icons
