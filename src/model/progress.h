#pragma once
// How long core operations report on the editor's status strip (or the
// command-line tool's stderr bar) without knowing either.

#include <string>

class Progress {
 public:
  virtual ~Progress() = default;
  // Shows the hint (texts end in " ... ...") and the busy state, bar at 0.
  virtual void Begin(const std::string& hint, int maximum) = 0;
  virtual void Advance(int by) = 0;
  // Bar back to 0, hint emptied, normal cursor.
  virtual void End() = 0;
};

// For callers that do not show progress.
class NullProgress final : public Progress {
 public:
  void Begin(const std::string&, int) override {}
  void Advance(int) override {}
  void End() override {}
};

// Begin on construction, End when the scope is left, also on an early return
// for an error, so the status strip never stays busy.
class ProgressScope {
 public:
  ProgressScope(Progress& p, const std::string& hint, int maximum) : p_(p) { p_.Begin(hint, maximum); }
  ~ProgressScope() { p_.End(); }
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;
  void Advance(int by) { p_.Advance(by); }

 private:
  Progress& p_;
};
