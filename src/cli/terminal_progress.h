#pragma once
// Progress of lumeroll-cli: a bar on stderr when stderr is a terminal, and
// nothing at all when it is a file or a pipe, so scripts see only messages.

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <iostream>
#include <string>

#include "model/progress.h"

class TTerminalProgress final : public Progress {
 public:
  TTerminalProgress() : enabled_(StderrIsTerminal()) {}
  void Begin(const std::string& hint, int maximum) override {
    hint_ = hint;
    maximum_ = maximum > 0 ? maximum : 1;
    position_ = 0;
    drawn_ = -1;
    Draw();
  }
  void Advance(int by) override {
    position_ += by;
    Draw();
  }
  void End() override {
    if (enabled_) std::cerr << "\r\033[K" << std::flush;
  }

 private:
  static bool StderrIsTerminal() {
#ifdef _WIN32
    // The bar is drawn with escape sequences, which a Windows console reads
    // only once asked to.
    if (!::_isatty(::_fileno(stderr))) return false;
    const HANDLE console = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    return ::GetConsoleMode(console, &mode) &&
           ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
#else
    return ::isatty(STDERR_FILENO) == 1;
#endif
  }
  // Redraws only when the percentage changes: a large project advances the
  // bar hundreds of thousands of times.
  void Draw() {
    if (!enabled_) return;
    const int percent = static_cast<int>(std::min<long long>(100, 100LL * position_ / maximum_));
    if (percent == drawn_) return;
    drawn_ = percent;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    std::cerr << "\r\033[K" << hint_ << " [" << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] "
              << percent << "%" << std::flush;
  }
  bool enabled_;
  std::string hint_;
  int maximum_ = 1;
  int position_ = 0;
  int drawn_ = -1;
};

