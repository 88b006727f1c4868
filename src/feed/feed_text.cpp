#include "feed/feed_text.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <cctype>
#include <cstdint>
#include <cstring>

#include "feed/feed_encoding.h"
#ifdef _WIN32
#include "model/win_text.h"
#endif

namespace {

constexpr std::string_view kSeparator = "#$@";

bool IsSpaceOrControl(unsigned char c) { return c <= 0x20 || c == 0x7F; }

bool NameIs(const xmlNode* n, const char* name) {
  return n->name != nullptr && xmlStrcasecmp(n->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

// Elements whose text is never shown.
bool IsHidden(const xmlNode* n) {
  return NameIs(n, "script") || NameIs(n, "style") || NameIs(n, "template") || NameIs(n, "noscript") ||
         NameIs(n, "head") || NameIs(n, "title");
}

// Elements that start a new line in a browser, so their words must not run
// into the next ones.
bool IsBlock(const xmlNode* n) {
  static const char* const kBlocks[] = {"br", "p", "div", "li", "ul", "ol", "tr", "td", "th", "table", "h1", "h2",
                                        "h3", "h4", "h5", "h6", "blockquote", "pre", "hr", "dd", "dt", "figure",
                                        "figcaption", "section", "article", "img"};
  for (const char* name : kBlocks)
    if (NameIs(n, name)) return true;
  return false;
}

// Decodes one UTF-8 sequence at `i`; a broken one gives U+FFFD and moves one
// byte on.
uint32_t NextCodePoint(std::string_view s, size_t& i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  int length = 0;
  uint32_t cp = 0;
  if (c < 0x80) {
    ++i;
    return c;
  }
  if ((c & 0xE0) == 0xC0) { length = 2; cp = c & 0x1F; }
  else if ((c & 0xF0) == 0xE0) { length = 3; cp = c & 0x0F; }
  else if ((c & 0xF8) == 0xF0) { length = 4; cp = c & 0x07; }
  if (length == 0 || i + length > s.size()) {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k < length; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += length;
  return cp;
}

// Windows-1252's letters for 0x80 to 0x9F, which HTML reads in their place;
// 0 for the five it leaves undefined.
constexpr uint16_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The control characters U+0080 to U+009F (what "&#146;" and its kind give)
// as the letters HTML shows for them; the undefined five become blanks.
std::string WithWindowsLetters(std::string_view text) {
  if (text.find('\xC2') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (static_cast<unsigned char>(text[i]) == 0xC2 && next >= 0x80 && next <= 0x9F) {
      const uint16_t letter = kWindows1252High[next - 0x80];
      if (letter != 0) AppendUtf8(out, letter);
      else out += ' ';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool AmpersandStandsAlone(char next) {
  const unsigned char c = static_cast<unsigned char>(next);
  return c < 0x80 && !std::isalnum(c) && c != '#';
}

// A letter past ASCII as the project file holds text: UTF-8 where that is
// the system's 8-bit text, else the ANSI code page, with a numeric
// reference for a letter the code page does not have.
void AppendStoredLetter(std::string& out, uint32_t cp) {
#ifdef _WIN32
  if (AppendAnsiLetter(out, cp)) return;
  out += "&#" + std::to_string(cp) + ";";
#else
  AppendUtf8(out, cp);
#endif
}

}  // namespace

std::string NodeText(const xmlNode* root) {
  std::string text;
  if (root == nullptr) return text;
  // Pre-order walk without recursion: a hostile feed may nest deeply.
  const xmlNode* n = root;
  while (n != nullptr) {
    bool descend = false;
    if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
      if (n->content != nullptr) text += reinterpret_cast<const char*>(n->content);
    } else if (n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE || n->type == XML_HTML_DOCUMENT_NODE) {
      // The element the walk starts at is shown even when its name is one
      // of the hidden ones: an Atom <title type="xhtml"> is the headline.
      if (n->type != XML_ELEMENT_NODE || n == root || !IsHidden(n)) {
        if (n->type == XML_ELEMENT_NODE && IsBlock(n)) text += ' ';
        descend = n->children != nullptr;
      }
    } else if (n->type == XML_ENTITY_REF_NODE) {
      // Entities the document declared itself are not expanded: the reader
      // refuses such documents before they get here.
    }
    if (descend) {
      n = n->children;
      continue;
    }
    // Up until there is a next sibling, closing blocks on the way.
    while (n != nullptr && n != root && n->next == nullptr) {
      n = n->parent;
      if (n != nullptr && n->type == XML_ELEMENT_NODE && IsBlock(n)) text += ' ';
    }
    if (n == nullptr || n == root) break;
    n = n->next;
  }
  return CollapseWhiteSpace(text);
}

std::string HtmlToText(std::string_view html) {
  if (html.find_first_of("<&") == std::string_view::npos) return CollapseWhiteSpace(html);
  // The parser is given a wrapper so that text before the first tag is kept
  // in the body rather than read as the head's.
  const std::string wrapped = "<html><body>" + std::string(html) + "</body></html>";
  htmlDocPtr doc = htmlReadMemory(wrapped.data(), static_cast<int>(wrapped.size()), nullptr, "UTF-8",
                                  HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                                      HTML_PARSE_NOIMPLIED);
  if (doc == nullptr) return std::string();
  std::string text = NodeText(reinterpret_cast<const xmlNode*>(doc));
  xmlFreeDoc(doc);
  return text;
}

std::string CollapseWhiteSpace(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pendingBlank = false;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    // U+00A0 (no-break space) counts as a blank as well.
    if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
      pendingBlank = true;
      i += 2;
      continue;
    }
    if (IsSpaceOrControl(c)) {
      pendingBlank = true;
      ++i;
      continue;
    }
    if (pendingBlank && !out.empty()) out += ' ';
    pendingBlank = false;
    out += static_cast<char>(c);
    ++i;
  }
  return out;
}

std::string FirstWords(std::string_view text, size_t maxWords, bool& cut) {
  cut = false;
  size_t words = 0;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i == text.size()) break;
    if (words == maxWords) {
      cut = true;
      break;
    }
    while (i < text.size() && text[i] != ' ') ++i;
    ++words;
  }
  std::string out(text.substr(0, i));
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string WithoutSeparator(std::string_view text) {
  // One pass: a separator is dropped as soon as its last byte is written,
  // so one that the removal brings together ("##$@$@") goes too, and the
  // work stays linear however many there are.
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    out += c;
    if (c == kSeparator.back() && out.size() >= kSeparator.size() &&
        std::string_view(out).substr(out.size() - kSeparator.size()) == kSeparator)
      out.resize(out.size() - kSeparator.size());
  }
  return out;
}

std::string EncodeText(std::string_view raw) {
  // Letters first as a browser reads them (so a dropped character cannot
  // bring a separator together), then the separator, then the blanks it
  // may leave side by side.
  const std::string text = CollapseWhiteSpace(WithoutSeparator(WithWindowsLetters(raw)));
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size();) {
    const uint32_t cp = NextCodePoint(text, i);
    switch (cp) {
      case '&':
        // HTML reads "&" as itself unless a letter, digit or "#" follows
        // (which could start a reference); only then is it written "&amp;".
        if (i < text.size() && !AmpersandStandsAlone(text[i])) out += "&amp;";
        else out += '&';
        break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default:
        if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0)) break;
        if (cp < 0x80)
          out += static_cast<char>(cp);
        else
          AppendStoredLetter(out, cp);
    }
  }
  return out;
}
