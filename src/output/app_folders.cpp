#include "output/app_folders.h"

std::string AppFolders::WithSeparator(std::string folder) {
#ifdef _WIN32
  // Windows takes either separator; one given with a backslash has its own.
  if (!folder.empty() && folder.back() == '\\') return folder;
#endif
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}
