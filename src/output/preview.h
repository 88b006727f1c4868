#pragma once
// The preview folder inside the working folder: what goes in is recorded in
// the session's TPreviewFiles so that ClearPreview deletes exactly that and
// never a file someone else put there.

#include <string>

#include "model/applet_agent.h"
#include "model/result.h"
#include "output/app_folders.h"

inline constexpr const char* kPreviewPageName = "~preview.html";

// Names of the files this session put into the preview folder. It belongs to
// the editing session, not to the project: a project loaded later must not
// forget what the previous one left there.
struct TPreviewFiles {
  TStringArray names;
};

// Copies one file into the preview folder (created when missing) and records
// its name, also when the copy failed; the result says whether it worked.
TResult CopyToPreview(TPreviewFiles& preview, const AppFolders& folders, const std::string& path);

// Where entry `index` of ScriptFiles comes from: the runtime script ships in
// the resource folder, the configuration script is generated into the
// working folder.
std::string ScriptSourcePath(const TkvdAppletAgent& agent, const AppFolders& folders, int index);

// Both scripts into the preview folder, in ScriptFiles order. Every copy is
// tried; the result is the first failure.
TResult CopyScriptsToPreview(const TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders);

// Writes a page straight into the preview folder under `name` and records
// it; `path` receives where it went.
TResult WriteToPreview(TPreviewFiles& preview, const AppFolders& folders, const std::string& name,
                       const std::string& bytes, std::string& path);

// Deletes every recorded file that is still there, forgets the names and
// removes the folder when nothing else is left in it.
void ClearPreview(TPreviewFiles& preview, const AppFolders& folders);

// The status strip's show of copying the resource files; copies nothing.
void ShowResourceProgress(const TkvdAppletAgent& agent);
