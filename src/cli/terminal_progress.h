#pragma once
// Progress of lumeroll-cli: a bar on stderr when stderr is a terminal, and
// nothing at all when it is a file or a pipe, so scripts see only messages.

#include <unistd.h>

#include <cstdio>
#include <string>

#include "model/progress.h"

class TTerminalProgress final : public Progress {
 public:
  TTerminalProgress() : shown_(::isatty(STDERR_FILENO) == 1) {}

  void Begin(const std::string& hint, int maximum) override {
    hint_ = hint;
    maximum_ = maximum > 0 ? maximum : 1;
    position_ = 0;
    Draw();
  }
  void Advance(int by) override {
    position_ += by;
    Draw();
  }
  void End() override {
    if (shown_) std::fputs("\r\033[K", stderr);
  }

 private:
  void Draw() const {
    if (!shown_) return;
    const int width = 30;
    const int filled = position_ >= maximum_ ? width : position_ * width / maximum_;
    std::fprintf(stderr, "\r%s [%s%s]", hint_.c_str(), std::string(filled, '#').c_str(),
                 std::string(width - filled, ' ').c_str());
  }

  bool shown_;
  std::string hint_;
  int maximum_ = 1;
  int position_ = 0;
};
