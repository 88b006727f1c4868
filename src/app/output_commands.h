#pragma once
// TOutputCommands is the Script and Option menus: Build HTML shows the
// generated page in the code window, Preview puts the page and both scripts
// into the preview folder and opens it in the chosen browser, Publish shows
// the publish report, Web Browser lets the user choose the browser.

#include <QObject>
#include <functional>
#include <memory>

class TMainForm;
class TformHTML;
class TformWebBrowser;

class TOutputCommands : public QObject {
  Q_OBJECT

 public:
  // Makes a browser choice window (detection and the saved choice loaded).
  using TBrowserWindowFactory = std::function<std::unique_ptr<TformWebBrowser>(QWidget* parent)>;

  TOutputCommands(TMainForm& form, TformHTML& codeWindow, TBrowserWindowFactory browserWindow);

  void Connect();

  // Commits the pages, generates, and shows the page in the code window;
  // false (error shown) when generation failed.
  bool RefreshCodeView();
  void BuildHTML1Click();
  void Preview1Click();
  void Publish1Click();
  void WebBrowser1Click();

 private:
  TMainForm& form_;
  TformHTML& codeWindow_;
  TBrowserWindowFactory browserWindow_;
  std::string page_;  // bytes of the last generated page
};
