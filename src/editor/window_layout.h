#pragma once
// Where the editor window goes on the screens, and the part of its layout
// that is kept from one start to the next: the window's place, size and
// maximised state, and where the splitter between tree and pages stands.
// The dock layout is kept by the dock's own installer in the same group.

#include <QList>
#include <QObject>
#include <QRect>

#include "platform/settings.h"

class QSplitter;
class QWidget;

inline constexpr char kWindowGeometryKey[] = "WindowGeometry";
inline constexpr char kSplitterStateKey[] = "SplitterState";

// The rectangle of `wanted`'s size, at most the size of `area`, moved the
// least distance that puts it wholly inside `area`.
QRect FitIntoArea(const QRect& wanted, const QRect& area);

// Where a window frame goes when the screens are those whose free areas
// are `areas` (the primary screen first): inside the area it overlaps most,
// or the primary one when it overlaps none. Unchanged without areas.
QRect PlaceOnScreens(const QRect& frame, const QList<QRect>& areas);

// The free areas of all screens, the primary screen's first.
QList<QRect> ScreenAreas();

// Moves and shrinks a top-level window that is not maximised so that its
// frame (title bar included) lies on one of the screens. Before the window
// is shown its frame is not known yet; the style's title bar height stands
// in for it.
void KeepWindowOnScreens(QWidget& window);

// Restores the window's geometry and the splitter's sizes from the settings
// at construction, and saves them as the window closes, while it is still
// shown as the user left it.
class TWindowLayoutKeeper : public QObject {
  Q_OBJECT

 public:
  TWindowLayoutKeeper(QWidget& window, QSplitter* splitter, TSettingsFactory settings);

  // Writes the values now; nothing while the window is hidden, since a
  // hidden window no longer says where the user had it.
  void Save();
  // True when a saved geometry was found and applied at construction.
  bool Restored() const { return restored_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Restore();

  QWidget& window_;
  QSplitter* splitter_;
  TSettingsFactory settings_;
  bool restored_ = false;
};
