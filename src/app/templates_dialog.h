#pragma once
// TfrmTemplet lists the template projects of the templates folder. OK starts
// a new, untitled project from the chosen one (the template stays as it is),
// Cancel starts an empty new project, and the check box says whether the
// dialog is offered at start.

#include <QDialog>
#include <functional>

class QCheckBox;
class QListWidget;
class TFileCommands;

class TfrmTemplet : public QDialog {
  Q_OBJECT

 public:
  struct TSetting {
    // ShowTempletsDialog as read at start (a missing value reads true).
    std::function<bool()> read;
    // Writes it; false when it could not be written.
    std::function<bool(bool)> write;
  };

  TfrmTemplet(TFileCommands& commands, QString templatesFolder, TSetting setting, QWidget* parent = nullptr);

  void OkClick();
  void CancelClick();
  void chckbxDontShowClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void reject() override { CancelClick(); }

 private:
  TFileCommands& commands_;
  QString folder_;
  TSetting setting_;
  QListWidget* TempletList_ = nullptr;
  QCheckBox* chckbxDontShow_ = nullptr;
};
