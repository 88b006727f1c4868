#pragma once
// Helpers of the feed tests: the saved feeds, a temporary folder, and
// running a program (the built lumeroll-cli, the local web server).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"


// A stored value as the feed reader may write it: well-formed UTF-8 without
// control characters, no tag, no separator, and every "&" either one of the
// three entities the reader writes or one HTML reads as itself.
inline bool IsStoredText(const std::string& value) {
  if (value.find_first_of("<>") != std::string::npos || value.find("#$@") != std::string::npos) return false;
  for (size_t i = 0; i < value.size();) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    if (c < 0x20 || c == 0x7F) return false;
    if (c == '&') {
      const unsigned char next = i + 1 < value.size() ? static_cast<unsigned char>(value[i + 1]) : ' ';
      const bool entity = value.compare(i + 1, 4, "amp;") == 0 || value.compare(i + 1, 3, "lt;") == 0 ||
                          value.compare(i + 1, 3, "gt;") == 0;
      if (!entity && (std::isalnum(next) || next == '#' || next >= 0x80)) return false;
    }
    int length = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > value.size()) return false;
    for (int k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(value[i + static_cast<size_t>(k)]) & 0xC0) != 0x80) return false;
    // U+0080 to U+009F are controls too.
    if (c == 0xC2 && static_cast<unsigned char>(value[i + 1]) < 0xA0) return false;
    i += static_cast<size_t>(length);
  }
  return true;
}

inline std::string FeedFile(const std::string& name) { return std::string(LUMEROLL_FEEDS_DIR) + "/" + name; }

inline std::string TlsFile(const std::string& name) { return std::string(LUMEROLL_TLS_DIR) + "/" + name; }

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

// The test web server (feed_server.py) on 127.0.0.1, stopped when the object
// goes; with `tls` it serves https with the self-signed certificate of the
// tls folder. BaseUrl() is "" when it could not be started.
class TFeedServer {
 public:
  explicit TFeedServer(bool tls = false) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<std::string> args = {LUMEROLL_PYTHON, LUMEROLL_FEED_SERVER, LUMEROLL_FEEDS_DIR};
    if (tls) args.insert(args.end(), {TlsFile("localhost.crt"), TlsFile("localhost.key")});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const bool started = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (!started) {
      pid_ = 0;
      ::close(fds[0]);
      return;
    }
    std::string line;
    char c = 0;
    while (::read(fds[0], &c, 1) == 1 && c != '\n') line += c;
    ::close(fds[0]);
    if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos)
      base_ = (tls ? "https://127.0.0.1:" : "http://127.0.0.1:") + line;
  }
  ~TFeedServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  TFeedServer(const TFeedServer&) = delete;
  TFeedServer& operator=(const TFeedServer&) = delete;
  const std::string& BaseUrl() const { return base_; }

 private:
  pid_t pid_ = 0;
  std::string base_;
};

// A suite whose tests fetch from one TFeedServer, started once for the suite.
class TFeedServerSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = new TFeedServer; }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override { ASSERT_FALSE(server_->BaseUrl().empty()) << "the test web server did not start"; }
  static std::string Url(const std::string& path) { return server_->BaseUrl() + path; }
  static inline TFeedServer* server_ = nullptr;
};
