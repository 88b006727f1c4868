// libFuzzer target for the feed reader: any bytes are either refused with a
// message or read into items whose every value is safe to store and to put
// on a page (no markup, no line break, no separator, ASCII only, and a link
// that is empty, http(s) or relative).

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
  FuzzCheck(value.find_first_of("<>\"\r\n") == std::string::npos, what);
  FuzzCheck(value.find("#$@") == std::string::npos, what);
  for (const char c : value) FuzzCheck(c >= 0x20 && c < 0x7F, what);
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
