#include "feed/feed_import.h"

#include "feed/feed_items.h"
#include "feed/feed_reader.h"

TResult ReadFeedItems(const std::string& source, size_t max, const TFetchLimits& limits, TItemArray& items) {
  TFetched fetched;
  if (TResult r = FetchSource(source, limits, fetched); !r) return r;
  TFeed feed;
  if (TResult r = ReadFeed(fetched.bytes, fetched.address, feed); !r) return TResult::Fail(source + ": " + r.message);
  TItemArray read = ItemsFromFeed(feed, max);
  if (read.empty()) return TResult::Fail(source + ": the feed has no entries");
  items = std::move(read);
  return TResult::Ok();
}
