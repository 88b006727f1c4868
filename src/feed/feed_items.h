#pragma once
// From feed entries to the news box's items: each entry one top-level item
// with its headline, its link (only when it is safe to follow) and the first
// words of its summary.

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

#include "feed/feed_reader.h"
#include "model/applet_data.h"

inline constexpr size_t kContentWords = 30;
// Words of the summary that stand in for a missing title.
inline constexpr size_t kTitleWordsFromSummary = 10;

// A link as it can be stored and followed: "" unless it is http, https or
// relative (so never javascript:, data: or any other scheme, however it is
// spelled); blanks and control characters that browsers skip are dropped,
// '&' is written "&amp;" and the bytes that could end the href attribute or
// are not ASCII are percent-encoded.
std::string SafeLink(std::string_view link);

// One item per entry, at most `max`, in the feed's order; entries with
// neither a title nor a summary are skipped. Stops early (with the items so
// far) once `cancel` is set.
TItemArray ItemsFromFeed(const TFeed& feed, size_t max, const std::atomic<bool>* cancel = nullptr);
