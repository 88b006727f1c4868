#include "editor/pages/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TColorSwatch::TColorSwatch(const QString& name, QWidget* parent) : QFrame(parent) {
  setObjectName(name);
  setFixedSize(22, 22);
  // A groove: lowered outer bevel, raised inner bevel.
  setFrameStyle(QFrame::Box | QFrame::Sunken);
  setLineWidth(1);
  setMidLineWidth(1);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  SetColor(Qt::black);
}

void TColorSwatch::SetColor(const QColor& color) {
  color_ = color;
  QPalette p = palette();
  p.setColor(QPalette::Window, color_);
  setPalette(p);
}

uint32_t TColorSwatch::ToColorValue(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
         static_cast<uint32_t>(color.blue()) << 16;
}

QColor TColorSwatch::FromColorValue(uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>(value >> 8 & 0xFF),
                static_cast<int>(value >> 16 & 0xFF));
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
  QFrame::mouseReleaseEvent(event);
}

void TColorSwatch::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!event->isAutoRepeat()) emit Clicked();
      event->accept();
      return;
    default:
      QFrame::keyPressEvent(event);
  }
}

void TColorSwatch::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (!hasFocus()) return;
  // Drawn inside the bevel in a tone that stands out from the colour shown,
  // as the style's own focus frame vanishes on some colours.
  QPainter painter(this);
  painter.setPen(QPen(color_.lightness() < 128 ? Qt::white : Qt::black, 1, Qt::DotLine));
  painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
}
