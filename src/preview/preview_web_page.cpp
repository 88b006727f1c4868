#include "preview/preview_web_page.h"

#include "preview/preview_scheme.h"

namespace {

// Stands in for the new window a target="_blank" link asks for: it hands
// the address on and goes away before anything is loaded.
class TNewWindowCatcher : public QWebEnginePage {
 public:
  TNewWindowCatcher(QWebEngineProfile* profile, TPreviewWebPage* owner) : QWebEnginePage(profile, owner), owner_(owner) {}

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
    if (!url.isEmpty() && !IsPreviewUrl(url)) emit owner_->LinkRequested(url);
    deleteLater();
    return false;
  }

 private:
  TPreviewWebPage* owner_;
};

}  // namespace

TPreviewWebPage::TPreviewWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

bool TPreviewWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  // Frames inside an item's content may go where they like: the pane stays.
  if (!isMainFrame) return true;
  if (IsPreviewUrl(url) && type != NavigationTypeLinkClicked) return true;
  if (type == NavigationTypeLinkClicked && !IsPreviewUrl(url)) emit LinkRequested(url);
  return false;
}

QWebEnginePage* TPreviewWebPage::createWindow(WebWindowType) { return new TNewWindowCatcher(profile(), this); }
