#pragma once
// The preview's own URL scheme. The web view loads its page and the runtime
// script through it, straight from memory and the resource folder, so the
// pane never writes a file for the browser to read.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

inline constexpr char kPreviewScheme[] = "lumeroll-preview";

// Must run before the application object exists (Qt WebEngine's rule).
void RegisterPreviewScheme();

// Where the pane's page lives; the runtime script sits beside it.
QUrl PreviewPageUrl();
bool IsPreviewUrl(const QUrl& url);

// The page around the box: a stage for the box, a line for messages, and
// the small script the pane calls to replace, hold and frame the box.
// missingRuntimeText is what the stage shows when the runtime did not load.
QByteArray PreviewPageHtml(const QString& runtimeName, const QString& missingRuntimeText);

class TPreviewSchemeHandler : public QWebEngineUrlSchemeHandler {
  Q_OBJECT
 public:
  // runtimePath: the runtime script in the resource folder, read at every
  // request so a page reload picks up a replaced file.
  TPreviewSchemeHandler(QString runtimePath, QObject* parent = nullptr);

  void requestStarted(QWebEngineUrlRequestJob* job) override;

  // How many requests were answered; the tests use it to see that an idle
  // pane fetches nothing.
  int RequestCount() const { return requests_; }

 private:
  QString runtimePath_;
  QString runtimeName_;
  int requests_ = 0;
};
