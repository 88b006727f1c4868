#pragma once
// The "Path" page: the local and web root folders that publishing swaps in
// item links, and which of the two the links are turned into.

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

class TPathPage : public QWidget {
  Q_OBJECT

 public:
  explicit TPathPage(QWidget* parent = nullptr);

  // Checks the local and the web button as given (at most one), also none.
  void SetRootChoice(bool local, bool web);

  QLabel* lblExplanation;
  QLineEdit* edtpInternalUse_RootDir_Local;
  QLineEdit* edtpInternalUse_RootDir_Remote;
  QRadioButton* rdbtnpInternalUse_RootDir_Local_Checked;
  QRadioButton* rdbtnpInternalUse_RootDir_Local_Checked2;
  QToolButton* SpeedButton28;
};
