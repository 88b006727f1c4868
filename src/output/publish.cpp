#include "output/publish.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "model/file_io.h"
#include "model/text_lines.h"
#include "output/make_html.h"
#include "output/preview.h"

namespace {

bool SameIgnoringCase(const std::string& text, size_t at, const std::string& part) {
  for (size_t i = 0; i < part.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != std::tolower(static_cast<unsigned char>(part[i])))
      return false;
  return true;
}

const std::string kRule(77, '=');

}  // namespace

std::string PublishBaseName(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos) return fileName;
  const std::string extension = fileName.substr(dot);
  std::string out;
  size_t i = 0;
  while (i < fileName.size()) {
    if (i + extension.size() <= fileName.size() && SameIgnoringCase(fileName, i, extension)) {
      i += extension.size();
    } else {
      out += fileName[i++];
    }
  }
  return out;
}

std::string PublishReportText(const TStringArray& scriptFiles) {
  std::string out;
  for (const std::string& line :
       {kRule,
        std::string("This message contain the information about how to publish the Javascript menu. Please read it "
                    "carefully!"),
        std::string("All necessary files be saved in the same directory the project file (*.jslr) in. If you still "
                    "not"),
        std::string("save the current project, save it first! This message will aslo be saved in a text file along "
                    "with"),
        std::string("project file named \"ProjectName_PublishReport.txt\"."), kRule, std::string(),
        std::string("[Javascript menu script file(s)]:")})
    AppendLine(out, line);
  for (const std::string& name : scriptFiles) AppendLine(out, "  " + name);
  for (const std::string& line :
       {std::string(), std::string("[Image File(s)]: They should be copied to the same directory the script file in!"),
        std::string(), std::string(), kRule, std::string("End of Publish Report"), kRule})
    AppendLine(out, line);
  return out;
}

TResult MakePublishReport(TkvdAppletAgent& agent, const std::string& folder, const std::string& fileName) {
  const std::string text = PublishReportText(agent.ScriptFiles);
  {
    ProgressScope scope(agent.progress(), "Making Publish Report ... ...", 101);
    for (size_t i = 0; i < agent.ScriptFiles.size(); ++i) scope.Advance(1);
    scope.Advance(50);
    scope.Advance(50);
  }
  return WriteFileAtomically(folder + fileName, text);
}

TResult MakePublishReportInPreview(const TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders,
                                   std::string& path) {
  return WriteToPreview(preview, folders, kPublishReportName, PublishReportText(agent.ScriptFiles), path);
}

std::vector<std::string> ProjectsSharingTheScript(const std::string& folder, const std::string& fileName) {
  namespace fs = std::filesystem;
  const std::string base = PublishBaseName(fileName);
  std::vector<std::string> out;
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= 5 || !SameIgnoringCase(name, name.size() - 5, ".jslr")) continue;
    const std::string other = PublishBaseName(name);
    if (other == base || other.empty()) continue;
    const std::string page = folder + other + ".html";
    std::string bytes;
    if (!FileExists(page) || !ReadFileBytes(page, bytes)) continue;
    // A page of this program names the shared script in its snippet.
    if (bytes.find(std::string("src=\"") + kConfigScriptName + "\"") == std::string::npos) continue;
    out.push_back(name);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string SharedScriptQuestion(const std::string& otherProject) {
  return "The folder already holds the published box of \"" + otherProject + "\". Both use " + kConfigScriptName +
         ", so " + PublishBaseName(otherProject) + ".html will show this project's items. Save anyway?";
}

TPublishResult SaveAndPublish(TkvdAppletAgent& agent, const AppFolders& folders, const std::string& folder,
                              const std::string& fileName, const std::vector<int>& levels) {
  TPublishResult out;
  auto stop = [&out](const TResult& r) {
    out.ok = false;
    out.message = r.message;
    return out;
  };
  const std::string base = PublishBaseName(fileName);
  {
    ProgressScope scope(agent.progress(), "Making HTML Codes ... ...", 2);
    agent.RefreshLevels(levels);
    // The script is generated once into both places. The copy beside the
    // project comes from memory, never from the working folder, which
    // another running editor or command may rewrite at any moment.
    TAtomicFileWriter working(ConfigScriptPath(folders), TAtomicFileWriter::TDurability::Scratch);
    TAtomicFileWriter published(folder + kConfigScriptName);
    std::string page;
    if (TResult r = GenerateScriptInto(agent, {&working, &published}, page); !r) return stop(r);
    // The script copies are tried even after a failure here, so that every
    // failure of a full disk is named, not only the first.
    TResult first = working.Commit();
    scope.Advance(1);
    if (TResult r = WriteFileAtomically(folder + base + ".html", page); !r && first) first = r;
    scope.Advance(1);
    for (int i = 0; i < static_cast<int>(agent.ScriptFiles.size()); ++i) {
      const std::string& name = agent.ScriptFiles[i];
      const TResult r = name == kConfigScriptName
                            ? published.Commit()
                            : CopyFileReplacing(ScriptSourcePath(agent, folders, i), folder + name);
      if (!r) out.failedCopies.push_back({name, r.message});
    }
    if (!first) return stop(first);
  }
  if (TResult r = agent.SaveProject(folder + base + ".jslr"); !r) return stop(r);
  if (TResult r = MakePublishReport(agent, folder, base + "_PublishReport.txt"); !r) return stop(r);
  ProgressScope scope(agent.progress(), "Copying Publishable Files ... ...", 100);
  scope.Advance(50);
  scope.Advance(50);
  return out;
}
