#include "editor/editor_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace editor_icons {
namespace {

enum class TShape { New, Open, Save, Insert, Delete, MoveUp, MoveDown, BuildHtml, Preview, Help, Item, Root };

// Draws one shape on a 16 by 16 grid scaled to the requested rectangle, so
// the pixmap is painted at the device resolution instead of being scaled up.
class TVectorIconEngine : public QIconEngine {
 public:
  explicit TVectorIconEngine(TShape shape) : shape_(shape) {}

  QIconEngine* clone() const override { return new TVectorIconEngine(shape_); }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 16.0, rect.height() / 16.0);
    disabled_ = mode == QIcon::Disabled;
    Draw(*painter);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // QIcon passes the size already in device pixels; `scale` only tags the
  // result.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    {
      QPainter painter(&pixmap);
      paint(&painter, QRect(QPoint(0, 0), pixmap.size()), mode, state);
    }
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
  }

 private:
  QColor C(const char* name) const {
    const QColor color(name);
    if (!disabled_) return color;
    const int grey = qGray(color.rgb());
    return QColor(160 + grey / 4, 160 + grey / 4, 160 + grey / 4);
  }
  QPen Pen(const char* name, qreal width = 1.0) const {
    return QPen(C(name), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  }

  void Sheet(QPainter& p) const {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(Pen("#6b7785"));
    p.setBrush(C("#ffffff"));
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
  }

  void Arrow(QPainter& p, bool up) const {
    const qreal dir = up ? 1.0 : -1.0;
    const qreal tip = up ? 2.0 : 14.0;
    QPolygonF arrow({QPointF(8, tip), QPointF(14, tip + dir * 6), QPointF(10.5, tip + dir * 6),
                     QPointF(10.5, tip + dir * 12), QPointF(5.5, tip + dir * 12), QPointF(5.5, tip + dir * 6),
                     QPointF(2, tip + dir * 6)});
    p.setPen(Pen("#1f5fa8"));
    p.setBrush(C("#4a90d9"));
    p.drawPolygon(arrow);
  }

  void Draw(QPainter& p) const {
    switch (shape_) {
      case TShape::New:
        Sheet(p);
        p.setPen(Pen("#e8a317", 1.4));
        p.drawLine(QPointF(13, 9), QPointF(13, 15));
        p.drawLine(QPointF(10, 12), QPointF(16, 12));
        break;
      case TShape::Open: {
        p.setPen(Pen("#a0761c"));
        p.setBrush(C("#f2c55c"));
        p.drawRoundedRect(QRectF(1.5, 3.5, 12, 10), 1, 1);
        QPolygonF flap({QPointF(3.5, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)});
        p.setBrush(C("#f8dc8c"));
        p.drawPolygon(flap);
        break;
      }
      case TShape::Save:
        p.setPen(Pen("#27446b"));
        p.setBrush(C("#3d6ea8"));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(C("#ffffff"));
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(C("#dfe6ee"));
        p.drawRect(QRectF(4, 9.5, 8, 5));
        break;
      case TShape::Insert:
        p.setPen(Pen("#2e7d32", 3.0));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
      case TShape::Delete:
        p.setPen(Pen("#c62828", 3.0));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
      case TShape::MoveUp:
        Arrow(p, true);
        break;
      case TShape::MoveDown:
        Arrow(p, false);
        break;
      case TShape::BuildHtml:
        p.setPen(Pen("#6a1b9a", 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(5, 3.5), QPointF(1.5, 8), QPointF(5, 12.5)}));
        p.drawPolyline(QPolygonF({QPointF(11, 3.5), QPointF(14.5, 8), QPointF(11, 12.5)}));
        p.drawLine(QPointF(9.5, 2.5), QPointF(6.5, 13.5));
        break;
      case TShape::Preview:
        p.setPen(Pen("#1565c0"));
        p.setBrush(C("#e3f0fc"));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        break;
      case TShape::Help: {
        p.setPen(Pen("#1565c0"));
        p.setBrush(C("#1e88e5"));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(11);
        p.setFont(font);
        p.setPen(C("#ffffff"));
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
      }
      case TShape::Item:
        Sheet(p);
        p.setPen(Pen("#4a90d9"));
        p.drawLine(QPointF(5.5, 6.5), QPointF(8.5, 6.5));
        p.setPen(Pen("#9aa5b1"));
        for (qreal y : {9.0, 11.0, 13.0}) p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
        break;
      case TShape::Root:
        p.setPen(Pen("#37474f"));
        p.setBrush(C("#fff8e1"));
        p.drawRoundedRect(QRectF(0.5, 2.5, 15, 11), 1.5, 1.5);
        p.setBrush(C("#ffb300"));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(2.5, 4.5, 5, 4));
        p.setPen(Pen("#78909c"));
        p.drawLine(QPointF(9.5, 5), QPointF(13.5, 5));
        p.drawLine(QPointF(9.5, 8), QPointF(13.5, 8));
        p.drawLine(QPointF(2.5, 11), QPointF(13.5, 11));
        break;
    }
  }

  TShape shape_;
  bool disabled_ = false;
};

QIcon Themed(const char* name, TShape shape) {
  return QIcon::fromTheme(QString::fromLatin1(name), QIcon(new TVectorIconEngine(shape)));
}

}  // namespace

QIcon CommandIcon(int position) {
  switch (position) {
    case kImageNew: return Themed("document-new", TShape::New);
    case kImageOpen: return Themed("document-open", TShape::Open);
    case kImageSave: return Themed("document-save", TShape::Save);
    case kImageInsert: return Themed("list-add", TShape::Insert);
    case kImageDelete: return Themed("list-remove", TShape::Delete);
    case kImageMoveUp: return Themed("go-up", TShape::MoveUp);
    case kImageMoveDown: return Themed("go-down", TShape::MoveDown);
    case kImageBuildHtml: return Themed("text-html", TShape::BuildHtml);
    case kImagePreview: return Themed("internet-web-browser", TShape::Preview);
    case kImageHelp: return Themed("help-contents", TShape::Help);
    default: return QIcon();
  }
}

QIcon TreeIcon(int image) {
  if (image == kTreeImageRoot) return Themed("folder", TShape::Root);
  return Themed("text-x-generic", TShape::Item);
}

QIcon ProgramIcon() { return QIcon(new TVectorIconEngine(TShape::Root)); }

}  // namespace editor_icons
