#pragma once
// The folders the system gives the program: its own executable's folder and
// private temporary folders, plus the bridge from the program's UTF-8 paths
// to std::filesystem (whose narrow strings are the ANSI code page on Windows).

#include <filesystem>
#include <string>

// The folder of the running executable with its separator; "./" when the
// system does not say.
std::string ExecutableFolder();

// A new, empty folder under the system's temporary folder whose name starts
// with prefix; its path with a separator, or "" when none can be made.
std::string CreateTemporaryFolder(const std::string& prefix);

// Removes a folder with everything in it; quiet when it is gone already.
void RemoveFolderTree(const std::string& path);

std::filesystem::path FileSystemPath(const std::string& utf8Path);
std::string Utf8Path(const std::filesystem::path& path);

// True when both paths name one existing file (through links too); writing
// one would then replace the other.
bool SameFile(const std::string& a, const std::string& b);
