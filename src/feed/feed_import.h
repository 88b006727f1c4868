#pragma once
// A feed's items from its source in one call, as both the command-line tool
// and the editor's import need them.

#include <cstddef>
#include <string>

#include "feed/feed_fetch.h"
#include "model/applet_data.h"
#include "model/result.h"

inline constexpr size_t kDefaultFeedItems = 10;

// Fails, with a message that names the source, when the source cannot be
// read, is not a feed, or gives no item.
TResult ReadFeedItems(const std::string& source, size_t max, const TFetchLimits& limits, TItemArray& items);
