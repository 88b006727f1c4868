#include "editor/pages/content_text.h"

#include <cctype>

namespace {

constexpr std::string_view kBreak = "<br />";

bool BreakAt(std::string_view text, size_t pos) {
  if (text.size() - pos < kBreak.size()) return false;
  for (size_t i = 0; i < kBreak.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[pos + i])) != kBreak[i]) return false;
  }
  return true;
}

}  // namespace

std::string JoinContentLines(std::string_view text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    out.append(text.substr(start, end - start));
    out.append(kBreak);
    if (end < text.size()) {
      const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
      end += crlf ? 2 : 1;
    }
    start = end;
  }
  return out;
}

std::string ContentToText(std::string_view content) {
  std::string out;
  out.reserve(content.size());
  size_t i = 0;
  while (i < content.size()) {
    if (BreakAt(content, i)) {
      out += '\n';
      i += kBreak.size();
    } else {
      out += content[i++];
    }
  }
  return out;
}
