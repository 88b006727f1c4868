#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

namespace {

std::string SystemError(const std::string& what, const std::string& path, int err) {
  return what + " \"" + path + "\": " + std::strerror(err);
}

std::string TempNameBeside(const std::string& path) {
  static std::mt19937_64 rng{std::random_device{}()};
  const std::filesystem::path target(path);
  std::filesystem::path temp = target;
  temp.replace_filename("." + target.filename().string() + ".tmp" + std::to_string(rng() % 1000000000ull));
  return temp.string();
}

std::string LinkTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return path;
  std::string target(resolved);
  std::free(resolved);
  return target;
}

}  // namespace

TResult ReadFileBytes(const std::string& path, std::string& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return TResult::Fail(SystemError("Cannot open", path, errno));
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    return TResult::Fail(SystemError("Cannot open", path, EISDIR));
  }
  std::string data;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      return TResult::Fail(SystemError("Cannot read", path, err));
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  out = std::move(data);
  return TResult::Ok();
}

TResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
  if (FolderExists(path)) return TResult::Fail(SystemError("Cannot write", path, EISDIR));
  // A symbolic link stays a link: the file it points to is the one replaced.
  const std::string target = LinkTarget(path);
  // A left-over temporary file of the same name (a crash mid-write) only
  // means another name is drawn.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temp = TempNameBeside(target);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return TResult::Fail(SystemError("Cannot write", path, errno));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      return TResult::Fail(SystemError("Cannot write", path, err));
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return TResult::Fail(SystemError("Cannot write", path, err));
  }
  // Keep the permissions an existing file had; a new one gets the umask's.
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) ::chmod(temp.c_str(), st.st_mode & 07777);
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return TResult::Fail(SystemError("Cannot write", path, err));
  }
  return TResult::Ok();
}

TResult CopyFileReplacing(const std::string& from, const std::string& to) {
  std::string bytes;
  if (TResult r = ReadFileBytes(from, bytes); !r) return r;
  return WriteFileAtomically(to, bytes);
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

