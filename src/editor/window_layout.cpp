#include "editor/window_layout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QWidget>

QRect FitIntoArea(const QRect& wanted, const QRect& area) {
  const QSize size = wanted.size().boundedTo(area.size());
  const int x = qBound(area.left(), wanted.x(), area.right() + 1 - size.width());
  const int y = qBound(area.top(), wanted.y(), area.bottom() + 1 - size.height());
  return QRect(QPoint(x, y), size);
}

QRect PlaceOnScreens(const QRect& frame, const QList<QRect>& areas) {
  if (areas.isEmpty()) return frame;
  int best = 0;
  qint64 bestOverlap = 0;
  for (int i = 0; i < areas.size(); ++i) {
    const QRect common = frame.intersected(areas[i]);
    const qint64 overlap = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
    // Ties go to the earlier area, so a window lying on none goes to the
    // primary screen.
    if (overlap > bestOverlap) {
      best = i;
      bestOverlap = overlap;
    }
  }
  return FitIntoArea(frame, areas[best]);
}

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary) areas << primary->availableGeometry();
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen != primary) areas << screen->availableGeometry();
  return areas;
}

void KeepWindowOnScreens(QWidget& window) {
  // A maximised window lies on its screen by definition; its normal
  // geometry is placed when it is restored.
  if (window.isMaximized() || window.isFullScreen()) return;
  QMargins frame;
  if (window.isVisible()) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                     outer.bottom() - inner.bottom());
  } else {
    // As much as the frames of common desktops; a little too much only
    // makes the window that much smaller, once.
    constexpr int kBorder = 8;
    frame = QMargins(kBorder, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), kBorder,
                     kBorder);
  }
  const QRect placed = PlaceOnScreens(window.geometry().marginsAdded(frame), ScreenAreas()).marginsRemoved(frame);
  if (placed != window.geometry()) window.setGeometry(placed);
}

TWindowLayoutKeeper::TWindowLayoutKeeper(QWidget& window, QSplitter* splitter, TSettingsFactory settings)
    : QObject(&window), window_(window), splitter_(splitter), settings_(std::move(settings)) {
  setObjectName(QStringLiteral("WindowLayoutKeeper"));
  Restore();
  window.installEventFilter(this);
}

bool TWindowLayoutKeeper::eventFilter(QObject* watched, QEvent* event) {
  // The close event comes while the window still shows as the user left
  // it; once closed it reads as hidden.
  if (watched == &window_ && event->type() == QEvent::Close) Save();
  // Now the frame is known where the platform tells it at once.
  if (watched == &window_ && event->type() == QEvent::Show) KeepWindowOnScreens(window_);
  return QObject::eventFilter(watched, event);
}

void TWindowLayoutKeeper::Restore() {
  std::unique_ptr<QSettings> s = settings_ ? settings_() : nullptr;
  if (s && s->status() == QSettings::NoError) {
    s->beginGroup(QString::fromLatin1(kSettingsGroup));
    const QByteArray geometry = s->value(QString::fromLatin1(kWindowGeometryKey)).toByteArray();
    const QByteArray splitter = s->value(QString::fromLatin1(kSplitterStateKey)).toByteArray();
    s->endGroup();
    // Damaged or foreign bytes are refused by Qt and leave the window as
    // it was.
    restored_ = !geometry.isEmpty() && window_.restoreGeometry(geometry);
    if (splitter_ && !splitter.isEmpty()) splitter_->restoreState(splitter);
  }
  // The screens may have changed since, or this is the first start on a
  // small screen.
  KeepWindowOnScreens(window_);
}

void TWindowLayoutKeeper::Save() {
  if (!window_.isVisible()) return;
  std::unique_ptr<QSettings> s = settings_ ? settings_() : nullptr;
  if (!s) return;
  s->beginGroup(QString::fromLatin1(kSettingsGroup));
  s->setValue(QString::fromLatin1(kWindowGeometryKey), window_.saveGeometry());
  if (splitter_) s->setValue(QString::fromLatin1(kSplitterStateKey), splitter_->saveState());
  s->endGroup();
  s->sync();
}
