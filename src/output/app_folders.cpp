#include "output/app_folders.h"

std::string AppFolders::WithSeparator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}
