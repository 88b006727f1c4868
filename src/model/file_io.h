#pragma once
// The one place that touches the file system's primitives. Every file the
// program writes goes through WriteFileAtomically: a temporary file in the
// target folder, flushed to disk, renamed over the target. A failure leaves
// the old file as it was and reports the system's error text.

#include <cstdint>
#include <string>
#include <string_view>

#include "result.h"

// The folder part of a path including its trailing separator ("" for a bare
// name), and the name part. Kept on strings rather than std::filesystem::path
// because on Windows a narrow path there is read in the ANSI code page, and
// these paths are UTF-8.
std::string FolderPart(const std::string& path);
std::string NamePart(const std::string& path);

// The largest file a reader takes in; a bigger one is no file of this
// program and would only exhaust memory.
inline constexpr long long kMaxReadBytes = 256LL * 1024 * 1024;

// Regular files only (a device or a pipe could feed bytes forever or block),
// up to kMaxReadBytes.
TResult ReadFileBytes(const std::string& path, std::string& out);

// A file read a piece at a time, with the same checks: Open refuses what
// ReadFileBytes refuses, and Read fails once more than kMaxReadBytes came.
class TFileReader {
 public:
  TFileReader() = default;
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  TResult Open(const std::string& path);
  // Up to `room` bytes into `into`; `got` is 0 at the end of the file.
  TResult Read(char* into, size_t room, size_t& got);
  // The size the system gave at Open (0 for some system files that still
  // hold bytes); the file may grow or shrink while it is read.
  long long StatedSize() const { return statedSize_; }
  long long BytesRead() const { return bytesRead_; }

 private:
  TResult TooLarge() const;
  std::string path_;
  intptr_t handle_ = -1;  // a descriptor, or a Windows handle
  long long statedSize_ = 0;
  long long bytesRead_ = 0;
};
TResult WriteFileAtomically(const std::string& path, const std::string& bytes);

// WriteFileAtomically for bytes that arrive in pieces, so a large file never
// has to be held whole: Write appends, Commit renames the temporary file over
// the target. A writer dropped before Commit removes its temporary file and
// leaves the target as it was.
class TAtomicFileWriter {
 public:
  // A scratch file (the working folder's copy of the script, rewritten at
  // every save and never read back for publishing) is still replaced in one
  // step, but not pushed to the disk: it may vanish in a power cut, and a
  // copy deleted soon after never costs a disk write at all.
  enum class TDurability { Durable, Scratch };
  explicit TAtomicFileWriter(const std::string& path, TDurability durability = TDurability::Durable);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  // False once anything failed; later writes are ignored.
  bool Write(std::string_view bytes);
  // Everything written is on the disk under the temporary name; only the
  // rename is left. A set of files is staged whole before the first rename,
  // so that a failure (a full disk, a read-only file) replaces none of them.
  TResult Stage();
  // Stages when that was not done yet, then renames over the target.
  TResult Commit();
  // The first failure so far (or success).
  const TResult& State() const { return state_; }

 private:
  void Fail(int err);
  std::string path_;
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  bool staged_ = false;
  TDurability durability_;
  TResult state_;
};
// Copies a file's bytes over `to` with the same guarantee.
TResult CopyFileReplacing(const std::string& from, const std::string& to);

// Asks the system to back [data, data + bytes) with memory now, in one call,
// rather than one page fault for each page as it is first written. Worth it
// for buffers of megabytes that are filled at once; only whole pages inside
// the range are touched, and where the system cannot do it nothing happens.
void PrefaultMemory(void* data, size_t bytes);

// Temporary files are named "." + name + ".tmp" + process id + "-" + a
// random number, beside their target. Those whose process has ended are
// leftovers of a crash; this removes them from `folder` (and nothing else)
// and says how many went.
int RemoveLeftoverTemporaryFiles(const std::string& folder);

// One writer at a time in a folder: publishing and rewriting a project take
// this advisory lock (flock on the folder itself on POSIX, LockFileEx on a
// lock file on Windows) around the checks and all the writes, so two
// programs never mix their files. A lock this process already holds is
// taken again at no cost, so a publish may save the project under its own
// lock. A folder that cannot be locked at all (missing, or a file system
// without locks) is written without one, as before.
// The hidden file in a folder that LockFileEx locks on Windows (POSIX locks
// the folder itself and leaves no file).
inline constexpr const char* kFolderLockFileName = ".lumeroll.lock";

class TFolderLock {
 public:
  static constexpr int kDefaultWaitMs = 5000;
  TFolderLock() = default;
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  // Waits up to waitMs for another program to finish, then fails with
  // "FOLDER is being published by another program".
  TResult Acquire(const std::string& folder, int waitMs = kDefaultWaitMs);
  void Release();

 private:
  std::string key_;
};

// Whether another program holds the lock on `folder` right now (for tests
// and diagnostics; the answer may change at once).
bool FolderLockedElsewhere(const std::string& folder);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// One level; true when the folder exists afterwards.
bool CreateFolder(const std::string& path);
// Removes an empty folder; false when it holds files or does not exist.
bool RemoveEmptyFolder(const std::string& path);
bool DeleteFileIfExists(const std::string& path);
