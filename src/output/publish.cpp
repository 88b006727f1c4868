#include "output/publish.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "model/file_io.h"
#include "model/project_file.h"
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
  for (const std::string& line : {kRule,
                                  std::string("This message contain the information about how to publish "
                                              "the Javascript menu. Please read it "
                                              "carefully!"),
                                  std::string("All necessary files be saved in the same directory the "
                                              "project file (*.jslr) in. If you still "
                                              "not"),
                                  std::string("save the current project, save it first! This message "
                                              "will aslo be saved in a text file along "
                                              "with"),
                                  std::string("project file named \"ProjectName_PublishReport.txt\"."), kRule,
                                  std::string(), std::string("[Javascript menu script file(s)]:")})
    AppendLine(out, line);
  for (const std::string& name : scriptFiles) AppendLine(out, "  " + name);
  for (const std::string& line : {std::string(),
                                  std::string("[Image File(s)]: They should be copied to the same "
                                              "directory the script file in!"),
                                  std::string(), std::string(), kRule, std::string("End of Publish Report"), kRule})
    AppendLine(out, line);
  return out;
}

void ShowPublishReportProgress(const TkvdAppletAgent& agent) {
  ProgressScope scope(agent.progress(), "Making Publish Report ... ...", 101);
  for (size_t i = 0; i < agent.ScriptFiles.size(); ++i) scope.Advance(1);
  scope.Advance(50);
  scope.Advance(50);
}

TResult MakePublishReport(const TkvdAppletAgent& agent, const std::string& folder, const std::string& fileName) {
  ShowPublishReportProgress(agent);
  return WriteFileAtomically(folder + fileName, PublishReportText(agent.ScriptFiles));
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

namespace {

// A test seam: the race between two publishes is made certain, not lucky,
// by holding the lock a while after the check. Read from the environment so
// that a test can set it for a separate process; unset, it costs nothing.
void PauseAfterCheckForTests() {
  const char* ms = std::getenv("LUMEROLL_TEST_PAUSE_AFTER_CHECK_MS");
  if (ms != nullptr && *ms != '\0') std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(ms)));
}

// The files of one publish, each staged beside its target, renamed in the
// order of the list.
struct TStagedFile {
  std::string name;
  std::unique_ptr<TAtomicFileWriter> writer;
};

}  // namespace

TPublishResult SaveAndPublish(const TkvdAppletAgent& agent, const AppFolders& folders, const std::string& folder,
                              const std::string& fileName, const std::vector<int>& levels,
                              const TSharingCheck* sharing) {
  TPublishResult out;
  auto stop = [&out](const TResult& r) {
    out.ok = false;
    out.message = r.message;
    return out;
  };
  const std::string base = PublishBaseName(fileName);
  // One publisher at a time, from the check of the folder to the last
  // rename: two publishes at once would mix their files.
  TFolderLock lock;
  if (TResult r = lock.Acquire(folder); !r) return stop(r);
  RemoveLeftoverTemporaryFiles(folder);
  if (sharing != nullptr) {
    for (const std::string& other : ProjectsSharingTheScript(folder, fileName)) {
      if (std::find(sharing->accepted.begin(), sharing->accepted.end(), other) != sharing->accepted.end()) continue;
      out.sharedWith = other;
      return stop(TResult::Fail(SharedScriptQuestion(other)));
    }
  }
  PauseAfterCheckForTests();

  // Every file is written and synced under a temporary name first; only
  // when all of them are on the disk does the first rename happen, so a
  // full disk or a read-only file leaves the folder as it was.
  std::vector<TStagedFile> staged;
  auto stage = [&staged, &folder](const std::string& name) -> TAtomicFileWriter& {
    staged.push_back({name, std::make_unique<TAtomicFileWriter>(folder + name)});
    return *staged.back().writer;
  };
  TResult first;
  auto note = [&first](const TResult& r) {
    if (!r && first) first = r;
  };
  // The working folder's script, for the editor's preview; the command-line
  // tool has no working folder and writes none.
  std::unique_ptr<TAtomicFileWriter> working;
  {
    ProgressScope scope(agent.progress(), "Making HTML Codes ... ...", 2);
    if (!folders.working.empty())
      working = std::make_unique<TAtomicFileWriter>(ConfigScriptPath(folders), TAtomicFileWriter::TDurability::Scratch);
    // The scripts first: renamed before the page that names them.
    for (int i = 0; i < static_cast<int>(agent.ScriptFiles.size()); ++i) {
      const std::string& name = agent.ScriptFiles[i];
      if (name == kConfigScriptName) {
        stage(name);
        continue;
      }
      // A runtime script missing from the resources is named and left out;
      // the rest is still published.
      std::string bytes;
      if (TResult r = ReadFileBytes(ScriptSourcePath(agent, folders, i), bytes); !r) {
        out.failedCopies.push_back({name, r.message});
        continue;
      }
      stage(name).Write(bytes);
    }
    std::vector<TAtomicFileWriter*> scriptWriters;
    if (working) scriptWriters.push_back(working.get());
    for (TStagedFile& f : staged)
      if (f.name == kConfigScriptName) scriptWriters.push_back(f.writer.get());
    std::string page;
    if (TResult r = GenerateScriptInto(agent, scriptWriters, page); !r) return stop(r);
    scope.Advance(1);
    stage(base + ".html").Write(page);
    scope.Advance(1);
  }
  TAtomicFileWriter& project = stage(base + ".jslr");
  WriteProjectPieces(agent.AppletData(), agent.Items(), levels, agent.progress(),
                     [&project](std::string_view piece) { project.Write(piece); });
  ShowPublishReportProgress(agent);
  stage(base + "_PublishReport.txt").Write(PublishReportText(agent.ScriptFiles));

  // Every failure is named, not only the first: a full disk fails them all.
  // The page, project and report come first in the message, as the files
  // a user looks for; the scripts are listed as failed copies.
  if (working) note(working->Stage());
  TResult scripts;
  for (TStagedFile& f : staged) {
    const TResult r = f.writer->Stage();
    if (f.name != kRuntimeScriptName && f.name != kConfigScriptName) {
      note(r);
    } else if (!r) {
      out.failedCopies.push_back({f.name, r.message});
      if (scripts) scripts = r;
    }
  }
  note(scripts);
  if (!first) return stop(first);
  if (working) note(working->Commit());
  if (!first) return stop(first);
  for (TStagedFile& f : staged)
    if (TResult r = f.writer->Commit(); !r) return stop(r);

  ProgressScope scope(agent.progress(), "Copying Publishable Files ... ...", 100);
  scope.Advance(50);
  scope.Advance(50);
  return out;
}
