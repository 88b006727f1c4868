#pragma once
// Reading a feed from its bytes: RSS 2.0 and 0.9x, RSS 1.0 and 0.90 (RDF),
// Atom 1.0 and 0.3, and JSON Feed 1.x. The entries come out in the feed's own
// order (publishers list the newest first), their texts already plain and
// collapsed, their links resolved against xml:base and the feed's address but
// not yet checked.

#include <atomic>
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
  // What the feed turned out to be ("RSS 2.0", "Atom 0.3", "JSON Feed"), for messages.
  std::string format;
  std::vector<TFeedEntry> entries;
};

struct TFeedReadOptions {
  // The charset parameter of the answer's Content-Type ("" for a file): it
  // counts after a byte order mark and before the document's declaration.
  std::string charset;
  // Set from another thread to give the reading up.
  const std::atomic<bool>* cancel = nullptr;
};

// address: where the bytes came from, the base of relative links when it is
// an http or https address (pass "" for a file, whose relative links stay
// relative). Fails with a message on anything that is not a feed; a feed
// without entries is read successfully with none. A cancelled reading fails
// with the message "cancelled".
TResult ReadFeed(std::string_view bytes, const std::string& address, TFeed& out,
                 const TFeedReadOptions& options = {});
