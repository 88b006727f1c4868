#pragma once
// Text at the Windows API. The program keeps paths and messages in UTF-8;
// Windows takes and gives UTF-16. The narrow ("ANSI") functions would read a
// UTF-8 path in the system's code page and turn "é" into "Ã©", so every call
// goes through the wide functions with these conversions.

#ifdef _WIN32

#include <string>

// A path for the wide functions. Bytes that are not UTF-8 are read in the
// ANSI code page, which is how such a path reached the program.
// Absolute paths past MAX_PATH come back in the "\\?\" form (made full first),
// which the wide functions take up to 32767 characters.
std::wstring WidePath(const std::string& path);
std::wstring LongPathForm(const std::wstring& path);
std::string Utf8FromWide(const std::wstring& wide);
// Appends one character in the ANSI code page (the program's 8-bit text);
// false, appending nothing, when the code page has no such letter.
bool AppendAnsiLetter(std::string& out, char32_t cp);
// The system's own text for an error code, without the line break it ends with.
std::string WindowsErrorText(unsigned long code);

#endif
