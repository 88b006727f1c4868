#pragma once
// What file_io_common.cpp needs of each system to build the folder lock and
// the clean-up of leftover temporary files; implemented in file_io.cpp
// (POSIX) and file_io_win.cpp (Windows). Not for use outside the helpers.

#include <cstdint>
#include <string>

namespace file_io_platform {

inline constexpr intptr_t kNoHandle = -1;

// Where a path's folder part ends: after the last of these.
inline bool IsPathSeparator(char c) {
#ifdef _WIN32
  return c == '/' || c == '\\' || c == ':';
#else
  return c == '/';
#endif
}

// Opens what the lock of `folder` is taken on; `key` names the folder the
// same way whatever path led to it. kNoHandle when there is nothing to lock.
intptr_t OpenFolderLock(const std::string& folder, std::string& key);

enum class TLockTry { Locked, Busy, Unsupported };
TLockTry TryLock(intptr_t handle);
// Closing also gives the lock up.
void CloseFolderLock(intptr_t handle);

long CurrentProcessId();
// False only when no process of that id exists any more.
bool ProcessRunning(long pid);

}  // namespace file_io_platform
