#pragma once
// Text crosses between the core and the GUI here and nowhere else: the core
// holds the system's 8-bit text as bytes, Qt holds QString. Paths are the one
// exception: the core takes them in its own path encoding, which on Windows is
// UTF-8 (the core widens it at the Windows API), so that every file name,
// including those outside the ANSI code page, survives the hand-over.

#include <QString>
#include <string>
#include <string_view>

std::string LocalText(const QString& text);
QString FromLocalText(std::string_view bytes);

// A path for the core: UTF-8 on Windows, the file system's encoding elsewhere.
std::string CorePath(const QString& path);
// A path from the core. On Windows bytes that are not UTF-8 are read in the
// ANSI code page, as the core itself does (older recent-file lists).
QString FromCorePath(std::string_view path);
// A message of the core: it names paths in the core's path encoding, so it is
// read the same way.
inline QString FromCoreMessage(std::string_view message) { return FromCorePath(message); }
