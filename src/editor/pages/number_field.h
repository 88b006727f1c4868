#pragma once
// TNumberField is the whole-number field of the property pages: arrows step
// by 1 inside -9999..9999, typing takes digits and signs only, and a text
// that is not a whole number counts as the minimum, both when it is read and
// when the field is left.

#include <QSpinBox>

class TNumberField : public QSpinBox {
  Q_OBJECT

 public:
  explicit TNumberField(const QString& name, QWidget* parent = nullptr);

  // The number the field's text stands for, in the field's range.
  int NumberValue() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void fixup(QString& input) const override;
};
