#pragma once
// Getting a feed's bytes from a file or an http(s) address. Addresses of any
// other kind are refused. Over the network: certificates verified, a
// bounded number of redirects, a time limit and a size limit, all of which
// callers (and tests) may lower.

#include <atomic>
#include <cstddef>
#include <string>

#include "model/result.h"

struct TFetchLimits {
  long timeoutMs = 20000;
  size_t maxBytes = 10 * 1024 * 1024;
  long maxRedirects = 5;
  // Set from another thread to give up a transfer under way.
  const std::atomic<bool>* cancel = nullptr;
  // Certificate authorities to trust (a PEM file) instead of the system's.
  std::string caFile;
};

struct TFetched {
  std::string bytes;
  // The address the bytes finally came from (after redirects); "" for a file.
  std::string address;
  // The answer's Content-Type as the server sent it; "" for a file.
  std::string contentType;
};

// True when `source` is written as an http or https address.
bool IsWebAddress(const std::string& source);

TResult FetchSource(const std::string& source, const TFetchLimits& limits, TFetched& out);
