// lumeroll-cli: the project formats, generation and publishing without the
// editor, for scripts and build pipelines.

#include <cstdio>
#include <iostream>

#include "cli/cli_commands.h"

int Fail(const std::string& message) {
  std::cerr << "lumeroll-cli: " << message << "\n";
  return kExitFailed;
}

namespace {

void PrintUsage(std::ostream& out, const TCliCommandTable& table) {
  out << "Usage: lumeroll-cli COMMAND [ARGUMENTS]\n\n"
         "Works on JavaScript Lumeroll projects (.jslr) and menu structure files (.gms).\n\n"
         "Commands:\n";
  for (const TCliCommand& c : table) {
    std::string head = "  " + c.name + " " + c.usage;
    if (head.size() < 40) head.resize(40, ' ');
    out << head << " " << c.summary << "\n";
  }
  out << "\nOptions:\n  --help                                   show this help\n";
}

}  // namespace

int main(int argc, char** argv) {
  TCliCommandTable table;
  RegisterModelCommands(table);
  RegisterOutputCommands(table);
#ifdef LUMEROLL_FEEDS
  RegisterFeedCommands(table);
#endif

  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintUsage(std::cerr, table);
    return kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(std::cout, table);
    return 0;
  }
  for (const TCliCommand& c : table) {
    if (c.name == args[0]) {
      args.erase(args.begin());
      return c.run(args);
    }
  }
  std::cerr << "lumeroll-cli: unknown command '" << args[0] << "'\n";
  PrintUsage(std::cerr, table);
  return kExitUsage;
}
