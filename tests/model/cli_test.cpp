#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "model_test_support.h"

extern char** environ;

namespace {

struct TRun {
  int status = -1;
  std::string out, err;
};

// Runs the built lumeroll-cli with the arguments, stdout and stderr caught
// in files of the folder.
TRun RunCli(const TTempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(), LUMEROLL_CLI);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string outPath = folder.File(".out"), errPath = folder.File(".err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  TRun run;
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  return run;
}

std::string Golden(const char* name) { return std::string(LUMEROLL_GOLDEN_DIR) + "/" + name; }

const char* const kNestedOutline =
    "JavaScript Lumeroll\n"
    "  Company news\n"
    "    Products\n"
    "      Caf\xE9 opening\n"
    "    Prices\n"
    "  Jobs\n";

TEST(Cli, OutlineTellsTheKindsApartByContent) {
  TTempFolder folder;
  // Each file under the other kind's extension.
  WriteAll(folder.File("structure.jslr"), GoldenFile("nested_structure.gms"));
  WriteAll(folder.File("project.gms"), GoldenFile("nested_project.jslr"));
  std::string odd = GoldenFile("empty_project.jslr");
  odd.insert(odd.find("</Item_Parameters>"), "deep#$@#$@#$@#$@3#$@\r\nnext#$@#$@#$@#$@1#$@\r\n");
  WriteAll(folder.File("odd.jslr"), odd);
  struct TCase {
    std::string file;
    std::string outline;
  };
  const TCase cases[] = {{folder.File("structure.jslr"), kNestedOutline},
                         {folder.File("project.gms"), kNestedOutline},
                         {Golden("empty_project.jslr"), "JavaScript Lumeroll\n"},
                         {Golden("empty_structure.gms"), "JavaScript Lumeroll\n"},
                         {Golden("default_item_project.jslr"), "JavaScript Lumeroll\n  News Title\n"},
                         {folder.File("odd.jslr"), "JavaScript Lumeroll\n  deep\n    next\n"}};
  for (const TCase& c : cases) {
    const TRun run = RunCli(folder, {"outline", c.file});
    EXPECT_EQ(run.status, 0) << c.file << ": " << run.err;
    EXPECT_EQ(run.out, c.outline) << c.file;
    EXPECT_EQ(run.err, "") << c.file;
  }
}

TEST(Cli, ExportAndImportWriteTheFormats) {
  TTempFolder folder;
  TRun run = RunCli(folder, {"export", Golden("nested_project.jslr"), folder.File("out.gms")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(ReadAll(folder.File("out.gms")), GoldenFile("nested_structure.gms"));

  run = RunCli(folder, {"import", Golden("nested_structure.gms"), folder.File("out.jslr")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(folder.File("out.jslr")), GoldenFile("nested_project.jslr"));

  run = RunCli(folder, {"import", Golden("empty_structure.gms"), folder.File("empty.jslr")});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadAll(folder.File("empty.jslr")), GoldenFile("empty_project.jslr"));
}

TEST(Cli, FailuresSayWhyAndWriteNothing) {
  TTempFolder folder;
  std::string wrong = GoldenFile("nested_project.jslr");
  wrong.replace(wrong.find("\r\nJavaScript Lumeroll\r\n"), 23, "\r\nJavaScript Lumeroll \r\n");
  WriteAll(folder.File("wrong.jslr"), wrong);
  WriteAll(folder.File("old.gms"), "old");
  std::filesystem::create_directory(folder.File("dir.jslr"));
  struct TCase {
    std::vector<std::string> args;
    std::string message;
  };
  const TCase cases[] = {
      {{"outline", folder.File("missing.jslr")}, "No such file or directory"},
      {{"outline", folder.File("dir.jslr")}, "Is a directory"},
      {{"outline", folder.File("wrong.jslr")}, "This file wasn't saved by JavaScript Lumeroll 1.0, open failed!"},
      {{"export", folder.File("wrong.jslr"), folder.File("old.gms")},
       "This file wasn't saved by JavaScript Lumeroll 1.0, open failed!"},
      {{"import", Golden("nested_project.jslr"), folder.File("new.jslr")},
       "This file wasn't saved by specified format, open failed!"},
      {{"import", Golden("nested_structure.gms"), folder.File("dir.jslr")}, "Is a directory"},
      {{"export", Golden("nested_project.jslr"), folder.File("gone/x.gms")}, "No such file or directory"},
  };
  for (const TCase& c : cases) {
    const TRun run = RunCli(folder, c.args);
    EXPECT_EQ(run.status, 1) << c.args[0] << " " << c.args[1];
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
  }
  EXPECT_EQ(ReadAll(folder.File("old.gms")), "old");
  EXPECT_FALSE(std::filesystem::exists(folder.File("new.jslr")));
}

TEST(Cli, UsageErrorsExitWithTwo) {
  TTempFolder folder;
  const std::vector<std::string> cases[] = {
      {}, {"outline"}, {"outline", "a", "b"}, {"export", "a"}, {"import", "a", "b", "c"}, {"frobnicate"}};
  for (const auto& args : cases) {
    const TRun run = RunCli(folder, args);
    EXPECT_EQ(run.status, 2) << (args.empty() ? "(none)" : args[0]);
    EXPECT_NE(run.err.find("Usage: lumeroll-cli"), std::string::npos) << run.err;
  }
  const TRun help = RunCli(folder, {"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* command : {"outline FILE", "export PROJECT.jslr OUT.gms", "import IN.gms OUT.jslr"})
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
}

}  // namespace
