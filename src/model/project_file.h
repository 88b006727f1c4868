#pragma once
// The project file (.jslr): its bytes from a project, and a project from its
// bytes. The agent's SaveProject / LoadProject put these on disk.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "applet_data.h"
#include "progress.h"
#include "result.h"
#include "text_lines.h"

inline constexpr const char* kProductName = "JavaScript Lumeroll";
inline constexpr const char* kWrongProductMessage = "This file wasn't saved by JavaScript Lumeroll 1.0, open failed!";
inline constexpr const char* kIncompleteProjectMessage =
    "This file is not a complete JavaScript Lumeroll project, open failed!";

std::string WriteProjectText(const TAppletData& applet, const TItemArray& items, Progress& progress);
// The same bytes handed to `sink` a piece at a time (pieces of about 1 MB),
// so a large project is saved without being held as one string.
void WriteProjectPieces(const TAppletData& applet, const TItemArray& items, Progress& progress,
                        const std::function<void(std::string_view)>& sink);
// The same with each entry's ILevel taken from `levels` (the tree's levels,
// see tree_math::TLevelTexts); entries past its end keep their own.
void WriteProjectPieces(const TAppletData& applet, const TItemArray& items, const std::vector<int>& levels,
                        Progress& progress, const std::function<void(std::string_view)>& sink);

struct TLoadedProject {
  TAppletData applet;
  TItemArray items;
  std::string fileVersion;
  std::vector<int> parents;  // parent entry of each entry, -1 for the root
};

// All or nothing: `out` is written only on success.
TResult ReadProjectText(std::string_view bytes, TLoadedProject& out, Progress& progress);
// The same, read from a file a piece of `pieceBytes` at a time.
TResult ReadProjectFile(const std::string& path, TLoadedProject& out, Progress& progress,
                        size_t pieceBytes = TLineReader::kPieceBytes);
