#pragma once
// The preview's web page: it loads only the pane's own page. A click on an
// item's link, a link that wants a new window and a script that tries to
// send the page elsewhere are turned into LinkRequested, so the editor can
// open the address in the user's browser while the pane stays on the box.

#include <QUrl>
#include <QWebEnginePage>

class TPreviewWebPage : public QWebEnginePage {
  Q_OBJECT
 public:
  explicit TPreviewWebPage(QWebEngineProfile* profile, QObject* parent = nullptr);

 signals:
  void LinkRequested(const QUrl& url);

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
  QWebEnginePage* createWindow(WebWindowType type) override;
};
