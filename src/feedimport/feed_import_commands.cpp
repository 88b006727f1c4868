#include "feedimport/feed_import_commands.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <atomic>

#include "editor/main_form.h"
#include "feed/feed_import.h"
#include "feedimport/feed_import_dialog.h"
#include "platform/local_text.h"

// What the import's thread and the window share. The thread only writes
// `result` and `items`, and the window reads them only after the thread has
// finished; `cancel` is the one value both touch while it runs.
struct TFeedImportCommands::TJob {
  std::string source;
  size_t max = kDefaultFeedItems;
  TFetchLimits limits;
  std::atomic<bool> cancel{false};
  TResult result = TResult::Ok();
  TItemArray items;
};

TFeedImportCommands::TFeedImportCommands(TMainForm& form, TErrorBox showError)
    : QObject(&form), form_(form), showError_(std::move(showError)), lastCount_(static_cast<int>(kDefaultFeedItems)) {
  setObjectName(QStringLiteral("FeedImportCommands"));
  runDialog_ = [](TFeedImportDialog& dialog) { return dialog.exec() == QDialog::Accepted; };

  QStatusBar* bar = form_.statusBar();
  busyBar_ = new QProgressBar(bar);
  busyBar_->setObjectName(QStringLiteral("prgrsbrFeedImport"));
  busyBar_->setRange(0, 0);  // a server says nothing of how long it takes
  busyBar_->setFixedHeight(20);
  busyBar_->setFixedWidth(120);
  busyBar_->setTextVisible(false);
  cancelButton_ = new QPushButton(tr("Cancel"), bar);
  cancelButton_->setObjectName(QStringLiteral("btnFeedImportCancel"));
  cancelButton_->setToolTip(tr("Stop reading the news feed; the items stay as they are"));
  connect(cancelButton_, &QPushButton::clicked, this, &TFeedImportCommands::CancelImport);
  bar->addPermanentWidget(busyBar_);
  bar->addPermanentWidget(cancelButton_);
  ShowBusy(false);
}

TFeedImportCommands::~TFeedImportCommands() {
  if (!thread_) return;
  // The window is going away: the thread must not outlive what it writes to.
  job_->cancel = true;
  thread_->disconnect(this);
  thread_->wait();
  delete thread_;
}

void TFeedImportCommands::Connect() {
  QAction* action = form_.ProgramActions().ImportNewsFeed1;
  action->setEnabled(true);
  connect(action, &QAction::triggered, this, &TFeedImportCommands::ImportNewsFeed1Click);
}

void TFeedImportCommands::ImportNewsFeed1Click() {
  if (Busy()) return;
  TFeedImportDialog dialog(form_.Services().prompts, &form_);
  dialog.SetSource(lastSource_);
  dialog.SetItemCount(lastCount_);
  if (!runDialog_(dialog) || dialog.Source().isEmpty()) return;
  lastSource_ = dialog.Source();
  lastCount_ = dialog.ItemCount();
  StartImport(lastSource_, lastCount_);
}

bool TFeedImportCommands::StartImport(const QString& source, int maxItems) {
  if (Busy() || maxItems < 1) return false;
  job_ = std::make_shared<TJob>();
  job_->source = LocalText(source.trimmed());
  job_->max = static_cast<size_t>(maxItems);
  job_->limits = limits_;
  job_->limits.cancel = &job_->cancel;
  std::shared_ptr<TJob> job = job_;
  thread_ = QThread::create([job] { job->result = ReadFeedItems(job->source, job->max, job->limits, job->items); });
  connect(thread_, &QThread::finished, this, &TFeedImportCommands::Finished);
  ShowBusy(true);
  thread_->start();
  return true;
}

void TFeedImportCommands::CancelImport() {
  if (job_) job_->cancel = true;
}

void TFeedImportCommands::ShowBusy(bool busy) {
  busyBar_->setVisible(busy);
  cancelButton_->setVisible(busy);
  cancelButton_->setEnabled(busy);
  QAction* action = form_.ProgramActions().ImportNewsFeed1;
  if (action->isEnabled() == busy) action->setEnabled(!busy);
}

void TFeedImportCommands::Finished() {
  thread_->deleteLater();
  thread_ = nullptr;
  std::shared_ptr<TJob> job = std::move(job_);
  ShowBusy(false);
  // A cancel counts even when the feed arrived before the thread saw it.
  if (job->cancel) {
    emit ImportFinished();
    return;
  }
  if (!job->result) {
    if (showError_) showError_(FromLocalText(job->result.message));
    emit ImportFinished();
    return;
  }
  // The step's undo keeps the project as it stands now, not as it stood
  // when the import began, so edits made while the feed was on its way come
  // back with undo as well (the pages write every edit through as it is
  // typed, so the project already holds them).
  TLumerollDocument& document = form_.Document();
  const TkvdAppletAgent& agent = document.Agent();
  document.ImportProject({agent.AppletData(), std::move(job->items), agent.FileVersion}, tr("Import News Feed"));
  form_.SelectEntry(-1);
  form_.ShowPagesForSelection();
  emit ImportFinished();
}
