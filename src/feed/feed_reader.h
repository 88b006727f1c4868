#pragma once
// Reading a feed from its bytes: RSS 2.0, RSS 1.0 (RDF), Atom 1.0 and JSON
// Feed 1.x. The entries come out in the feed's own order (publishers list
// the newest first), their texts already plain and collapsed, their links
// resolved against xml:base and the feed's address but not yet checked.

#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

struct TFeedEntry {
  std::string title;    // plain UTF-8 text
  std::string link;     // as resolved; may be anything the feed wrote
  std::string summary;  // the summary, or the content when there is none, as plain text
};

struct TFeed {
  std::vector<TFeedEntry> entries;
};

// address: where the bytes came from, the base of relative links when it is
// an http or https address (pass "" for a file, whose relative links stay
// relative). Fails with a message on anything that is not a feed; a feed
// without entries is read successfully with none.
TResult ReadFeed(std::string_view bytes, const std::string& address, TFeed& out);
