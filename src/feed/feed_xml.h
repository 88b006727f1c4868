#pragma once
// The XML feed formats read from a parsed document: RSS 2.0 / 0.9x (also in
// the old Userland namespace), RSS 1.0 and 0.90 (RDF), Atom 1.0 and 0.3.

#include <atomic>

#include "feed/feed_reader.h"
#include "model/result.h"

struct _xmlDoc;

// Fills `out` (format and entries); fails with a message that names the
// root element found when it is none of these formats.
TResult ReadXmlFormats(const _xmlDoc* doc, const std::atomic<bool>* cancel, TFeed& out);
