#include "system_folders.h"

#ifdef _WIN32
#include <windows.h>

#include <random>

#include "win_text.h"
#else
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <unistd.h>
#endif

#include "file_io.h"

#ifdef _WIN32

std::string ExecutableFolder() {
  // A path may be longer than MAX_PATH; grow until it fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return "./";
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    if (buffer.size() >= 32768) return "./";
    buffer.resize(buffer.size() * 2);
  }
  return FolderPart(Utf8FromWide(buffer));
}

std::string CreateTemporaryFolder(const std::string& prefix) {
  wchar_t base[MAX_PATH + 1];
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, base);
  if (n == 0 || n > MAX_PATH) return "";
  const std::string folder = Utf8FromWide(std::wstring(base, n));
  static std::mt19937_64 rng{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::string path = folder + prefix + std::to_string(rng() % 1000000000ull);
    if (::CreateDirectoryW(WidePath(path).c_str(), nullptr)) return path + "\\";
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return "";
  }
  return "";
}

std::filesystem::path FileSystemPath(const std::string& utf8Path) { return std::filesystem::path(WidePath(utf8Path)); }

std::string Utf8Path(const std::filesystem::path& path) { return Utf8FromWide(path.wstring()); }

#else

std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  return FolderPart(std::string(buffer, static_cast<size_t>(n)));
}

std::string CreateTemporaryFolder(const std::string& prefix) {
  // A TMPDIR that names no folder is the user's mistake to hear about, not
  // a reason to write somewhere else.
  std::error_code error;
  const std::string base = std::filesystem::temp_directory_path(error).string();
  if (error || base.empty()) {
    errno = error ? error.value() : ENOENT;
    return "";
  }
  std::string pattern = base + "/" + prefix + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) return "";
  return pattern + "/";
}

std::filesystem::path FileSystemPath(const std::string& utf8Path) { return std::filesystem::path(utf8Path); }

std::string Utf8Path(const std::filesystem::path& path) { return path.string(); }

#endif

void RemoveFolderTree(const std::string& path) {
  if (path.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(FileSystemPath(path), ignored);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(FileSystemPath(a), FileSystemPath(b), error) && !error;
}
