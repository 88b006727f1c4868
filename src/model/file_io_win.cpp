// The file helpers on Windows: the same promises as on POSIX (a temporary
// file beside the target, flushed, then moved over it; the old file intact
// on any failure; the system's error text in the message), through the wide
// functions so that names outside ASCII survive.
#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <random>
#include <string_view>

#include "file_io.h"
#include "file_io_platform.h"
#include "win_text.h"

namespace {

std::string Failure(const std::string& what, const std::string& path, DWORD code) {
  return what + " \"" + path + "\": " + WindowsErrorText(code);
}

// The same words as on POSIX: callers and users see one message for a folder
// given where a file belongs, whatever the system calls it.
std::string FolderFailure(const std::string& what, const std::string& path) {
  return what + " \"" + path + "\": Is a directory";
}

std::string TempNameBeside(const std::string& path) {
  static std::mt19937_64 rng{std::random_device{}()};
  return FolderPart(path) + "." + NamePart(path) + ".tmp" + std::to_string(::GetCurrentProcessId()) + "-" +
         std::to_string(rng() % 1000000000ull);
}

DWORD Attributes(const std::string& path) { return ::GetFileAttributesW(WidePath(path).c_str()); }

class THandle {
 public:
  explicit THandle(HANDLE h) : h_(h) {}
  ~THandle() {
    if (Valid()) ::CloseHandle(h_);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  HANDLE Release() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

}  // namespace

std::wstring WidePath(const std::string& path) {
  if (path.empty()) return std::wstring();
  const int size = static_cast<int>(path.size());
  UINT codePage = CP_UTF8;
  int n = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (n <= 0) {
    codePage = CP_ACP;
    n = ::MultiByteToWideChar(codePage, 0, path.data(), size, nullptr, 0);
  }
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(codePage, codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0, path.data(), size,
                                   wide.data(), n);
  return LongPathForm(wide);
}

std::wstring LongPathForm(const std::wstring& path) {
  // Below this length every function takes the plain form (CreateDirectoryW
  // stops 12 characters short of MAX_PATH, room for an 8.3 name).
  constexpr size_t kPlainLimit = MAX_PATH - 12;
  if (path.size() < kPlainLimit || path.rfind(L"\\\\?\\", 0) == 0) return path;
  const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  const bool unc = (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/');
  if (!drive && !unc) return path;  // relative: the system resolves it, within its limit
  // The prefixed form is taken literally: no "/" and no "." or ".." steps,
  // so the path is made full first.
  const DWORD need = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (need == 0) return path;
  std::wstring full(need, L'\0');
  const DWORD got = ::GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
  if (got == 0 || got >= need) return path;
  full.resize(got);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::string Utf8FromWide(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
  return text;
}

bool AppendAnsiLetter(std::string& out, char32_t cp) {
  wchar_t wide[2];
  int units = 1;
  if (cp >= 0x10000) {
    wide[0] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
    wide[1] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    units = 2;
  } else {
    wide[0] = static_cast<wchar_t>(cp);
  }
  // No best fit: "Ł" must not come back as a plain "L".
  char bytes[8];
  BOOL usedDefault = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, bytes, sizeof bytes, nullptr,
                                      &usedDefault);
  if (n <= 0 || usedDefault) return false;
  out.append(bytes, static_cast<size_t>(n));
  return true;
}

std::string WindowsErrorText(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = n > 0 && buffer != nullptr ? std::wstring(buffer, n) : std::wstring();
  if (buffer != nullptr) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) return "system error " + std::to_string(code);
  return Utf8FromWide(text);
}

namespace {

HANDLE ReaderHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

TFileReader::~TFileReader() {
  if (ReaderHandle(handle_) != INVALID_HANDLE_VALUE) ::CloseHandle(ReaderHandle(handle_));
}

TResult TFileReader::Open(const std::string& path) {
  path_ = path;
  const DWORD attributes = Attributes(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return TResult::Fail(FolderFailure("Cannot open", path));
  THandle file(::CreateFileW(WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return TResult::Fail(Failure("Cannot open", path, ::GetLastError()));
  // A device or a pipe (CON, a named pipe) could block or feed bytes forever.
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK)
    return TResult::Fail("Cannot open \"" + path + "\": not a regular file");
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.Get(), &size)) {
    if (size.QuadPart > kMaxReadBytes) return TooLarge();
    statedSize_ = size.QuadPart;
  }
  handle_ = reinterpret_cast<intptr_t>(file.Release());
  return TResult::Ok();
}

TResult TFileReader::Read(char* into, size_t room, size_t& got) {
  got = 0;
  // One byte past the limit is asked for, so that a file grown beyond it
  // while it was read is caught too.
  const size_t ask = std::min<size_t>({room, static_cast<size_t>(kMaxReadBytes - bytesRead_) + 1, 1u << 30});
  DWORD n = 0;
  if (!::ReadFile(ReaderHandle(handle_), into, static_cast<DWORD>(ask), &n, nullptr))
    return TResult::Fail(Failure("Cannot read", path_, ::GetLastError()));
  if (bytesRead_ + n > kMaxReadBytes) return TooLarge();
  bytesRead_ += n;
  got = n;
  return TResult::Ok();
}

// The handle is kept as a C runtime descriptor (_open_osfhandle), which the
// writer's int member holds on every system.
TAtomicFileWriter::TAtomicFileWriter(const std::string& path, TDurability durability)
    : path_(path), target_(path), durability_(durability) {
  const DWORD attributes = Attributes(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    state_ = TResult::Fail(FolderFailure("Cannot write", path));
    return;
  }
  // A write-protected file is not replaced behind its owner's back. Windows
  // refuses the move onto it anyway; asking first also holds where the
  // attribute is only emulated (Wine) and writes nothing in vain.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    Fail(ERROR_ACCESS_DENIED);
    return;
  }
  // A left-over temporary file of the same name (a crash mid-write) only
  // means another name is drawn.
  HANDLE file = INVALID_HANDLE_VALUE;
  DWORD error = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 8 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp_ = TempNameBeside(target_);
    file = ::CreateFileW(WidePath(temp_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      error = ::GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
  }
  if (file == INVALID_HANDLE_VALUE) {
    temp_.clear();
    Fail(static_cast<int>(error));
    return;
  }
  fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY);
  if (fd_ < 0) {
    ::CloseHandle(file);
    Fail(ERROR_TOO_MANY_OPEN_FILES);
  }
}

TAtomicFileWriter::~TAtomicFileWriter() {
  if (fd_ >= 0) ::_close(fd_);
  if (!temp_.empty()) ::DeleteFileW(WidePath(temp_).c_str());
}

void TAtomicFileWriter::Fail(int err) {
  if (state_) state_ = TResult::Fail(Failure("Cannot write", path_, static_cast<DWORD>(err)));
}

bool TAtomicFileWriter::Write(std::string_view bytes) {
  if (!state_) return false;
  const HANDLE file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
  while (!bytes.empty()) {
    DWORD n = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(file, bytes.data(), chunk, &n, nullptr)) {
      Fail(static_cast<int>(::GetLastError()));
      return false;
    }
    bytes.remove_prefix(n);
  }
  return true;
}

TResult TAtomicFileWriter::Stage() {
  if (!state_ || staged_) return state_;
  staged_ = true;
  if (durability_ == TDurability::Durable && !::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(fd_))))
    Fail(static_cast<int>(::GetLastError()));
  const int fd = fd_;
  fd_ = -1;
  if (::_close(fd) != 0) Fail(ERROR_WRITE_FAULT);
  return state_;
}

TResult TAtomicFileWriter::Commit() {
  if (!Stage()) return state_;
  if (!::MoveFileExW(WidePath(temp_).c_str(), WidePath(target_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    Fail(static_cast<int>(::GetLastError()));
    return state_;
  }
  temp_.clear();  // moved: nothing left to remove
  return state_;
}

// Windows gives fresh pages cheaply enough; nothing to ask for ahead.
void PrefaultMemory(void*, size_t) {}

bool FileExists(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderExists(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolder(const std::string& path) {
  if (FolderExists(path)) return true;
  return ::CreateDirectoryW(WidePath(path).c_str(), nullptr) != 0;
}

bool RemoveEmptyFolder(const std::string& path) { return ::RemoveDirectoryW(WidePath(path).c_str()) != 0; }

bool DeleteFileIfExists(const std::string& path) { return ::DeleteFileW(WidePath(path).c_str()) != 0; }

namespace file_io_platform {

// LockFileEx needs a file: a hidden one in the folder, left there (removing
// it would race with the next program that opens it).
intptr_t OpenFolderLock(const std::string& folder, std::string& key) {
  std::string name = folder;
  if (!name.empty() && !IsPathSeparator(name.back())) name += "\\";
  name += kFolderLockFileName;
  const HANDLE file = ::CreateFileW(WidePath(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kNoHandle;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) {
    ::CloseHandle(file);
    return kNoHandle;
  }
  key = std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
        std::to_string(info.nFileIndexLow);
  return reinterpret_cast<intptr_t>(file);
}

TLockTry TryLock(intptr_t handle) {
  OVERLAPPED at{};
  if (::LockFileEx(reinterpret_cast<HANDLE>(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &at))
    return TLockTry::Locked;
  return ::GetLastError() == ERROR_LOCK_VIOLATION ? TLockTry::Busy : TLockTry::Unsupported;
}

void CloseFolderLock(intptr_t handle) { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }

long CurrentProcessId() { return static_cast<long>(::GetCurrentProcessId()); }

bool ProcessRunning(long pid) {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (process == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

}  // namespace file_io_platform

#endif  // _WIN32
