#pragma once
// Small rules of the program's shell that need no window.

#include <string>
#include <vector>

// The project path named on the command line: every argument followed by one
// blank, then blanks trimmed from both ends. An unquoted path with blanks that
// arrived as several arguments is so joined again.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// The text of the application's error box: a full stop is appended when the
// last character sorts after "." in character order ("File not found" gets
// one; a text ending in ".", "!" or ")" does not).
std::string ErrorBoxText(const std::string& message);
