// lumeroll-cli: the project formats, generation and publishing without the
// editor, for scripts and build pipelines.

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

#include "cli/cli_commands.h"
#include "model/vocabulary.h"

int Fail(const std::string& message) {
  std::cerr << "lumeroll-cli: " << EscapeControlCharacters(message) << "\n";
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
  RegisterFeedCommands(table);

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
      // Whatever goes wrong ends with a message and exit 1, never with an
      // abort: scripts read the exit code and a person reads the message.
      try {
        return c.run(args);
      } catch (const std::bad_alloc&) {
        return Fail("out of memory");
      } catch (const std::exception& e) {
        return Fail(e.what());
      }
    }
  }
  std::cerr << "lumeroll-cli: unknown command '" << EscapeControlCharacters(args[0]) << "'\n";
  PrintUsage(std::cerr, table);
  return kExitUsage;
}
