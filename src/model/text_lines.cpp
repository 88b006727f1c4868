#include "text_lines.h"

TLineReader::TLineReader(std::string_view bytes) : bytes_(bytes) {
  const size_t eof = bytes.find('\x1A');
  end_ = eof == std::string_view::npos ? bytes.size() : eof;
}

std::string_view TLineReader::ReadLine() {
  if (AtEnd()) return {};
  size_t i = pos_;
  while (i < end_ && bytes_[i] != '\r' && bytes_[i] != '\n') ++i;
  std::string_view line = bytes_.substr(pos_, i - pos_);
  if (i < end_ && bytes_[i] == '\r') {
    ++i;
    if (i < end_ && bytes_[i] == '\n') ++i;
  } else if (i < end_) {
    ++i;  // a lone LF
  }
  pos_ = i;
  ++linesRead_;
  return line;
}

bool TLineReader::SkipTo(std::string_view tag) {
  while (!AtEnd())
    if (ReadLine() == tag) return true;
  return false;
}

void AppendLine(std::string& out, std::string_view text) {
  out.append(text);
  out.append("\r\n");
}
