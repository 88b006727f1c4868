#pragma once
// The one place that touches the file system's primitives. Every file the
// program writes goes through WriteFileAtomically: a temporary file in the
// target folder, flushed to disk, renamed over the target. A failure leaves
// the old file as it was and reports the system's error text.

#include <string>

#include "result.h"

TResult ReadFileBytes(const std::string& path, std::string& out);
TResult WriteFileAtomically(const std::string& path, const std::string& bytes);
// Copies a file's bytes over `to` with the same guarantee.
TResult CopyFileReplacing(const std::string& from, const std::string& to);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// One level; true when the folder exists afterwards.
bool CreateFolder(const std::string& path);
// Removes an empty folder; false when it holds files or does not exist.
bool RemoveEmptyFolder(const std::string& path);
bool DeleteFileIfExists(const std::string& path);
