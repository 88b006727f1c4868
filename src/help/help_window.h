#pragma once
// TfrmHelp is the help window: a small tool window beside the editor that
// shows one help topic page. It lives as long as the application; closing it
// only hides it, and the next topic brings it back to the front.

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class Launcher;

class TfrmHelp : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmHelp(Launcher& launcher, QWidget* parent = nullptr);

  void ShowTopic(const QUrl& address);
  QTextBrowser& Browser() { return *WebBrowser1_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Links between our own pages stay in the window; other addresses go to the
  // desktop's "open" action.
  void FollowLink(const QUrl& link);

  Launcher& launcher_;
  QTextBrowser* WebBrowser1_ = nullptr;
};
