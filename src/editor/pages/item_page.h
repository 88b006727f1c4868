#pragma once
// The "Item" page: caption, link, link target and content of the selected
// news item.

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

class TItemPage : public QWidget {
  Q_OBJECT

 public:
  explicit TItemPage(QWidget* parent = nullptr);

  // "Title"
  QGroupBox* grpbxITitle;
  QLineEdit* edtICaption;
  QToolButton* SpeedButton23;
  // "Link"
  QGroupBox* grpbxILink;
  QComboBox* cmbxILink;
  QToolButton* spdbtnItURL;
  QComboBox* cmbxITarget;
  QToolButton* SpeedButton24;
  // "Content"
  QPlainTextEdit* rchedtIContent;
  QToolButton* SpeedButton6;
};
