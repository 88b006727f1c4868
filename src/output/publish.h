#pragma once
// Save-and-publish: everything a web page needs for the box, side by side in
// the project's folder (page, both scripts, project file, publish report).

#include <string>
#include <vector>

#include "model/applet_agent.h"
#include "model/result.h"
#include "output/app_folders.h"
#include "output/preview.h"

inline constexpr const char* kPublishReportName = "PublishReport.txt";

// A script that could not be copied and the system's reason.
struct TFailedCopy {
  std::string name;
  std::string message;
};

struct TPublishResult {
  bool ok = true;
  std::string message;  // why the publish stopped, when !ok
  std::vector<TFailedCopy> failedCopies;
  // The other project whose published page stopped the publish, if any.
  std::string sharedWith;
};

// The other projects (as ProjectsSharingTheScript names them) whose pages
// the caller has agreed to take over. SaveAndPublish looks again under its
// lock and stops at any other one, so a project published meanwhile by
// another program is not taken over unasked.
struct TSharingCheck {
  std::vector<std::string> accepted;
};

// The file name without its extension: every occurrence of the text from the
// last "." to the end is removed, letter case ignored ("a.jslr.jslr" gives
// "a", "Notes.JSLR" gives "Notes").
std::string PublishBaseName(const std::string& fileName);

// folder ends with a separator (or is empty for the current directory).
// Writes both scripts, B.html, B.jslr and B_PublishReport.txt, all or none:
// each is written and synced under a temporary name beside its target, and
// only then are they renamed, in that order. The whole publish holds the
// folder's lock (TFolderLock). The configuration script is generated once,
// into the working folder (when there is one) and beside the project at the
// same time; the published one never comes from the working folder. Any file
// that cannot be written stops the publish before the first rename, after
// every file was tried; failed script copies are listed in the result. A
// runtime script missing from the resources is listed too, but the rest is
// published. With `sharing`, the folder is checked for other projects'
// pages under the lock (see TSharingCheck). The project file gets the
// tree's `levels` (see tree_math::TLevelTexts); the project itself is only
// read.
TPublishResult SaveAndPublish(const TkvdAppletAgent& agent, const AppFolders& folders, const std::string& folder,
                              const std::string& fileName, const std::vector<int>& levels,
                              const TSharingCheck* sharing = nullptr);

// Every project publishes the same configuration script name, so two projects
// published into one folder share one script and the first one's page shows
// the second one's items. These are the other projects of `folder` whose
// published page (X.html, a page of this program, beside X.jslr) a publish
// of `fileName` would take over, as "X.jslr", sorted.
std::vector<std::string> ProjectsSharingTheScript(const std::string& folder, const std::string& fileName);

// The question asked before such a publish (and the command-line refusal).
std::string SharedScriptQuestion(const std::string& otherProject);

// The seventeen lines of the report, CR LF after each.
std::string PublishReportText(const TStringArray& scriptFiles);

// The status strip's show of writing the report.
void ShowPublishReportProgress(const TkvdAppletAgent& agent);

TResult MakePublishReport(const TkvdAppletAgent& agent, const std::string& folder, const std::string& fileName);

// The Publish command's report: written straight into the preview folder as
// PublishReport.txt and recorded there; `path` receives where it went.
TResult MakePublishReportInPreview(const TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders,
                                   std::string& path);
