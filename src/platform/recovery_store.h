#pragma once
// TRecoveryStore keeps a running editor's copy of its unsaved work in the
// user's data folder, so that a crash or a killed process loses nothing.
//
// Each editor has one copy file, "<id>.recovery", holding the project file's
// bytes and the path they belong to, always written whole (a temporary file
// renamed over it), and one lock file, "<id>.lock", that it holds while it
// runs. A copy whose lock nobody holds was left by an editor that is no
// longer running: that is what the next start offers. A copy that cannot be
// read is renamed to "<id>.damaged" and never offered again.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class QLockFile;

class TRecoveryStore {
 public:
  // A copy read back: the project's bytes and where they belong.
  struct TCopy {
    QString projectPath;  // empty for an untitled project
    QDateTime written;    // UTC
    QByteArray project;
  };

  // A copy left by an editor that is no longer running. While this object
  // lives, its lock is held here, so no other editor offers it meanwhile.
  class TOrphan {
   public:
    TOrphan(QString folder, QString id, std::unique_ptr<QLockFile> lock);
    ~TOrphan();
    TOrphan(TOrphan&&) noexcept;
    TOrphan& operator=(TOrphan&&) noexcept;

    const QString& Id() const { return id_; }
    QString CopyFile() const;
    // Reads and checks the copy; false with the reason when it is damaged.
    bool Read(TCopy& out, QString& reason) const;
    // Removes the copy (and its lock).
    void Discard();
    // Renames a damaged copy out of the way; returns the new file name.
    QString KeepAside();

   private:
    friend class TRecoveryStore;
    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
  };

  // Takes a fresh id and its lock in `folder` (created when missing).
  explicit TRecoveryStore(QString folder);
  // Releases the lock; the copy stays unless Remove() ran.
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  // "recovery" in the user's per-program data folder.
  static QString DefaultFolder();

  const QString& Folder() const { return folder_; }
  QString CopyFile() const;
  // False when the folder or the lock could not be had: nothing is kept then.
  bool Usable() const;

  // Writes the copy whole; false with the system's reason when it failed
  // (the previous copy then stays as it was).
  bool Write(const QString& projectPath, const QByteArray& project, QString& error);
  // Removes this editor's copy, if there is one.
  void Remove();

  // Copies of editors that are no longer running, newest first. Stale lock
  // files without a copy are cleared on the way.
  std::vector<TOrphan> FindOrphans() const;
  // Makes an orphan this editor's own copy (after recovering it): its lock
  // and file name are taken over, and this editor's fresh ones given up.
  void Adopt(TOrphan&& orphan);

  // The bytes of a copy file, and the reading of them (for tests).
  static QByteArray Encode(const QString& projectPath, const QDateTime& written, const QByteArray& project);
  static bool Decode(const QByteArray& bytes, TCopy& out, QString& reason);

 private:
  QString folder_;
  QString id_;
  std::unique_ptr<QLockFile> lock_;
};
