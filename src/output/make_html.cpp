#include "output/make_html.h"

#include "model/file_io.h"
#include "output/generator.h"

namespace {

constexpr const char* kMakingHint = "Making HTML Codes ... ...";

// Generates and writes the script; the page text goes to `page`.
TResult WriteScript(TkvdAppletAgent& agent, const AppFolders& folders, const std::vector<int>& levels,
                    ProgressScope& scope, std::string& page) {
  agent.RefreshLevels(levels);
  TGeneratedCode code = GenerateCode(agent.AppletData(), agent.Items(), agent.ScriptFiles);
  if (!code.ok) return TResult::Fail(code.message);
  if (TResult r = WriteFileAtomically(ConfigScriptPath(folders), code.script); !r) return r;
  scope.Advance(1);
  page = std::move(code.page);
  return TResult::Ok();
}

}  // namespace

std::string ConfigScriptPath(const AppFolders& folders) { return folders.WorkingFolder() + kConfigScriptName; }

TResult MakeHtmlCodes(TkvdAppletAgent& agent, const AppFolders& folders, const std::vector<int>& levels,
                      const std::string& pagePath) {
  ProgressScope scope(agent.progress(), kMakingHint, 2);
  std::string page;
  if (TResult r = WriteScript(agent, folders, levels, scope, page); !r) return r;
  if (TResult r = WriteFileAtomically(pagePath, page); !r) return r;
  scope.Advance(1);
  return TResult::Ok();
}

TResult MakeHtmlCodesForView(TkvdAppletAgent& agent, const AppFolders& folders, const std::vector<int>& levels,
                             std::string& page) {
  ProgressScope scope(agent.progress(), kMakingHint, 2);
  std::string text;
  if (TResult r = WriteScript(agent, folders, levels, scope, text); !r) return r;
  scope.Advance(1);
  page = std::move(text);
  return TResult::Ok();
}
