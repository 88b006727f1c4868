#pragma once
// The subcommands of lumeroll-cli. Each group of commands registers itself in
// the table; main() only dispatches and prints the usage.

#include <functional>
#include <string>
#include <vector>

#include "model/result.h"

// Exit codes: 0 done, 1 the operation failed (message on stderr), 2 usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct TCliCommand {
  std::string name;
  std::string usage;    // arguments, e.g. "FILE"
  std::string summary;  // one line for --help
  std::function<int(const std::vector<std::string>& args)> run;
  // The options the command takes; one that takes a value is written with
  // it ("--max N"). Any other argument that starts with "-" is a wrong call.
  std::vector<std::string> options = {};
};

using TCliCommandTable = std::vector<TCliCommand>;

// File and structure commands (outline, export, import).
void RegisterModelCommands(TCliCommandTable& table);
// Generation and publishing commands (script, page, publish).
void RegisterOutputCommands(TCliCommandTable& table);

// The feed command (fills a project's items from a feed).
void RegisterFeedCommands(TCliCommandTable& table);

// Prints "lumeroll-cli: message" to stderr and returns kExitFailed.
// Credentials written in an address are shown as "***".
int Fail(const std::string& message);

// A failure about one file: its path first, then where in it (line and
// field) when the reader knows, then the reason.
int FailIn(const std::string& path, const TResult& result);
