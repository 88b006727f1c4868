#include "feed/feed_items.h"

#include <cctype>

#include "feed/feed_text.h"

namespace {

constexpr const char* kEllipsis = "\xE2\x80\xA6";  // U+2026
constexpr const char* kBreak = "<br />";

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Collapsed text cut to `words` words, with the ellipsis when cut.
std::string Shortened(const std::string& text, size_t words) {
  bool cut = false;
  std::string out = FirstWords(text, words, cut);
  if (cut) out += kEllipsis;
  return out;
}

}  // namespace

std::string SafeLink(std::string_view link) {
  // Browsers drop tabs and line breaks anywhere in an address and blanks and
  // control characters at its ends; do the same first, so that "java\tscript:"
  // is judged as the browser would read it.
  std::string clean;
  for (const char c : link)
    if (c != '\t' && c != '\r' && c != '\n') clean += c;
  size_t first = 0, last = clean.size();
  while (first < last && static_cast<unsigned char>(clean[first]) <= 0x20) ++first;
  while (last > first && static_cast<unsigned char>(clean[last - 1]) <= 0x20) --last;
  clean = WithoutSeparator(clean.substr(first, last - first));
  if (clean.empty()) return clean;

  // A scheme is whatever stands before a ':' that comes before any '/', '?'
  // or '#'. Only http and https are followed; anything else that has a colon
  // there is not a relative address either.
  const size_t stop = clean.find_first_of(":/?#");
  if (stop != std::string::npos && clean[stop] == ':') {
    const std::string scheme = Lower(clean.substr(0, stop));
    if (scheme != "http" && scheme != "https") return std::string();
  }

  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char ch : clean) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '&') {
      out += "&amp;";
    } else if (c < 0x20 || c == 0x7F) {
      continue;
    } else if (c >= 0x80 || c == ' ' || c == '"' || c == '<' || c == '>' || c == '`') {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  return out;
}

TItemArray ItemsFromFeed(const TFeed& feed, size_t max, const std::atomic<bool>* cancel) {
  TItemArray items;
  const TItemData defaults = DefaultItemData();
  for (const TFeedEntry& entry : feed.entries) {
    if (items.size() >= max || (cancel != nullptr && cancel->load())) break;
    std::string title = entry.title;
    if (title.empty()) title = Shortened(entry.summary, kTitleWordsFromSummary);
    if (title.empty()) continue;
    TItemData item;
    item.ICaption = EncodeText(title);
    item.ILink = SafeLink(entry.link);
    item.ITarget = defaults.ITarget;
    item.IContent = EncodeText(Shortened(entry.summary, kContentWords));
    if (!item.IContent.empty()) item.IContent.append(kBreak);
    item.ILevel.push_back('0');  // a top-level item
    items.push_back(std::move(item));
  }
  return items;
}
