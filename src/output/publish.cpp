#include "output/publish.h"

#include <cctype>

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

TPublishResult SaveAndPublish(TkvdAppletAgent& agent, const AppFolders& folders, const std::string& folder,
                              const std::string& fileName, const std::vector<int>& levels) {
  TPublishResult out;
  auto stop = [&out](const TResult& r) {
    out.ok = false;
    out.message = r.message;
    return out;
  };
  const std::string base = PublishBaseName(fileName);
  if (TResult r = MakeHtmlCodes(agent, folders, levels, folder + base + ".html"); !r) return stop(r);
  for (int i = 0; i < static_cast<int>(agent.ScriptFiles.size()); ++i) {
    const std::string& name = agent.ScriptFiles[i];
    if (TResult r = CopyFileReplacing(ScriptSourcePath(agent, folders, i), folder + name); !r)
      out.failedCopies.push_back({name, r.message});
  }
  if (TResult r = agent.SaveProject(folder + base + ".jslr"); !r) return stop(r);
  if (TResult r = MakePublishReport(agent, folder, base + "_PublishReport.txt"); !r) return stop(r);
  ProgressScope scope(agent.progress(), "Copying Publishable Files ... ...", 100);
  scope.Advance(50);
  scope.Advance(50);
  return out;
}
