#pragma once
// Shows the publish report of the current project; created for each showing.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TfrmPublishReport : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmPublishReport(QWidget* parent = nullptr);

  // Fills the text box from the report file; false when it cannot be read.
  bool LoadReport(const QString& path);

 private:
  QPlainTextEdit* memoPublishReport;
  QPushButton* BitBtn1;
};
