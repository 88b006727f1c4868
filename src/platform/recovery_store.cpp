#include "platform/recovery_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

namespace {

constexpr char kMagic[] = "JavaScript Lumeroll recovery copy 1";
const QString kCopySuffix = QStringLiteral(".recovery");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kDamagedSuffix = QStringLiteral(".damaged");

// The lock is held for the editor's whole run, so only a dead owner makes
// it stale, never its age.
std::unique_ptr<QLockFile> TryLock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

QString Path(const QString& folder, const QString& id, const QString& suffix) {
  return QDir(folder).filePath(id + suffix);
}

}  // namespace

// ---- orphans

TRecoveryStore::TOrphan::TOrphan(QString folder, QString id, std::unique_ptr<QLockFile> lock)
    : folder_(std::move(folder)), id_(std::move(id)), lock_(std::move(lock)) {}
TRecoveryStore::TOrphan::~TOrphan() = default;
TRecoveryStore::TOrphan::TOrphan(TOrphan&&) noexcept = default;
TRecoveryStore::TOrphan& TRecoveryStore::TOrphan::operator=(TOrphan&&) noexcept = default;

QString TRecoveryStore::TOrphan::CopyFile() const { return Path(folder_, id_, kCopySuffix); }

bool TRecoveryStore::TOrphan::Read(TCopy& out, QString& reason) const {
  QFile file(CopyFile());
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
    return false;
  }
  return Decode(file.readAll(), out, reason);
}

void TRecoveryStore::TOrphan::Discard() {
  QFile::remove(CopyFile());
  lock_.reset();  // unlocking removes the lock file
}

QString TRecoveryStore::TOrphan::KeepAside() {
  QString aside = Path(folder_, id_, kDamagedSuffix);
  for (int n = 2; QFileInfo::exists(aside); ++n) aside = Path(folder_, id_ + QString::number(n), kDamagedSuffix);
  QFile::rename(CopyFile(), aside);
  lock_.reset();
  return aside;
}

// ---- this editor's copy

TRecoveryStore::TRecoveryStore(QString folder)
    : folder_(std::move(folder)), id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
  if (QDir().mkpath(folder_)) lock_ = TryLock(Path(folder_, id_, kLockSuffix));
}

TRecoveryStore::~TRecoveryStore() = default;

QString TRecoveryStore::DefaultFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).filePath("recovery");
}

QString TRecoveryStore::CopyFile() const { return Path(folder_, id_, kCopySuffix); }

bool TRecoveryStore::Usable() const { return lock_ != nullptr; }

bool TRecoveryStore::Write(const QString& projectPath, const QByteArray& project, QString& error) {
  if (!Usable()) {
    error = QStringLiteral("%1: cannot be created or locked").arg(QDir::toNativeSeparators(folder_));
    return false;
  }
  QSaveFile file(CopyFile());
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  const QByteArray bytes = Encode(projectPath, QDateTime::currentDateTimeUtc(), project);
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

void TRecoveryStore::Remove() {
  if (Usable()) QFile::remove(CopyFile());
}

std::vector<TRecoveryStore::TOrphan> TRecoveryStore::FindOrphans() const {
  std::vector<TOrphan> found;
  std::vector<QDateTime> times;
  const QDir dir(folder_);
  for (const QFileInfo& copy : dir.entryInfoList({"*" + kCopySuffix}, QDir::Files)) {
    const QString id = copy.completeBaseName();
    if (id == id_) continue;
    std::unique_ptr<QLockFile> lock = TryLock(Path(folder_, id, kLockSuffix));
    if (!lock) continue;  // its editor is still running
    found.emplace_back(folder_, id, std::move(lock));
    times.push_back(copy.lastModified());
  }
  // A lock without a copy: an editor that died before it had anything to keep.
  for (const QFileInfo& lockFile : dir.entryInfoList({"*" + kLockSuffix}, QDir::Files)) {
    const QString id = lockFile.completeBaseName();
    if (id == id_ || QFileInfo::exists(Path(folder_, id, kCopySuffix))) continue;
    TryLock(lockFile.filePath());  // taken and let go, which removes it
  }
  std::vector<size_t> order(found.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return times[a] > times[b]; });
  std::vector<TOrphan> sorted;
  for (size_t i : order) sorted.push_back(std::move(found[i]));
  return sorted;
}

void TRecoveryStore::Adopt(TOrphan&& orphan) {
  lock_.reset();
  id_ = orphan.id_;
  lock_ = std::move(orphan.lock_);
}

// ---- the copy's bytes

QByteArray TRecoveryStore::Encode(const QString& projectPath, const QDateTime& written, const QByteArray& project) {
  QByteArray out = kMagic;
  out += "\npath: " + projectPath.toUtf8().toPercentEncoding();
  out += "\nwritten: " + written.toUTC().toString(Qt::ISODateWithMs).toLatin1();
  out += "\nsize: " + QByteArray::number(project.size());
  out += "\nsha256: " + QCryptographicHash::hash(project, QCryptographicHash::Sha256).toHex();
  out += "\n\n";
  out += project;
  return out;
}

bool TRecoveryStore::Decode(const QByteArray& bytes, TCopy& out, QString& reason) {
  if (!bytes.startsWith(QByteArray(kMagic) + '\n')) {
    reason = QStringLiteral("it is not a recovery copy of this program");
    return false;
  }
  const qsizetype headerEnd = bytes.indexOf("\n\n");
  if (headerEnd < 0) {
    reason = QStringLiteral("it is incomplete");
    return false;
  }
  const QList<QByteArray> lines = bytes.left(headerEnd).split('\n');
  const char* const keys[] = {"path: ", "written: ", "size: ", "sha256: "};
  if (lines.size() != 5) {
    reason = QStringLiteral("its header is damaged");
    return false;
  }
  QByteArray values[4];
  for (int i = 0; i < 4; ++i) {
    if (!lines[i + 1].startsWith(keys[i])) {
      reason = QStringLiteral("its header is damaged");
      return false;
    }
    values[i] = lines[i + 1].mid(static_cast<qsizetype>(qstrlen(keys[i])));
  }
  const QByteArray project = bytes.mid(headerEnd + 2);
  bool sized = false;
  const qlonglong size = values[2].toLongLong(&sized);
  const QDateTime written = QDateTime::fromString(QString::fromLatin1(values[1]), Qt::ISODateWithMs);
  if (!sized || size != project.size() || !written.isValid()) {
    reason = QStringLiteral("it is incomplete");
    return false;
  }
  if (QCryptographicHash::hash(project, QCryptographicHash::Sha256).toHex() != values[3]) {
    reason = QStringLiteral("its content is damaged");
    return false;
  }
  out.projectPath = QString::fromUtf8(QByteArray::fromPercentEncoding(values[0]));
  out.written = written;
  out.project = project;
  return true;
}
