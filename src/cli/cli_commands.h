#pragma once
// The subcommands of lumeroll-cli. Each group of commands registers itself in
// the table; main() only dispatches and prints the usage.

#include <functional>
#include <string>
#include <vector>

// Exit codes: 0 done, 1 the operation failed (message on stderr), 2 usage.
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct TCliCommand {
  std::string name;
  std::string usage;    // arguments, e.g. "FILE"
  std::string summary;  // one line for --help
  std::function<int(const std::vector<std::string>& args)> run;
};

using TCliCommandTable = std::vector<TCliCommand>;

// File and structure commands (outline, export, import).
void RegisterModelCommands(TCliCommandTable& table);
// Generation and publishing commands (script, page, publish).
void RegisterOutputCommands(TCliCommandTable& table);

// The feed command (fills a project's items from a feed).
void RegisterFeedCommands(TCliCommandTable& table);

// Prints "lumeroll-cli: message" to stderr and returns kExitFailed.
int Fail(const std::string& message);
