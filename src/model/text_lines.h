#pragma once
// Line reading of the project and structure files: a line ends at CR (an LF
// right after it belongs to the line end) or at a lone LF, and a byte 0x1A
// ends the file. Writing always ends lines with CR LF.

#include <cstddef>
#include <string>
#include <string_view>

#include "result.h"

class TFileReader;

class TLineReader {
 public:
  // Lines of text held in memory.
  explicit TLineReader(std::string_view bytes);
  // Lines of an open file, read a piece at a time: only the piece at hand
  // (and a line longer than it) is held, never the whole file.
  static constexpr size_t kPieceBytes = 1 << 20;
  explicit TLineReader(TFileReader& file, size_t pieceBytes = kPieceBytes);
  // May read the next piece of a file to find out.
  bool AtEnd();
  // The next line without its line end; empty at the end of the file. It
  // stays valid until the next call.
  std::string_view ReadLine();
  // Reads lines until one equals `tag` exactly; false at the end of the file.
  bool SkipTo(std::string_view tag);
  // How many lines have been read; the next line's number is this + 1.
  int LinesRead() const { return linesRead_; }
  // How many line ends lie ahead: counted for text in memory, estimated from
  // the piece at hand for a file.
  size_t LineEndsAhead() const;
  // How many bytes lie ahead, as far as the file's stated size tells.
  size_t BytesAhead() const;
  // A failed read of the file ends the lines early; this tells it apart from
  // a file that really ends there.
  const TResult& ReadState() const { return readState_; }

 private:
  // Takes in the next piece of the file, keeping the unread rest; false when
  // nothing more came.
  bool ReadMore();
  void EndAtEofByte(size_t from);

  TFileReader* file_ = nullptr;
  std::string buffer_;
  const char* data_ = nullptr;
  size_t pos_ = 0;
  size_t end_ = 0;
  bool fileDone_ = true;
  int linesRead_ = 0;
  TResult readState_;
};

// Appends text and CR LF.
void AppendLine(std::string& out, std::string_view text);
