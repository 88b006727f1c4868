#pragma once
// TTempFolder is the one scratch folder of the core's tests and of the
// benchmarks: a fresh folder under the system's temporary folder, removed
// with everything in it when the object goes. (GUI tests use QTemporaryDir.)
//
// The program's own paths are UTF-8 strings; on Windows a narrow
// std::filesystem path would be read in the ANSI code page, so the strings
// handed out here go through the core's path bridge.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "model/system_folders.h"

class TTempFolder {
 public:
  TTempFolder() : folder_(CreateTemporaryFolder("lumeroll-test-")) {
    if (folder_.empty()) std::abort();
    std::string bare = folder_;
    bare.pop_back();
    path_ = FileSystemPath(bare);
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
  const std::string& Folder() const { return folder_; }
  std::string File(const std::string& name) const { return folder_ + name; }

 private:
  std::string folder_;
  std::filesystem::path path_;
};
