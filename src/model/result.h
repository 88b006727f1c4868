#pragma once
// Outcome of a core operation that can fail: success, or the text to show.

#include <string>
#include <utility>

struct TResult {
  bool ok = true;
  std::string message;

  static TResult Ok() { return {}; }
  static TResult Fail(std::string text) { return {false, std::move(text)}; }
  explicit operator bool() const { return ok; }
};
