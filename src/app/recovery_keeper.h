#pragma once
// TRecoveryKeeper keeps a recovery copy of the project while it has unsaved
// changes, and at start offers the copies that editors no longer running
// left behind.
//
// A change starts a timer; when it runs out (about five seconds after the
// first change not yet kept) the project's values are taken and the copy is
// written on a worker thread, so typing never waits for the disk. The copy
// goes when the project is saved or goes back to its saved step, when the
// user answers No to a save question, and when the editor ends normally.

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <memory>

class Prompts;
class TFileCommands;
class TMainForm;
class TRecoveryStore;

class TRecoveryKeeper : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDelayMs = 5000;

  TRecoveryKeeper(TMainForm& form, TFileCommands& files, Prompts& prompts, const QString& folder,
                  int delayMs = kDelayMs);
  // A normal end: the copy is removed.
  ~TRecoveryKeeper() override;

  // Offers each copy left by an editor that is no longer running, newest
  // first: "Recover unsaved changes to NAME from TIME?". Recover opens it
  // (and stops offering), Discard removes it. A copy that cannot be read is
  // reported and kept aside. True when a copy was recovered; its path (empty
  // for an untitled project) is put in `recoveredPath`.
  bool OfferAtStart(QString* recoveredPath = nullptr);

  // Waits until every write and removal asked for so far is done.
  void Flush();
  // This editor's copy file (whether or not it exists yet).
  QString CopyFile() const;

 private:
  void Changed();
  void KeepNow();
  void Drop();

  TMainForm& form_;
  TFileCommands& files_;
  Prompts& prompts_;
  std::shared_ptr<TRecoveryStore> store_;
  QTimer timer_;
  // One thread, so writes and removals land in the order they were asked.
  QThreadPool worker_;
  bool failureShown_ = false;
};
