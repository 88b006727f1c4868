#pragma once
// TfrmHelp is the help window: a small tool window beside the editor that
// shows one help topic page. It lives as long as the application; closing it
// only hides it, and the next topic brings it back to the front.

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class Launcher;

// The address the window loads for a topic address. The pages hand over
// addresses in the old style "file:///C|/..." with a bar for the drive's
// colon, which the text browser would take for a folder named "C|"; those
// become "file:///C:/...". Every other address stays as it is.
QUrl HelpWindowAddress(const QUrl& address);

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
