#pragma once
// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.

#include <cstdlib>
#include <filesystem>
#include <string>

class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumeroll-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern + "/";
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  // Ends with a separator.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
