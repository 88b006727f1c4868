// script, page and publish: the generator and save-and-publish from the
// command line.

#include <algorithm>
#include <iostream>

#include "cli/cli_commands.h"
#include "cli/terminal_progress.h"
#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/system_folders.h"
#include "model/tree_math.h"
#include "output/app_folders.h"
#include "output/generator.h"
#include "output/make_html.h"
#include "output/publish.h"

namespace {

// The executable's own folder in the build tree and a portable copy, the
// shared data folder when installed.
std::string FindResourceFolder() {
  const std::string own = ExecutableFolder();
  if (FileExists(own + kRuntimeScriptName)) return own;
  const std::string installed = own + "../share/javascript-lumeroll/";
  if (FileExists(installed + kRuntimeScriptName)) return installed;
  return own;
}

TResult LoadProject(TkvdAppletAgent& agent, const std::string& path, std::vector<int>& levels) {
  std::vector<int> parents;
  if (TResult r = agent.LoadProject(path, parents); !r) return r;
  levels = tree_math::LevelsFromParents(parents);
  return TResult::Ok();
}

// script and page: one of the two generated texts to stdout.
int PrintGenerated(const std::vector<std::string>& args, bool page) {
  if (args.size() != 1) {
    std::cerr << "Usage: lumeroll-cli " << (page ? "page" : "script") << " PROJECT.jslr\n";
    return kExitUsage;
  }
  TkvdAppletAgent agent;
  std::vector<int> levels;
  if (TResult r = LoadProject(agent, args[0], levels); !r) return FailIn(args[0], r);
  const TGeneratedCode code = GenerateCode(agent.AppletData(), agent.Items(), agent.ScriptFiles);
  if (!code.ok) return Fail(code.message);
  const std::string& text = page ? code.page : code.script;
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? 0 : Fail("cannot write to standard output");
}

int Publish(const std::vector<std::string>& given) {
  std::vector<std::string> args;
  bool force = false;
  for (const std::string& a : given) {
    if (a == "--force")
      force = true;
    else
      args.push_back(a);
  }
  if (args.empty() || args.size() > 2) {
    std::cerr << "Usage: lumeroll-cli publish [--force] PROJECT.jslr [FOLDER]\n";
    return kExitUsage;
  }
  const std::string& projectPath = args[0];
  const std::string projectName = NamePart(projectPath);
  const std::string folder = args.size() == 2 ? AppFolders::WithSeparator(args[1]) : FolderPart(projectPath);
  if (!folder.empty() && !FolderExists(folder)) return Fail("no such folder: " + folder);

  // The folder's lock is taken before the project is read: a feed or
  // another publish that rewrites the project meanwhile would otherwise be
  // undone by the copy read before it. The check for other projects' pages
  // is made under the same lock, inside SaveAndPublish.
  TFolderLock lock;
  if (TResult r = lock.Acquire(folder); !r) return Fail(r.message);
  TTerminalProgress progress;
  TkvdAppletAgent agent;
  agent.SetProgress(&progress);
  std::vector<int> levels;
  if (TResult r = LoadProject(agent, projectPath, levels); !r) return FailIn(projectPath, r);

  // No working folder: the tool writes nothing but the published files.
  AppFolders folders;
  folders.resource = FindResourceFolder();
  folders.working.clear();
  const TSharingCheck check;
  const TPublishResult result = SaveAndPublish(agent, folders, folder, projectName, levels, force ? nullptr : &check);
  for (const TFailedCopy& failed : result.failedCopies) Fail(failed.name + " was not copied: " + failed.message);
  if (!result.sharedWith.empty()) return Fail(result.message + " (use --force to publish anyway)");
  if (!result.ok) return Fail(result.message);
  if (!result.failedCopies.empty()) return kExitFailed;
  const std::string base = PublishBaseName(projectName);
  std::cout << "Published " << folder << base << ".html\n";
  return 0;
}

}  // namespace

void RegisterOutputCommands(TCliCommandTable& table) {
  table.push_back({"script", "PROJECT.jslr", "print the configuration script",
                   [](const std::vector<std::string>& args) { return PrintGenerated(args, false); }});
  table.push_back({"page", "PROJECT.jslr", "print the generated page",
                   [](const std::vector<std::string>& args) { return PrintGenerated(args, true); }});
  table.push_back({"publish", "[--force] PROJECT.jslr [FOLDER]",
                   "write page, scripts, project and report into FOLDER (default: the project's folder); "
                   "--force: also when another project's page there uses the same script",
                   Publish, {"--force"}});
}
