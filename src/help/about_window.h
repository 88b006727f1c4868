#pragma once
// TformAbout is the about window: product name, version and the maker's two
// addresses as links that open through the launcher. Created for each
// showing and shown modally.

#include <QDialog>

class QLabel;
class Launcher;

class TformAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TformAbout(Launcher& launcher, QWidget* parent = nullptr);

  QLabel& HomePageLink() { return *lblHomePage_; }
  QLabel& SupportLink() { return *lblSupport_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  static void Paint(QLabel& link, const char* color);

  Launcher& launcher_;
  QLabel* lblHomePage_ = nullptr;
  QLabel* lblSupport_ = nullptr;
};
