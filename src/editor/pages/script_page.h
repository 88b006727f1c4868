#pragma once
// The "Script" page: the box's size, border and general look.

#include <QWidget>

class QComboBox;
class QToolButton;
class TColorSwatch;
class TNumberField;

class TScriptPage : public QWidget {
  Q_OBJECT

 public:
  explicit TScriptPage(QWidget* parent = nullptr);

  // "General"
  TNumberField* spnedtpWidth;
  TNumberField* spnedtpHeight;
  QToolButton* SpeedButton1;
  // "Border"
  TNumberField* spnedtpBorderWidth;
  QComboBox* cmbxpBorderStyle;
  TColorSwatch* pnlpBorderColor;
  QToolButton* SpeedButton4;
  // "Misc"
  TNumberField* spnedtpDelay;
  TColorSwatch* pnlpBackgroundColor;
  TNumberField* spnedtpPadding;
  QComboBox* cmbxpCursor;
  TNumberField* spnedtpZIndex;
  QToolButton* SpeedButton5;
};
