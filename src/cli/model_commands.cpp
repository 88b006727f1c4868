// The commands of lumeroll-cli on project and structure files: outline shows
// the item tree of either kind of file, export and import convert between
// them.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/terminal_progress.h"
#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model/structure_file.h"
#include "model/text_lines.h"
#include "model/tree_math.h"

namespace {

// The items and tree of a file that may be either kind, told apart by the
// line after its "<Product_Name>" tag; anything that does not name the
// structure format is read (and refused) as a project.
struct TOutlineSource {
  TItemArray items;
  std::vector<int> parents;
};

bool NamesStructureFormat(std::string_view bytes) {
  TLineReader in(bytes);
  while (!in.AtEnd())
    if (in.ReadLine() == "<Product_Name>") return !in.AtEnd() && in.ReadLine() == kStructureFormatName;
  return false;
}

TResult ReadEitherFile(const std::string& path, TOutlineSource& out) {
  std::string bytes;
  if (TResult r = ReadFileBytes(path, bytes); !r) return r;
  TTerminalProgress progress;
  if (NamesStructureFormat(bytes)) {
    TLoadedStructure structure;
    if (TResult r = ReadStructureText(bytes, structure, progress); !r) return r;
    out = {std::move(structure.items), std::move(structure.parents)};
    return TResult::Ok();
  }
  TLoadedProject project;
  if (TResult r = ReadProjectText(bytes, project, progress); !r) return r;
  out = {std::move(project.items), std::move(project.parents)};
  return TResult::Ok();
}

int Usage(const std::string& command, const std::string& arguments) {
  std::fprintf(stderr, "Usage: lumeroll-cli %s %s\n", command.c_str(), arguments.c_str());
  return kExitUsage;
}

int RunOutline(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("outline", "FILE");
  TOutlineSource source;
  if (TResult r = ReadEitherFile(args[0], source); !r) return Fail(r.message);
  // The root node stands for the box; a child of the root is one step in.
  std::string text = std::string(kProductName) + "\n";
  const std::vector<int> levels = tree_math::LevelsFromParents(source.parents);
  for (size_t k = 0; k < source.items.size(); ++k) {
    text.append(2 * (levels[k] + 1), ' ');
    text += source.items[k].ICaption;
    text += '\n';
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : Fail("Cannot write the outline to standard output");
}

int RunExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("export", "PROJECT.jslr OUT.gms");
  TTerminalProgress progress;
  TkvdAppletAgent agent;
  agent.SetProgress(&progress);
  std::vector<int> parents;
  if (TResult r = agent.LoadProject(args[0], parents); !r) return Fail(r.message);
  if (TResult r = agent.ExportStructure(args[1], tree_math::LevelsFromParents(parents)); !r) return Fail(r.message);
  return 0;
}

int RunImport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("import", "IN.gms OUT.jslr");
  TTerminalProgress progress;
  TkvdAppletAgent agent;
  agent.SetProgress(&progress);
  agent.SetDefaults();
  std::vector<int> parents;
  if (TResult r = agent.ImportStructure(args[0], parents); !r) return Fail(r.message);
  // Levels as the tree shows them, as after the editor's level refresh.
  agent.RefreshLevels(tree_math::LevelsFromParents(parents));
  if (TResult r = agent.SaveProject(args[1]); !r) return Fail(r.message);
  return 0;
}

}  // namespace

void RegisterModelCommands(TCliCommandTable& table) {
  table.push_back({"outline", "FILE", "print the item tree of a project (.jslr) or structure (.gms) file",
                   RunOutline});
  table.push_back({"export", "PROJECT.jslr OUT.gms", "write the menu structure file of a project", RunExport});
  table.push_back({"import", "IN.gms OUT.jslr", "write a structure file as a project with default parameters",
                   RunImport});
}
