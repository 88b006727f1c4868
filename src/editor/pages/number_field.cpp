#include "editor/pages/number_field.h"

#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "model/vocabulary.h"

namespace {

constexpr int kMinimum = -9999;
constexpr int kMaximum = 9999;

bool IsNumberKey(QChar c) { return c.isDigit() || c == u'+' || c == u'-'; }

}  // namespace

TNumberField::TNumberField(const QString& name, QWidget* parent) : QSpinBox(parent) {
  setObjectName(name);
  setRange(kMinimum, kMaximum);
  setSingleStep(1);
}

int TNumberField::NumberValue() const {
  const auto n = ParseWholeNumber(text().toStdString());
  if (!n) return minimum();
  return std::clamp(static_cast<int>(*n), minimum(), maximum());
}

void TNumberField::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.size() == 1 && typed[0].isPrint() && !IsNumberKey(typed[0]) &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    QApplication::beep();
    event->accept();
    return;
  }
  QSpinBox::keyPressEvent(event);
}

void TNumberField::fixup(QString& input) const {
  // Leaving the field shows what the text is read as.
  if (!ParseWholeNumber(input.toStdString())) input = QString::number(minimum());
}
