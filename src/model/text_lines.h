#pragma once
// Line reading of the project and structure files: a line ends at CR (an LF
// right after it belongs to the line end) or at a lone LF, and a byte 0x1A
// ends the file. Writing always ends lines with CR LF.

#include <string>
#include <string_view>

class TLineReader {
 public:
  explicit TLineReader(std::string_view bytes);
  bool AtEnd() const { return pos_ >= end_; }
  // The next line without its line end; empty at the end of the file.
  std::string_view ReadLine();
  // Reads lines until one equals `tag` exactly; false at the end of the file.
  bool SkipTo(std::string_view tag);
  // How many lines have been read; the next line's number is this + 1.
  int LinesRead() const { return linesRead_; }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
  size_t end_ = 0;
  int linesRead_ = 0;
};

// Appends text and CR LF.
void AppendLine(std::string& out, std::string_view text);
