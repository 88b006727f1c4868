#include "text_lines.h"

#include <algorithm>
#include <cstring>

#include "file_io.h"

TLineReader::TLineReader(std::string_view bytes) : data_(bytes.data()), end_(bytes.size()) { EndAtEofByte(0); }

TLineReader::TLineReader(TFileReader& file, size_t pieceBytes) : file_(&file), fileDone_(false) {
  buffer_.resize(std::max<size_t>(pieceBytes, 1));
  data_ = buffer_.data();
}

void TLineReader::EndAtEofByte(size_t from) {
  if (from >= end_) return;
  const void* eof = std::memchr(data_ + from, '\x1A', end_ - from);
  if (eof == nullptr) return;
  end_ = static_cast<size_t>(static_cast<const char*>(eof) - data_);
  fileDone_ = true;
}

bool TLineReader::ReadMore() {
  if (fileDone_) return false;
  // The unread rest moves to the front; a line longer than the buffer
  // doubles it.
  const size_t rest = end_ - pos_;
  std::memmove(buffer_.data(), buffer_.data() + pos_, rest);
  if (rest == buffer_.size()) buffer_.resize(2 * buffer_.size());
  data_ = buffer_.data();
  pos_ = 0;
  end_ = rest;
  size_t got = 0;
  readState_ = file_->Read(buffer_.data() + rest, buffer_.size() - rest, got);
  if (!readState_ || got == 0) {
    fileDone_ = true;
    return false;
  }
  end_ = rest + got;
  EndAtEofByte(rest);
  return true;
}

bool TLineReader::AtEnd() {
  while (pos_ >= end_)
    if (!ReadMore()) return true;
  return false;
}

std::string_view TLineReader::ReadLine() {
  if (AtEnd()) return {};
  for (;;) {
    const char* begin = data_ + pos_;
    const size_t left = end_ - pos_;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', left));
    const char* cr = static_cast<const char*>(std::memchr(begin, '\r', lf != nullptr ? lf - begin : left));
    const char* stop = cr != nullptr ? cr : lf;
    // A line that runs past the piece at hand, or a CR at its very end whose
    // LF may be in the next piece, needs more of the file first.
    if ((stop == nullptr || (cr != nullptr && cr + 1 == data_ + end_)) && ReadMore()) continue;
    const size_t length = stop != nullptr ? static_cast<size_t>(stop - begin) : left;
    std::string_view line(begin, length);
    size_t next = pos_ + length;
    if (cr != nullptr) {
      ++next;
      if (next < end_ && data_[next] == '\n') ++next;
    } else if (lf != nullptr) {
      ++next;  // a lone LF
    }
    pos_ = next;
    ++linesRead_;
    return line;
  }
}

bool TLineReader::SkipTo(std::string_view tag) {
  while (!AtEnd())
    if (ReadLine() == tag) return true;
  return false;
}

size_t TLineReader::BytesAhead() const {
  const long long unread = file_ == nullptr || fileDone_ ? 0 : std::max(0LL, file_->StatedSize() - file_->BytesRead());
  return end_ - pos_ + static_cast<size_t>(unread);
}

size_t TLineReader::LineEndsAhead() const {
  const size_t here = static_cast<size_t>(std::count(data_ + pos_, data_ + end_, '\n'));
  if (end_ == pos_) return here;
  const size_t unread = BytesAhead() - (end_ - pos_);
  return here + static_cast<size_t>(static_cast<double>(here) * static_cast<double>(unread) /
                                    static_cast<double>(end_ - pos_));
}

void AppendLine(std::string& out, std::string_view text) {
  out.append(text);
  out.append("\r\n");
}
