#pragma once
// The preview folder inside the working folder: what goes in is recorded in
// the agent's PreviewFiles so that ClearPreview deletes exactly that and
// never a file someone else put there.

#include <string>

#include "model/applet_agent.h"
#include "model/result.h"
#include "output/app_folders.h"

inline constexpr const char* kPreviewPageName = "~preview.html";

// Copies one file into the preview folder (created when missing) and records
// its name, also when the copy failed; the result says whether it worked.
TResult CopyToPreview(TkvdAppletAgent& agent, const AppFolders& folders, const std::string& path);

// Where entry `index` of ScriptFiles comes from: the runtime script ships in
// the resource folder, the configuration script is generated into the
// working folder.
std::string ScriptSourcePath(const TkvdAppletAgent& agent, const AppFolders& folders, int index);

// Both scripts into the preview folder, in ScriptFiles order. Every copy is
// tried; the result is the first failure.
TResult CopyScriptsToPreview(TkvdAppletAgent& agent, const AppFolders& folders);

// Writes a page straight into the preview folder under `name` and records
// it; `path` receives where it went.
TResult WriteToPreview(TkvdAppletAgent& agent, const AppFolders& folders, const std::string& name,
                       const std::string& bytes, std::string& path);

// Deletes every recorded file that is still there, forgets the names and
// removes the folder when nothing else is left in it.
void ClearPreview(TkvdAppletAgent& agent, const AppFolders& folders);

// The status strip's show of copying the resource files; copies nothing.
void ShowResourceProgress(TkvdAppletAgent& agent);
