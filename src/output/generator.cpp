#include "output/generator.h"

#include <algorithm>

#include "model/applet_agent.h"
#include "model/text_lines.h"
#include "model/vocabulary.h"
#include "output/link_paths.h"
#include "output/product_info.h"

namespace {

void AppendEscapedBytes(std::string& out, std::string_view text, bool singleQuoted) {
  size_t done = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* escape = nullptr;
    switch (text[i]) {
      case '\\': escape = "\\\\"; break;
      case '\'': escape = singleQuoted ? "\\'" : nullptr; break;
      case '"': escape = singleQuoted ? nullptr : "\\\""; break;
      case '\r': escape = singleQuoted ? "\\r" : nullptr; break;
      case '\n': escape = singleQuoted ? "\\n" : nullptr; break;
      default: break;
    }
    if (escape == nullptr) continue;
    // Plain runs go over in one piece.
    out.append(text.substr(done, i - done));
    out += escape;
    done = i + 1;
  }
  out.append(text.substr(done));
}

std::string EscapeBytes(const std::string& text, bool singleQuoted) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  AppendEscapedBytes(out, text, singleQuoted);
  return out;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Windows-1252's letters for the bytes 0x80 to 0x9F; the five it leaves
// undefined stay the control characters of the same number.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code points of well-formed UTF-8 (no overlong forms, no surrogates,
// nothing past U+10FFFF), or false.
bool DecodeUtf8(const std::string& text, std::u32string& out) {
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    int length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    char32_t cp = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out += cp;
    i += length;
  }
  return true;
}

void AppendUnitEscape(std::string& out, unsigned unit) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// A held value as UTF-8: kept when it is well-formed UTF-8 already, read as
// Windows-1252 (what Windows editors wrote) otherwise. Each value is read on
// its own, so a caption in UTF-8 and a font name in Windows-1252 both come
// out right.
bool IsAscii(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string Utf8Text(const std::string& text) {
  std::u32string points;
  if (IsAscii(text) || DecodeUtf8(text, points)) return text;
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (const char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    AppendUtf8(out, b >= 0x80 && b <= 0x9F ? char32_t{kWindows1252High[b - 0x80]} : char32_t{b});
  }
  return out;
}

// A line of the configuration script in ASCII alone: every other character
// of the (UTF-8) text becomes a script escape, so the page's character set
// no longer matters. ASCII text comes back unchanged.
std::string AsciiScript(const std::string& utf8) {
  if (IsAscii(utf8)) return utf8;
  std::u32string points;
  DecodeUtf8(Utf8Text(utf8), points);
  std::string out;
  out.reserve(utf8.size() + 16);
  for (const char32_t cp : points) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x10000) {
      AppendUnitEscape(out, cp);
    } else {
      AppendUnitEscape(out, 0xD800 + ((cp - 0x10000) >> 10));
      AppendUnitEscape(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  return out;
}

std::string PageText(const std::string& runtimeScript) {
  std::string page;
  for (const std::string& line :
       {std::string("<html>"), std::string("<head>"), std::string("<title>Preview</title>"), std::string("</head>"),
        std::string("<body>"), std::string(), std::string("<!-- JavaScript Lumeroll 1.0 -->"),
        std::string("<!-- ") + kCopyrightNotice + " -->", std::string("<!-- ") + kHomePageAddress + " -->",
        std::string("<!-- NOTE: Please insert these codes into <body> section of web pages. -->"),
        "<script language=\"javascript\" src=\"" + runtimeScript + "\"></script>",
        std::string("<script language=\"javascript\" src=\"") + kConfigScriptName + "\"></script>",
        std::string("<!-- END -->"), std::string(), std::string("</body>"), std::string("</html>")})
    AppendLine(page, line);
  return page;
}

}  // namespace

std::string EscapeSingleQuoted(const std::string& text) { return EscapeBytes(text, true); }
std::string EscapeDoubleQuoted(const std::string& text) { return EscapeBytes(text, false); }

namespace {

// Text inside the item line's single-quoted string, held values already
// turned into UTF-8.
std::string ScriptString(const std::string& text) { return AsciiScript(EscapeSingleQuoted(text)); }

// ScriptString(Utf8Text(text)) appended to `out`. ASCII text, nearly all of
// a large project, is escaped straight into `out` with no string between.
void AppendScriptString(std::string& out, const std::string& text) {
  if (!IsAscii(text)) {
    out += ScriptString(Utf8Text(text));
    return;
  }
  AppendEscapedBytes(out, text, true);
}

// The parts of an item line that depend on the box settings alone, built
// and escaped once per generation.
struct TItemTemplate {
  explicit TItemTemplate(const TAppletData& a)
      : head("jslumeroll1.awkmaNBSPm('" +
             ScriptString("<p align=\"" + AlignKeyword(a.pTitleAlign) + "\" style=\"padding:" +
                                PixelValue(a.pTitlePadding) + ";\"><a style=\"font-family:" + Utf8Text(a.pTitleFontFamily) +
                                ";font-size:" + PixelValue(a.pTitleSize) + ";font-weight:" +
                                WeightKeyword(a.pTitleBold) + ";font-style:" + StyleKeyword(a.pTitleItalic) +
                                ";color:" + ColorValue(a.pTitleColor) + ";\"")),
        middle(ScriptString("</a></p><p align=\"" + AlignKeyword(a.pContentAlign) +
                                  "\" style=\"font-family:" + Utf8Text(a.pContentFontFamily) + ";font-size:" +
                                  PixelValue(a.pContentSize) + ";font-weight:" + WeightKeyword(a.pContentBold) +
                                  ";font-style:" + StyleKeyword(a.pContentItalic) + ";padding:" +
                                  PixelValue(a.pContentPadding) + ";color:" + ColorValue(a.pContentColor) + ";\">")),
        applet(a) {}

  void Append(std::string& out, const TItemData& item) const {
    out += head;
    AppendScriptString(out, LinkAttributes(Utf8Text(PublishedLink(item.ILink, applet)), Utf8Text(item.ITarget)));
    out += '>';
    AppendScriptString(out, item.ICaption);
    out += middle;
    AppendScriptString(out, item.IContent);
    out += "</p>');";
  }

  std::string head;
  std::string middle;
  const TAppletData& applet;
};

}  // namespace

std::string ItemLine(const TAppletData& a, const TItemData& item) {
  std::string line;
  TItemTemplate(a).Append(line, item);
  return line;
}

TConversion BoxLine(const TAppletData& a) {
  // The numbers go into the line bare, so anything but a whole number would
  // run as script in the user's page. Checked in the line's order; the first
  // that fails is reported.
  auto number = [](const std::string& value) {
    const bool whole = !value.empty() && value[0] != ' ' && ParseWholeNumber(value);
    return whole ? TConversion{true, value} : TConversion{false, NotAnIntegerMessage(value)};
  };
  const TConversion parts[] = {number(a.pDelay),
                               number(a.pWidth),
                               number(a.pHeight),
                               number(a.pBorderWidth),
                               BorderStyleKeyword(a.pBorderStyle),
                               {true, Quoted(EscapeDoubleQuoted(ColorValue(Utf8Text(a.pBorderColor))))},
                               number(a.pPadding),
                               {true, Quoted(EscapeDoubleQuoted(ColorValue(Utf8Text(a.pBackgroundColor))))},
                               number(a.pZIndex),
                               CursorKeyword(a.pCursor)};
  std::string line = "jslumeroll1.awkmbnbspm(";
  for (size_t i = 0; i < std::size(parts); ++i) {
    if (!parts[i].ok) return parts[i];
    if (i) line += ',';
    // The keywords come from the lists and need only their quotes.
    line += i == 4 || i == 9 ? Quoted(parts[i].text) : parts[i].text;
  }
  return {true, AsciiScript(line + ");")};
}

bool InBoxLineOnly(int field) {
  return field >= 0 && field < TAppletData::FieldCount && kAppletFields[static_cast<size_t>(field)].boxLine;
}

void AppendItemLines(const TAppletData& a, const TItemArray& items, size_t first, size_t count, std::string& out) {
  const TItemTemplate itemTemplate(a);
  const size_t end = std::min(items.size(), first + count);
  for (size_t k = first; k < end; ++k) {
    itemTemplate.Append(out, items[k]);
    out += "\r\n";
  }
}

TGeneratedCode GenerateCode(const TAppletData& a, const TItemArray& items, const TStringArray& scriptFiles) {
  TGeneratedCode out;
  AppendLine(out.script, "jslumeroll1=new awkmanbSPM();");
  const TItemTemplate itemTemplate(a);
  size_t estimate = 0;
  for (const TItemData& item : items)
    estimate += itemTemplate.head.size() + itemTemplate.middle.size() + item.ICaption.size() + item.IContent.size() + 64;
  out.script.reserve(estimate + 256);
  for (const TItemData& item : items) {
    itemTemplate.Append(out.script, item);
    out.script += "\r\n";
  }

  TConversion boxLine = BoxLine(a);
  if (!boxLine.ok) {
    out.ok = false;
    out.message = boxLine.text;
    return out;
  }
  AppendLine(out.script, boxLine.text);
  out.page = PageText(scriptFiles.empty() ? std::string(kRuntimeScriptName) : scriptFiles[0]);
  return out;
}
