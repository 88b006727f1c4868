#pragma once
// The system's words for a file or a folder that is not there, as the file
// helpers put them into their messages.

#include <string>

#ifdef _WIN32
#include <windows.h>

#include "model/win_text.h"

inline std::string MissingFileText() { return WindowsErrorText(ERROR_FILE_NOT_FOUND); }
inline std::string MissingFolderText() { return WindowsErrorText(ERROR_PATH_NOT_FOUND); }
#else
inline std::string MissingFileText() { return "No such file or directory"; }
inline std::string MissingFolderText() { return "No such file or directory"; }
#endif
