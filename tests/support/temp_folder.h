#pragma once
// TTempFolder is the one scratch folder of the core's tests and of the
// benchmarks: a fresh folder under the system's temporary folder, removed
// with everything in it when the object goes. (GUI tests use QTemporaryDir.)
//
// Standard C++ only, so the same code runs in the Windows build of the
// suites, where there is no mkdtemp.

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

class TTempFolder {
 public:
  TTempFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    // create_directory reports an existing folder, so a name another process
    // took first is simply skipped.
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::filesystem::path candidate = base / ("lumeroll-test-" + std::to_string(random() % 100000000));
      std::error_code error;
      if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
    }
    if (path_.empty()) std::abort();
  }
  ~TTempFolder() {
    std::error_code ignored;
    // A test may have taken away the rights to write in it.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder's path ending with a separator, as the program's folders are given.
  std::string Folder() const { return (path_ / "").string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
