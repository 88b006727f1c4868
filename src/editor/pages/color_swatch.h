#pragma once
// TColorSwatch is the small square that shows one colour parameter; a click
// on it, or Space or Enter while it has the focus, asks the pages to open the
// colour dialog. It takes the focus by Tab like any other control.

#include <QColor>
#include <QFrame>

class TColorSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit TColorSwatch(const QString& name, QWidget* parent = nullptr);

  QColor Color() const { return color_; }
  void SetColor(const QColor& color);

  // Colour value as the project stores it: 0x00BBGGRR.
  static uint32_t ToColorValue(const QColor& color);
  static QColor FromColorValue(uint32_t value);

 signals:
  void Clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};
