#pragma once
// The generated-code window: shows the generated page so the user can copy
// the snippet into a web page. Created once and kept; its text stays until
// the next SetPageText.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TformHTML : public QDialog {
  Q_OBJECT
 public:
  explicit TformHTML(QWidget* parent = nullptr);

  void SetPageText(const QString& text);
  QString PageText() const;

 private:
  void Button2Click();

  QPlainTextEdit* memoHTMLBuild;
  QPushButton* buttonOk;
  QPushButton* Button2;
};
