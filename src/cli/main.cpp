// lumeroll-cli: the project formats, generation and publishing without the
// editor, for scripts and build pipelines.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "model/win_text.h"
#endif

#include "cli/cli_commands.h"
#include "model/vocabulary.h"

int Fail(const std::string& message) {
  std::cerr << "lumeroll-cli: " << EscapeControlCharacters(HideAddressCredentials(message)) << "\n";
  return kExitFailed;
}

int FailIn(const std::string& path, const TResult& result) {
  std::string text = result.message;
  if (!result.where.empty()) text = result.where + ": " + text;
  // The file's own messages ("Cannot open "p": ...") name it already.
  if (result.message.find("\"" + path + "\"") == std::string::npos) text = path + ": " + text;
  return Fail(text);
}

namespace {

void PrintUsage(std::ostream& out, const TCliCommandTable& table) {
  out << "Usage: lumeroll-cli COMMAND [ARGUMENTS]\n\n"
         "Works on JavaScript Lumeroll projects (.jslr) and menu structure "
         "files (.gms).\n\n"
         "Commands:\n";
  for (const TCliCommand& c : table) {
    std::string head = "  " + c.name + " " + c.usage;
    if (head.size() < 40) head.resize(40, ' ');
    out << head << " " << c.summary << "\n";
  }
  out << "\nOptions:\n  --help                                   show this "
         "help\n";
}

// The arguments in UTF-8. Windows hands main() its arguments in the ANSI code
// page, which cannot hold every name, so they are read again in UTF-16.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  if (LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    return args;
  }
#endif
  return std::vector<std::string>(argv + 1, argv + argc);
}

#ifdef _WIN32
UINT savedConsoleCodePage = 0;
void RestoreConsoleCodePage() { ::SetConsoleOutputCP(savedConsoleCodePage); }
#endif

// Generated files go to stdout byte for byte, as on every other system: text
// mode would turn each CR LF into CR CR LF. Messages are UTF-8, so the
// console is told so while the tool runs (the setting outlives the process,
// hence the restore).
void PrepareStandardStreams() {
#ifdef _WIN32
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  savedConsoleCodePage = ::GetConsoleOutputCP();
  if (savedConsoleCodePage != 0 && savedConsoleCodePage != CP_UTF8 && ::SetConsoleOutputCP(CP_UTF8))
    std::atexit(RestoreConsoleCodePage);
#endif
}

void PrintCommandUsage(std::ostream& out, const TCliCommand& c) {
  out << "Usage: lumeroll-cli " << c.name << " " << c.usage << "\n  " << c.summary << "\n";
}

// "--help" anywhere after a command asks for its usage (0); an option the
// command does not take is a wrong call (2). Values of options that take one
// are skipped. -1 when the command is to run.
int CheckOptions(const TCliCommand& c, const std::vector<std::string>& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      PrintCommandUsage(std::cout, c);
      return 0;
    }
  }
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') continue;
    bool known = false;
    for (const std::string& option : c.options) {
      const size_t space = option.find(' ');
      if (option.substr(0, space) != a) continue;
      known = true;
      if (space != std::string::npos) ++i;
    }
    if (!known) {
      std::cerr << "lumeroll-cli " << c.name << ": unknown option '" << EscapeControlCharacters(a) << "'\n";
      PrintCommandUsage(std::cerr, c);
      return kExitUsage;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  TCliCommandTable table;
  RegisterModelCommands(table);
  RegisterOutputCommands(table);
#ifdef LUMEROLL_WITH_FEED
  RegisterFeedCommands(table);
#endif

  PrepareStandardStreams();
  std::vector<std::string> args = Arguments(argc, argv);
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
      if (const int code = CheckOptions(c, args); code >= 0) return code;
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
