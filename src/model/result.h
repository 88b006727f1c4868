#pragma once
// Outcome of a core operation that can fail: success, or the text to show.

#include <string>
#include <utility>

struct TResult {
  bool ok = true;
  std::string message;
  // Where in a file the fault lies ("line 12, field ILevel"), when known.
  // Kept apart from the message, whose words the editor shows as they are;
  // the command-line tool puts both together.
  std::string where;

  static TResult Ok() { return {}; }
  static TResult Fail(std::string text) { return {false, std::move(text), {}}; }
  static TResult FailAt(std::string text, std::string where) { return {false, std::move(text), std::move(where)}; }
  explicit operator bool() const { return ok; }
};
