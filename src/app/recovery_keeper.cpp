#include "app/recovery_keeper.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>

#include "app/file_commands.h"
#include "editor/main_form.h"
#include "model/project_file.h"
#include "platform/prompts.h"
#include "platform/recovery_store.h"

TRecoveryKeeper::TRecoveryKeeper(TMainForm& form, TFileCommands& files, Prompts& prompts, const QString& folder,
                                 int delayMs)
    : form_(form), files_(files), prompts_(prompts), store_(std::make_shared<TRecoveryStore>(folder)) {
  worker_.setMaxThreadCount(1);
  timer_.setSingleShot(true);
  timer_.setInterval(delayMs);
  connect(&timer_, &QTimer::timeout, this, &TRecoveryKeeper::KeepNow);
  TLumerollDocument& document = form.Document();
  connect(&document, &TLumerollDocument::Changed, this, &TRecoveryKeeper::Changed);
  connect(&document, &TLumerollDocument::FilePathChanged, this, &TRecoveryKeeper::Changed);
  connect(&document, &TLumerollDocument::ModifiedChanged, this, [this](bool modified) {
    if (modified)
      Changed();
    else
      Drop();
  });
  connect(&files, &TFileCommands::UnsavedChangesDiscarded, this, &TRecoveryKeeper::Drop);
}

TRecoveryKeeper::~TRecoveryKeeper() {
  timer_.stop();
  worker_.waitForDone();
  store_->Remove();
}

QString TRecoveryKeeper::CopyFile() const { return store_->CopyFile(); }

void TRecoveryKeeper::Flush() { worker_.waitForDone(); }

void TRecoveryKeeper::Changed() {
  // Started by the first change not yet kept and not pushed back by more, so
  // steady typing is kept as well.
  if (form_.Modified() && !timer_.isActive()) timer_.start();
}

void TRecoveryKeeper::KeepNow() {
  if (!form_.Modified()) {
    Drop();
    return;
  }
  const TkvdAppletAgent& agent = form_.Agent();
  TAppletData applet = agent.AppletData();
  TItemArray items = agent.Items();
  const QString path = form_.CurrentProjectPath();
  worker_.start([this, store = store_, applet = std::move(applet), items = std::move(items), path] {
    NullProgress quiet;
    const std::string bytes = WriteProjectText(applet, items, quiet);
    QString error;
    if (store->Write(path, QByteArray::fromStdString(bytes), error)) return;
    // Told on the window's thread; the keeper waits for this thread before
    // it goes, so it is still there.
    QMetaObject::invokeMethod(this, [this, error] {
      if (failureShown_) return;
      failureShown_ = true;
      form_.statusBar()->showMessage(tr("Unsaved changes could not be kept for recovery: %1").arg(error), 15000);
    }, Qt::QueuedConnection);
  });
}

void TRecoveryKeeper::Drop() {
  timer_.stop();
  failureShown_ = false;
  worker_.start([store = store_] { store->Remove(); });
}

bool TRecoveryKeeper::OfferAtStart(QString* recoveredPath) {
  Flush();
  std::vector<TRecoveryStore::TOrphan> orphans = store_->FindOrphans();
  for (TRecoveryStore::TOrphan& orphan : orphans) {
    TRecoveryStore::TCopy copy;
    QString reason;
    if (!orphan.Read(copy, reason)) {
      const QString aside = orphan.KeepAside();
      prompts_.Tell(&form_, TMessageKind::Warning,
                    tr("A recovery copy of unsaved changes cannot be read: %1. It was kept as %2.")
                        .arg(reason, QDir::toNativeSeparators(aside)));
      continue;
    }
    const QString name = copy.projectPath.isEmpty() ? tr("Untitled") : QFileInfo(copy.projectPath).fileName();
    const QString time = QLocale().toString(copy.written.toLocalTime(), QLocale::ShortFormat);
    const TAnswer answer = prompts_.Ask(&form_, TMessageKind::Confirm,
                                        tr("Recover unsaved changes to %1 from %2?").arg(name, time),
                                        TButtons::RecoverDiscard, tr("Recover"));
    if (answer == TAnswer::Discard) {
      orphan.Discard();
      continue;
    }
    if (answer != TAnswer::Recover) continue;  // neither: offered again next time
    QString error;
    if (!files_.OpenRecovered(copy.project, copy.projectPath, error)) {
      const QString aside = orphan.KeepAside();
      prompts_.Tell(&form_, TMessageKind::Warning,
                    tr("The recovery copy of %1 cannot be opened: %2. It was kept as %3.")
                        .arg(name, error, QDir::toNativeSeparators(aside)));
      continue;
    }
    // The copy becomes this editor's own: it already holds the project, and
    // is replaced or removed like any copy from now on.
    Flush();
    store_->Adopt(std::move(orphan));
    if (recoveredPath) *recoveredPath = copy.projectPath;
    return true;
  }
  return false;
}
