#pragma once
// The "Text" page: fonts, colours, weight, style, alignment and padding of
// the item titles and of the item contents.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QToolButton;
class TColorSwatch;
class TNumberField;

class TTextPage : public QWidget {
  Q_OBJECT

 public:
  explicit TTextPage(QWidget* parent = nullptr);

  // "Title"
  QLineEdit* edtpTitleFontFamily;
  TNumberField* spnedtpTitleSize;
  TNumberField* spnedtpTitlePadding;
  TColorSwatch* pnlpTitleColor;
  QToolButton* spdbtnpTitleBold;
  QToolButton* spdbtnpTitleItalic;
  QComboBox* cmbxpTitleAlign;
  QToolButton* SpeedButton2;
  // "Content"
  QLineEdit* edtpContentFontFamily;
  TNumberField* spnedtpContentSize;
  TNumberField* spnedtpContentPadding;
  TColorSwatch* pnlpContentColor;
  QToolButton* spdbtnpContentBold;
  QToolButton* spdbtnpContentItalic;
  QComboBox* cmbxpContentAlign;
  QToolButton* SpeedButton3;
};
