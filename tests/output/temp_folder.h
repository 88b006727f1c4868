#pragma once
// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/system_folders.h"

class TTempFolder {
 public:
  TTempFolder() : path_(CreateTemporaryFolder("lumeroll-test-")) {
    if (path_.empty()) std::abort();
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(FileSystemPath(path_), std::filesystem::perms::owner_all, ignored);
    RemoveFolderTree(path_);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  // Ends with a separator.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
