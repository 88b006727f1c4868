#pragma once
// The one place that touches the file system's primitives. Every file the
// program writes goes through WriteFileAtomically: a temporary file in the
// target folder, flushed to disk, renamed over the target. A failure leaves
// the old file as it was and reports the system's error text.

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
TResult WriteFileAtomically(const std::string& path, const std::string& bytes);

// WriteFileAtomically for bytes that arrive in pieces, so a large file never
// has to be held whole: Write appends, Commit renames the temporary file over
// the target. A writer dropped before Commit removes its temporary file and
// leaves the target as it was.
class TAtomicFileWriter {
 public:
  explicit TAtomicFileWriter(const std::string& path);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

  // False once anything failed; later writes are ignored.
  bool Write(std::string_view bytes);
  TResult Commit();
  // The first failure so far (or success).
  const TResult& State() const { return state_; }

 private:
  void Fail(int err);
  std::string path_;
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  TResult state_;
};
// Copies a file's bytes over `to` with the same guarantee.
TResult CopyFileReplacing(const std::string& from, const std::string& to);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// One level; true when the folder exists afterwards.
bool CreateFolder(const std::string& path);
// Removes an empty folder; false when it holds files or does not exist.
bool RemoveEmptyFolder(const std::string& path);
bool DeleteFileIfExists(const std::string& path);
