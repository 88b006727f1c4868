#include "feed/feed_encoding.h"

#include <cctype>
#include <cstdint>

namespace {

uint8_t At(std::string_view s, size_t i) { return i < s.size() ? static_cast<uint8_t>(s[i]) : 0xFF; }

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// One code unit at `i` in the encoding's width and order.
uint32_t Unit(std::string_view s, size_t i, const TFeedEncoding& e) {
  uint32_t value = 0;
  for (int k = 0; k < e.unitSize; ++k) {
    const uint32_t b = static_cast<uint8_t>(s[i + static_cast<size_t>(k)]);
    value |= e.bigEndian ? b << (8 * (e.unitSize - 1 - k)) : b << (8 * k);
  }
  return value;
}

bool IsBlank(uint32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

TFeedEncoding DetectEncoding(std::string_view b) {
  TFeedEncoding e;
  const auto set = [&](const char* name, int unit, bool big, size_t mark) {
    e.name = name;
    e.unitSize = unit;
    e.bigEndian = big;
    e.markLength = mark;
    return e;
  };
  if (StartsWith(b, "\xEF\xBB\xBF")) {
    e.markLength = 3;
    e.name = "UTF-8";
    return e;
  }
  if (StartsWith(b, std::string_view("\x00\x00\xFE\xFF", 4))) return set("UTF-32BE", 4, true, 4);
  if (StartsWith(b, std::string_view("\xFF\xFE\x00\x00", 4))) return set("UTF-32LE", 4, false, 4);
  if (StartsWith(b, "\xFE\xFF")) return set("UTF-16BE", 2, true, 2);
  if (StartsWith(b, "\xFF\xFE")) return set("UTF-16LE", 2, false, 2);
  if (b.size() >= 4) {
    const bool z0 = At(b, 0) == 0, z1 = At(b, 1) == 0, z2 = At(b, 2) == 0, z3 = At(b, 3) == 0;
    if (z0 && z1 && z2 && !z3) return set("UTF-32BE", 4, true, 0);
    if (!z0 && z1 && z2 && z3) return set("UTF-32LE", 4, false, 0);
    if (z0 && !z1 && z2 && !z3) return set("UTF-16BE", 2, true, 0);
    if (!z0 && z1 && !z2 && z3) return set("UTF-16LE", 2, false, 0);
  }
  if (b.size() >= 2) {
    // A two-byte document ("{}" in UTF-16) or a single character.
    if (At(b, 0) == 0 && At(b, 1) != 0) return set("UTF-16BE", 2, true, 0);
    if (At(b, 0) != 0 && At(b, 1) == 0) return set("UTF-16LE", 2, false, 0);
  }
  if (StartsWith(b, "\x4C\x6F\xA7\x94")) e.ebcdic = true;
  return e;
}

char FirstCharacter(std::string_view b, const TFeedEncoding& e, size_t& offset) {
  if (e.ebcdic) {
    offset = 0;
    return '<';
  }
  const size_t unit = static_cast<size_t>(e.unitSize);
  size_t i = e.markLength;
  while (i + unit <= b.size() && IsBlank(Unit(b, i, e))) i += unit;
  offset = i;
  if (i + unit > b.size()) return '\0';
  const uint32_t c = Unit(b, i, e);
  return c > 0 && c < 0x80 ? static_cast<char>(c) : '\x7F';
}

std::string CharsetOf(std::string_view type) {
  size_t at = 0;
  while ((at = type.find(';', at)) != std::string_view::npos) {
    ++at;
    while (at < type.size() && (type[at] == ' ' || type[at] == '\t')) ++at;
    const size_t equals = type.find('=', at);
    if (equals == std::string_view::npos) break;
    std::string name(type.substr(at, equals - at));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.pop_back();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t v = equals + 1;
    while (v < type.size() && (type[v] == ' ' || type[v] == '\t')) ++v;
    std::string value;
    if (v < type.size() && type[v] == '"') {
      for (++v; v < type.size() && type[v] != '"'; ++v) {
        if (type[v] == '\\' && v + 1 < type.size()) ++v;
        value += type[v];
      }
    } else {
      while (v < type.size() && type[v] != ';' && type[v] != ' ' && type[v] != '\t') value += type[v++];
    }
    if (name == "charset") return value;
    at = v;
  }
  return std::string();
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool WideToUtf8(std::string_view b, const TFeedEncoding& e, std::string& out) {
  const size_t unit = static_cast<size_t>(e.unitSize);
  if (b.size() % unit != 0) return false;
  out.clear();
  out.reserve(b.size() / unit * 2);
  for (size_t i = 0; i < b.size(); i += unit) {
    uint32_t cp = Unit(b, i, e);
    if (unit == 2 && cp >= 0xD800 && cp <= 0xDBFF) {
      if (i + 2 * unit > b.size()) return false;
      const uint32_t low = Unit(b, i + unit, e);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += unit;
    } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
      return false;
    }
    AppendUtf8(out, cp);
  }
  return true;
}
