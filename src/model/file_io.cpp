#include "file_io.h"
#include "file_io_platform.h"

// The POSIX implementation; Windows has its own in file_io_win.cpp.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

std::string SystemError(const std::string& what, const std::string& path, int err) {
  return what + " \"" + path + "\": " + std::strerror(err);
}

std::string TempNameBeside(const std::string& path) {
  static std::mt19937_64 rng{std::random_device{}()};
  const std::string folder = FolderPart(path);
  return folder + "." + NamePart(path) + ".tmp" + std::to_string(::getpid()) + "-" +
         std::to_string(rng() % 1000000000ull);
}

constexpr int kMaxLinkSteps = 40;  // as the kernel's own limit on a chain of links

// Where a write to `path` lands. A symbolic link stays a link and the file it
// points to is replaced, but only a link of the user's own (or root's) is
// followed: in a shared folder another user's link could otherwise aim the
// write at any file the user may write. A dangling link or a loop is refused
// rather than replaced by a plain file.
TResult ResolveWriteTarget(const std::string& path, std::string& target) {
  std::string current = path;
  for (int step = 0; step <= kMaxLinkSteps; ++step) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) {
      if (errno == ENOENT && step > 0)
        return TResult::Fail("Cannot write \"" + path + "\": the symbolic link leads to no file");
      target = current;  // a new file, or an error the write itself reports
      return TResult::Ok();
    }
    if (!S_ISLNK(st.st_mode)) {
      target = current;
      return TResult::Ok();
    }
    if (st.st_uid != ::geteuid() && st.st_uid != 0)
      return TResult::Fail("Cannot write \"" + path + "\": the symbolic link \"" + current +
                           "\" belongs to another user");
    std::string next(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), next.data(), next.size());
    if (n < 0) return TResult::Fail(SystemError("Cannot write", path, errno));
    next.resize(static_cast<size_t>(n));
    current = !next.empty() && next[0] == '/' ? next : FolderPart(current) + next;
  }
  return TResult::Fail(SystemError("Cannot write", path, ELOOP));
}

// A file-size limit (ulimit -f) must make a write fail with the system's
// message, not end the program with a half-written temporary file beside the
// target.
void IgnoreFileSizeSignal() {
  static const bool ignored = [] {
    ::signal(SIGXFSZ, SIG_IGN);
    return true;
  }();
  (void)ignored;
}

// After the rename the new name lives in the folder's own data; syncing the
// folder makes it survive a power cut too.
void SyncFolderOf(const std::string& path) {
  const std::string folder = FolderPart(path);
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

TFileReader::~TFileReader() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

TResult TFileReader::Open(const std::string& path) {
  path_ = path;
  // Non-blocking open: a FIFO must be refused, not waited on for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return TResult::Fail(SystemError("Cannot open", path, errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    return TResult::Fail(SystemError("Cannot open", path, err));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) return TResult::Fail(SystemError("Cannot open", path, EISDIR));
    return TResult::Fail("Cannot open \"" + path + "\": not a regular file");
  }
  if (st.st_size > kMaxReadBytes) {
    ::close(fd);
    return TooLarge();
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  handle_ = fd;
  statedSize_ = st.st_size;
  return TResult::Ok();
}

TResult TFileReader::Read(char* into, size_t room, size_t& got) {
  got = 0;
  // One byte past the limit is asked for, so that a file grown beyond it
  // while it was read is caught too.
  const size_t ask = std::min(room, static_cast<size_t>(kMaxReadBytes - bytesRead_) + 1);
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(handle_), into, ask);
    if (n < 0) {
      if (errno == EINTR) continue;
      return TResult::Fail(SystemError("Cannot read", path_, errno));
    }
    if (bytesRead_ + n > kMaxReadBytes) return TooLarge();
    bytesRead_ += n;
    got = static_cast<size_t>(n);
    return TResult::Ok();
  }
}

TAtomicFileWriter::TAtomicFileWriter(const std::string& path, TDurability durability)
    : path_(path), durability_(durability) {
  IgnoreFileSizeSignal();
  if (FolderExists(path)) {
    Fail(EISDIR);
    return;
  }
  if (state_ = ResolveWriteTarget(path, target_); !state_) return;
  // The temporary file gets the permissions the file will have from its
  // first byte on: an existing file's, or the umask's for a new one. A file
  // the user may not write is not replaced behind its back.
  mode_t mode = 0666;
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists) {
    if (::access(target_.c_str(), W_OK) != 0) {
      Fail(errno);
      return;
    }
    mode = st.st_mode & 07777;
  }
  // A left-over temporary file of the same name (a crash mid-write) only
  // means another name is drawn.
  for (int attempt = 0; attempt < 8 && fd_ < 0; ++attempt) {
    temp_ = TempNameBeside(target_);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int err = errno;
    temp_.clear();
    Fail(err);
    return;
  }
  if (!exists) return;
  // A replaced file keeps its owner and group where the user may give them
  // (root: both; a member of the file's group: the group), so a folder
  // shared by a group stays writable for the others. Then the mode: the
  // umask may have taken bits the old file had, and a change of owner clears
  // the set-id bits.
  if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
    if (::fchown(fd_, st.st_uid, st.st_gid) != 0) (void)::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
  }
  if (::fchmod(fd_, mode) != 0) Fail(errno);
}

TAtomicFileWriter::~TAtomicFileWriter() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void TAtomicFileWriter::Fail(int err) {
  if (state_) state_ = TResult::Fail(SystemError("Cannot write", path_, err));
}

bool TAtomicFileWriter::Write(std::string_view bytes) {
  if (!state_) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

TResult TAtomicFileWriter::Stage() {
  if (!state_ || staged_) return state_;
  staged_ = true;
  if (durability_ == TDurability::Durable && ::fsync(fd_) != 0) Fail(errno);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  return state_;
}

TResult TAtomicFileWriter::Commit() {
  if (!Stage()) return state_;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    Fail(errno);
    return state_;
  }
  temp_.clear();
  if (durability_ == TDurability::Durable) SyncFolderOf(target_);
  return state_;
}

void PrefaultMemory(void* data, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  constexpr size_t kWorthIt = 1 << 20;
  if (bytes < kWorthIt) return;
  const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(page - 1);
  // Older kernels answer EINVAL; the pages then come one fault at a time.
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
  (void)data;
  (void)bytes;
#endif
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::string& path) {
  if (FolderExists(path)) return true;
  return ::mkdir(path.c_str(), 0777) == 0;
}

bool RemoveEmptyFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

bool DeleteFileIfExists(const std::string& path) { return ::unlink(path.c_str()) == 0; }

namespace file_io_platform {

intptr_t OpenFolderLock(const std::string& folder, std::string& key) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return kNoHandle;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return kNoHandle;
  }
  key = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
  return fd;
}

TLockTry TryLock(intptr_t handle) {
  for (;;) {
    if (::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0) return TLockTry::Locked;
    if (errno == EINTR) continue;
    return errno == EWOULDBLOCK ? TLockTry::Busy : TLockTry::Unsupported;
  }
}

void CloseFolderLock(intptr_t handle) { ::close(static_cast<int>(handle)); }

long CurrentProcessId() { return static_cast<long>(::getpid()); }

bool ProcessRunning(long pid) {
  if (pid <= 0) return true;
  // EPERM: it runs, as another user.
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

}  // namespace file_io_platform

#endif  // _WIN32
