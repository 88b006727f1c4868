#include "feed/feed_import.h"

#include "feed/feed_encoding.h"
#include "feed/feed_items.h"
#include "feed/feed_reader.h"

TResult ReadFeedItems(const std::string& source, size_t max, const TFetchLimits& limits, TItemArray& items) {
  TFetched fetched;
  if (TResult r = FetchSource(source, limits, fetched); !r) return r;
  TFeed feed;
  TFeedReadOptions options;
  options.charset = CharsetOf(fetched.contentType);
  options.cancel = limits.cancel;
  if (TResult r = ReadFeed(fetched.bytes, fetched.address, feed, options); !r)
    return r.message == "cancelled" ? r : TResult::Fail(source + ": " + r.message);
  TItemArray read = ItemsFromFeed(feed, max, limits.cancel);
  if (limits.cancel != nullptr && limits.cancel->load()) return TResult::Fail("cancelled");
  if (read.empty()) {
    if (feed.entries.empty()) return TResult::Fail(source + ": the " + feed.format + " feed has no entries");
    return TResult::Fail(source + ": the " + feed.format + " feed has " + std::to_string(feed.entries.size()) +
                         (feed.entries.size() == 1 ? " entry" : " entries") + ", none with a title or a summary");
  }
  items = std::move(read);
  return TResult::Ok();
}
