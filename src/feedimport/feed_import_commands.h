#pragma once
// File > Import News Feed. The feed is fetched and read on a thread of its
// own, so the window keeps painting and answering while a slow server is
// waited for; the status strip shows a busy bar and a Cancel button. When the
// feed is read, its items take the place of the project's items in one
// undoable step, the applet's parameters kept. A feed that cannot be read
// changes nothing and is reported in the error box; a cancelled import
// changes nothing and says nothing.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "feed/feed_fetch.h"

class QProgressBar;
class QPushButton;
class QThread;
class TFeedImportDialog;
class TMainForm;

class TFeedImportCommands : public QObject {
  Q_OBJECT

 public:
  using TErrorBox = std::function<void(const QString& message)>;
  using TDialogRunner = std::function<bool(TFeedImportDialog&)>;

  TFeedImportCommands(TMainForm& form, TErrorBox showError);
  ~TFeedImportCommands() override;

  // Wires File > Import News Feed.
  void Connect();

  // Asks for the source and count, then starts the import.
  void ImportNewsFeed1Click();
  // Starts reading `source` on the import's thread; false when an import is
  // already under way.
  bool StartImport(const QString& source, int maxItems);
  // Gives up the import under way: the project stays as it is.
  void CancelImport();
  bool Busy() const { return thread_ != nullptr; }

  // How the dialog is shown: modally unless a test looks at it instead.
  // True means OK.
  void SetDialogRunner(TDialogRunner runner) { runDialog_ = std::move(runner); }
  // The network limits of later imports (tests lower them).
  TFetchLimits& Limits() { return limits_; }

 signals:
  // An import ended: read and put in, failed, or cancelled.
  void ImportFinished();

 private:
  struct TJob;
  void Finished();
  void ShowBusy(bool busy);

  TMainForm& form_;
  TErrorBox showError_;
  TDialogRunner runDialog_;
  TFetchLimits limits_;
  // The dialog offers the last source and count again.
  QString lastSource_;
  int lastCount_ = 0;

  std::shared_ptr<TJob> job_;
  QThread* thread_ = nullptr;
  QProgressBar* busyBar_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};
