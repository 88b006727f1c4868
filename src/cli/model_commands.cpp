// The commands of lumeroll-cli on project and structure files: outline shows
// the item tree of either kind of file, export and import convert between
// them.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/terminal_progress.h"
#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model/structure_file.h"
#include "model/system_folders.h"
#include "model/text_lines.h"
#include "model/tree_math.h"

namespace {

// The items and tree of a file that may be either kind. A file that names the
// structure format after its "<Product_Name>" tag, or carries a tag only
// structure files have, is read (and refused) as a structure file; anything
// else as a project.
struct TOutlineSource {
  TItemArray items;
  std::vector<int> parents;
};

bool LooksLikeStructureFile(std::string_view bytes) {
  TLineReader in(bytes);
  bool structureTag = false;
  while (!in.AtEnd()) {
    const std::string_view line = in.ReadLine();
    if (line == "<Product_Name>" && !in.AtEnd() && in.ReadLine() == kStructureFormatName) return true;
    if (line == "<Generator_Name>" || line == "<Structure_Description>") structureTag = true;
    if (line == "<Applet_Parameters>" || line == "<Item_Parameters>") return false;
  }
  return structureTag;
}

TResult ReadEitherFile(const std::string& path, TOutlineSource& out) {
  std::string bytes;
  if (TResult r = ReadFileBytes(path, bytes); !r) return r;
  TTerminalProgress progress;
  if (LooksLikeStructureFile(bytes)) {
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
  if (TResult r = ReadEitherFile(args[0], source); !r) return FailIn(args[0], r);
  // The root node stands for the box; a child of the root is one step in.
  // Written line by line: memory stays that of the loaded file.
  std::fputs(kProductName, stdout);
  std::fputc('\n', stdout);
  const std::vector<int> levels = tree_math::LevelsFromParents(source.parents);
  const std::string indent(2 * (tree_math::kMaxNestingDepth + 1), ' ');
  for (size_t k = 0; k < source.items.size(); ++k) {
    std::fwrite(indent.data(), 1, std::min(indent.size(), static_cast<size_t>(2 * (levels[k] + 1))), stdout);
    const std::string& caption = source.items[k].ICaption;
    std::fwrite(caption.data(), 1, caption.size(), stdout);
    std::fputc('\n', stdout);
  }
  return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0
                                                          : Fail("Cannot write the outline to standard output");
}

int RunExport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("export", "PROJECT.jslr OUT.gms");
  // Writing the output over the input would replace the file being
  // converted with the other kind of file.
  if (SameFile(args[0], args[1])) return Fail(args[1] + ": is the project being exported; not replaced");
  TTerminalProgress progress;
  TkvdAppletAgent agent;
  agent.SetProgress(&progress);
  std::vector<int> parents;
  if (TResult r = agent.LoadProject(args[0], parents); !r) return FailIn(args[0], r);
  if (TResult r = agent.ExportStructure(args[1], tree_math::LevelsFromParents(parents)); !r) return FailIn(args[1], r);
  return 0;
}

int RunImport(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage("import", "IN.gms OUT.jslr");
  if (SameFile(args[0], args[1])) return Fail(args[1] + ": is the structure file being imported; not replaced");
  TTerminalProgress progress;
  TkvdAppletAgent agent;
  agent.SetProgress(&progress);
  agent.SetDefaults();
  std::vector<int> parents;
  if (TResult r = agent.ImportStructure(args[0], parents); !r) return FailIn(args[0], r);
  // Levels as the tree shows them, as after the editor's level refresh.
  agent.RefreshLevels(tree_math::LevelsFromParents(parents));
  if (TResult r = agent.SaveProject(args[1]); !r) return FailIn(args[1], r);
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
