// libFuzzer target for the feed reader: any bytes are either refused with a
// message or read into items whose every value is safe to store and to put
// on a page (no markup, no control character, no separator, well-formed
// UTF-8, no "&" that could start a reference the feed did not mean, and a
// link that is empty, http(s) or relative).

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "feed/feed_items.h"
#include "feed/feed_reader.h"
#include "fuzz/fuzz_checks.h"

namespace {

void CheckStored(const std::string& value, const char* what) {
  FuzzCheck(value.find_first_of("<>\r\n") == std::string::npos, what);
  FuzzCheck(value.find("#$@") == std::string::npos, what);
  for (size_t i = 0; i < value.size();) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    FuzzCheck(c >= 0x20 && c != 0x7F, what);
    if (c == '&') {
      const unsigned char next = i + 1 < value.size() ? static_cast<unsigned char>(value[i + 1]) : ' ';
      const bool entity = value.compare(i + 1, 4, "amp;") == 0 || value.compare(i + 1, 3, "lt;") == 0 ||
                          value.compare(i + 1, 3, "gt;") == 0;
      FuzzCheck(entity || (next < 0x80 && !std::isalnum(next) && next != '#'), what);
    }
    const int length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    FuzzCheck(length > 0 && i + static_cast<size_t>(length) <= value.size(), what);
    for (int k = 1; k < length; ++k)
      FuzzCheck((static_cast<unsigned char>(value[i + static_cast<size_t>(k)]) & 0xC0) == 0x80, what);
    FuzzCheck(!(c == 0xC2 && static_cast<unsigned char>(value[i + 1]) < 0xA0), what);
    i += static_cast<size_t>(length);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TFeed feed;
  const TResult result = ReadFeed(bytes, "https://example.com/feeds/", feed);
  if (!result) {
    FuzzCheck(!result.message.empty(), "a refusal carries a message");
    FuzzCheck(feed.entries.empty(), "a refused feed hands nothing over");
    return 0;
  }
  for (const TItemData& item : ItemsFromFeed(feed, 1000)) {
    FuzzCheck(!item.ICaption.empty(), "every item has a headline");
    CheckStored(item.ICaption, "caption is plain stored text");
    CheckStored(item.ILink, "link is plain stored text");
    FuzzCheck(item.ILink.find_first_of("\" ") == std::string::npos, "link cannot end its attribute");
    std::string content = item.IContent;
    if (!content.empty()) {
      FuzzCheck(content.size() >= 6 && content.compare(content.size() - 6, 6, "<br />") == 0, "content ends its line");
      content.resize(content.size() - 6);
    }
    CheckStored(content, "content is plain stored text");
    const size_t stop = item.ILink.find_first_of(":/?#");
    if (stop != std::string::npos && item.ILink[stop] == ':') {
      std::string scheme = item.ILink.substr(0, stop);
      for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      FuzzCheck(scheme == "http" || scheme == "https", "only http and https links");
    }
  }
  return 0;
}
