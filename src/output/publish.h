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
};

// The file name without its extension: every occurrence of the text from the
// last "." to the end is removed, letter case ignored ("a.jslr.jslr" gives
// "a", "Notes.JSLR" gives "Notes").
std::string PublishBaseName(const std::string& fileName);

// folder ends with a separator (or is empty for the current directory).
// Writes B.html, both scripts, B.jslr and B_PublishReport.txt. A page,
// project or report that cannot be written stops the publish there; failed
// script copies do not, they are listed in the result.
TPublishResult SaveAndPublish(TkvdAppletAgent& agent, const AppFolders& folders, const std::string& folder,
                              const std::string& fileName, const std::vector<int>& levels);

// The seventeen lines of the report, CR LF after each.
std::string PublishReportText(const TStringArray& scriptFiles);

TResult MakePublishReport(TkvdAppletAgent& agent, const std::string& folder, const std::string& fileName);

// The Publish command's report: written straight into the preview folder as
// PublishReport.txt and recorded there; `path` receives where it went.
TResult MakePublishReportInPreview(const TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders,
                                   std::string& path);
