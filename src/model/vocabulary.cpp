#include "vocabulary.h"

#include <cctype>
#include <cstdio>
#include <limits>

const std::vector<std::string> kBorderStyles = {
    "none", "dotted", "dashed", "solid", "double", "groove", "ridge", "inset", "window-inset", "outset"};

const std::vector<std::string> kCursors = {
    "auto",      "crosshair", "default",   "hand",       "help",       "move",       "pointer",
    "text",      "wait",      "N-resize",  "NE-resize",  "NW-resize",  "S-resize",   "SE-resize",
    "SW-resize", "E-resize",  "W-resize",  "all-scroll", "col-resize", "no-drop",    "not-allowed",
    "progress",  "row-resize", "url(uri)", "vertical-text"};

const std::vector<std::string> kAlignments = {"left", "center", "right"};

std::string NotAnIntegerMessage(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}

std::optional<int32_t> ParseWholeNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string WeightKeyword(std::string_view flag) { return flag == "1" ? "bold" : "normal"; }
std::string StyleKeyword(std::string_view flag) { return flag == "1" ? "italic" : "normal"; }

std::string AlignKeyword(std::string_view position) {
  if (position == "1") return "center";
  if (position == "2") return "right";
  return "left";
}

namespace {

TConversion ListKeyword(std::string_view position, const std::vector<std::string>& list,
                        const std::string& fallback) {
  const auto n = ParseWholeNumber(position);
  if (!n) return {false, NotAnIntegerMessage(position)};
  if (*n < 0 || *n >= static_cast<int32_t>(list.size())) return {true, fallback};
  return {true, list[*n]};
}

bool IsBlank(unsigned char c) { return c == ' '; }
bool IsBlankOrControl(unsigned char c) { return c <= ' '; }

template <typename Pred>
std::string Trim(std::string_view text, Pred drop) {
  size_t b = 0, e = text.size();
  while (b < e && drop(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && drop(static_cast<unsigned char>(text[e - 1]))) --e;
  return std::string(text.substr(b, e - b));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Characters `from` and `from + 1` (1-based) of the text; a pair past the end
// is empty, one half past the end gives the half that is there.
std::string_view Pair(std::string_view text, size_t from) {
  if (from - 1 >= text.size()) return {};
  return text.substr(from - 1, 2);
}

}  // namespace

TConversion BorderStyleKeyword(std::string_view position) { return ListKeyword(position, kBorderStyles, "solid"); }
TConversion CursorKeyword(std::string_view position) { return ListKeyword(position, kCursors, "default"); }

std::string ColorValue(std::string_view colour) { return "#" + std::string(colour); }
std::string PixelValue(std::string_view number) { return std::string(number) + "px"; }

std::string TrimBlanks(std::string_view text) { return Trim(text, IsBlank); }
std::string TrimBlanksAndControls(std::string_view text) { return Trim(text, IsBlankOrControl); }

bool HasControlCharacter(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
  return false;
}

std::string HideAddressCredentials(std::string_view text) {
  std::string out;
  size_t from = 0;
  for (size_t at = text.find("://"); at != std::string_view::npos; at = text.find("://", at + 3)) {
    // The scheme before "://" must be a scheme's letters.
    size_t scheme = at;
    while (scheme > 0 && (std::isalnum(static_cast<unsigned char>(text[scheme - 1])) || text[scheme - 1] == '+' ||
                          text[scheme - 1] == '-' || text[scheme - 1] == '.'))
      --scheme;
    const size_t start = at + 3;
    if (scheme == at || start < from) continue;
    // The authority ends at the first "/", "?", "#", space or quote; its
    // last "@" ends the credentials.
    size_t end = start;
    while (end < text.size() && std::string_view("/?#\" \t\r\n").find(text[end]) == std::string_view::npos) ++end;
    const size_t atSign = text.substr(start, end - start).rfind('@');
    if (atSign == std::string_view::npos) continue;
    out.append(text.substr(from, start - from));
    out += "***";
    from = start + atSign;
  }
  out.append(text.substr(from));
  return out;
}

std::string EscapeControlCharacters(std::string_view text) {
  if (!HasControlCharacter(text)) return std::string(text);
  std::string out;
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out;
}

std::string LinkAttributes(std::string_view link, std::string_view target) {
  // Delphi-style Trim: blanks and control characters at both ends.
  const std::string l = TrimBlanksAndControls(link);
  const std::string t = TrimBlanksAndControls(target);
  std::string out;
  if (!l.empty()) {
    out += " href=\"" + l + "\"";
    if (!t.empty()) out += " target=\"" + t + "\"";
  }
  return out;
}

std::string ColorToHexText(uint32_t colour) {
  char bgr[16];
  std::snprintf(bgr, sizeof bgr, "%06X", colour & 0xFFFFFFu);
  const std::string s(bgr);
  return s.substr(4, 2) + s.substr(2, 2) + s.substr(0, 2);
}

std::optional<uint32_t> HexTextToColor(std::string_view text, std::string* error) {
  std::string built = "$00";
  built += Pair(text, 5);
  built += Pair(text, 3);
  built += Pair(text, 1);
  uint32_t value = 0;
  for (size_t i = 1; i < built.size(); ++i) {
    const int d = HexDigit(built[i]);
    if (d < 0) {
      if (error) *error = NotAnIntegerMessage(built);
      return std::nullopt;
    }
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return value;
}

std::string FieldAt(std::string_view line, int n, std::string_view separator) {
  std::string_view rest = line;
  std::string_view field;
  for (int i = 0; i < n; ++i) {
    const size_t pos = separator.empty() ? std::string_view::npos : rest.find(separator);
    // Text after the last separator is no field: once no separator is left,
    // this and every further field is empty (the rest only gets shorter, so
    // none can turn up later, and a huge n costs nothing).
    if (pos == std::string_view::npos) return {};
    field = rest.substr(0, pos);
    rest = rest.substr(pos + separator.size());
  }
  return std::string(field);
}

std::vector<std::string> SplitFields(std::string_view line, int count, std::string_view separator) {
  std::vector<std::string> fields;
  fields.reserve(count > 0 ? count : 0);
  ForEachField(line, count, separator, [&fields](int, std::string_view field) { fields.emplace_back(field); });
  return fields;
}
