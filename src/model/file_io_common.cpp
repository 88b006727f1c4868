// The parts of file_io.h that are the same on every system, built on each
// system's TFileReader and TAtomicFileWriter.

#include "file_io.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "file_io_platform.h"
#include "system_folders.h"

std::string FolderPart(const std::string& path) {
  size_t i = path.size();
  while (i > 0 && !file_io_platform::IsPathSeparator(path[i - 1])) --i;
  return path.substr(0, i);
}

std::string NamePart(const std::string& path) { return path.substr(FolderPart(path).size()); }

namespace {

using namespace file_io_platform;

// The folder locks this process holds, by the folder's key: flock and
// LockFileEx refuse a second lock of the same process on another handle,
// so a nested lock only counts up here.
struct THeldLock {
  intptr_t handle = kNoHandle;
  int count = 0;
};
std::mutex heldMutex;
std::map<std::string, THeldLock>& HeldLocks() {
  static std::map<std::string, THeldLock> held;
  return held;
}

std::string FolderForMessage(const std::string& folder) {
  if (folder.empty()) return ".";
  std::string shown = folder;
  if (shown.size() > 1 && (shown.back() == '/' || shown.back() == '\\')) shown.pop_back();
  return shown;
}

std::string LockableFolder(const std::string& folder) { return folder.empty() ? "." : folder; }

// "." + name + ".tmp" + pid + "-" + digits; the pid, or -1 for any other name.
long TemporaryFileOwner(const std::string& name) {
  if (name.size() < 2 || name[0] != '.') return -1;
  const size_t tmp = name.rfind(".tmp");
  if (tmp == std::string::npos || tmp == 0) return -1;
  const size_t dash = name.find('-', tmp + 4);
  if (dash == std::string::npos || dash == tmp + 4 || dash + 1 == name.size()) return -1;
  auto digits = [&name](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
      if (name[i] < '0' || name[i] > '9') return false;
    return to - from <= 18;
  };
  if (!digits(tmp + 4, dash) || !digits(dash + 1, name.size())) return -1;
  return std::stol(name.substr(tmp + 4, dash - tmp - 4));
}

}  // namespace

TFolderLock::~TFolderLock() { Release(); }

TResult TFolderLock::Acquire(const std::string& folder, int waitMs) {
  Release();
  std::string key;
  const intptr_t handle = OpenFolderLock(LockableFolder(folder), key);
  if (handle == kNoHandle) return TResult::Ok();
  {
    std::lock_guard<std::mutex> guard(heldMutex);
    auto it = HeldLocks().find(key);
    if (it != HeldLocks().end()) {
      ++it->second.count;
      key_ = key;
      CloseFolderLock(handle);
      return TResult::Ok();
    }
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    switch (TryLock(handle)) {
      case TLockTry::Locked: {
        std::lock_guard<std::mutex> guard(heldMutex);
        HeldLocks()[key] = {handle, 1};
        key_ = key;
        return TResult::Ok();
      }
      case TLockTry::Unsupported:
        CloseFolderLock(handle);
        return TResult::Ok();
      case TLockTry::Busy:
        break;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      CloseFolderLock(handle);
      return TResult::Fail(FolderForMessage(folder) + " is being published by another program");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void TFolderLock::Release() {
  if (key_.empty()) return;
  std::lock_guard<std::mutex> guard(heldMutex);
  auto it = HeldLocks().find(key_);
  if (it != HeldLocks().end() && --it->second.count == 0) {
    CloseFolderLock(it->second.handle);
    HeldLocks().erase(it);
  }
  key_.clear();
}

bool FolderLockedElsewhere(const std::string& folder) {
  std::string key;
  const intptr_t handle = OpenFolderLock(LockableFolder(folder), key);
  if (handle == kNoHandle) return false;
  const bool busy = TryLock(handle) == TLockTry::Busy;
  CloseFolderLock(handle);
  return busy;
}

int RemoveLeftoverTemporaryFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  const std::string base = folder.empty() ? std::string() : folder;
  std::vector<std::string> gone;
  std::error_code error;
  for (fs::directory_iterator it(FileSystemPath(LockableFolder(folder)), error), end; !error && it != end;
       it.increment(error)) {
    const std::u8string wide = it->path().filename().u8string();
    const std::string name(wide.begin(), wide.end());
    const long pid = TemporaryFileOwner(name);
    if (pid <= 0 || pid == CurrentProcessId() || ProcessRunning(pid)) continue;
    gone.push_back(name);
  }
  int removed = 0;
  for (const std::string& name : gone)
    if (FileExists(base + name) && DeleteFileIfExists(base + name)) ++removed;
  return removed;
}

TResult TFileReader::TooLarge() const {
  return TResult::Fail("Cannot open \"" + path_ + "\": the file is larger than 256 MB");
}

TResult ReadFileBytes(const std::string& path, std::string& out) {
  TFileReader file;
  if (TResult r = file.Open(path); !r) return r;
  // Read straight into the string, with room for the stated size and a
  // little more: the read that finds the end then needs no growth, which
  // would copy everything read so far.
  std::string data;
  data.reserve(static_cast<size_t>(file.StatedSize()) + 4096);
  PrefaultMemory(data.data(), data.capacity());
  data.resize(data.capacity());
  size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(2 * data.size());
    size_t got = 0;
    if (TResult r = file.Read(data.data() + used, data.size() - used, got); !r) return r;
    if (got == 0) break;
    used += got;
  }
  data.resize(used);
  out = std::move(data);
  return TResult::Ok();
}

TResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
  TAtomicFileWriter writer(path);
  writer.Write(bytes);
  return writer.Commit();
}

TResult CopyFileReplacing(const std::string& from, const std::string& to) {
  std::string bytes;
  if (TResult r = ReadFileBytes(from, bytes); !r) return r;
  return WriteFileAtomically(to, bytes);
}
