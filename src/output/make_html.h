#pragma once
// The file step on top of the generator: the configuration script written
// into the working folder, and the page written to the caller's path (or
// handed back for the code view, which needs no file). The project is only
// read.

#include <string>
#include <vector>

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/result.h"
#include "output/app_folders.h"

// Working folder + this name receives the configuration script at every
// generation.
std::string ConfigScriptPath(const AppFolders& folders);

// Generates the configuration script of the agent's project straight into
// every writer, a piece at a time, so the script is
// never held whole; the page comes back in `page`. On a conversion error
// nothing is written and the result carries the message. Each writer keeps
// its own write failure; the caller commits them.
TResult GenerateScriptInto(const TkvdAppletAgent& agent, const std::vector<TAtomicFileWriter*>& writers,
                           std::string& page);

// On a conversion error nothing is written (a half script would only break
// a later preview) and the result carries the message.
TResult MakeHtmlCodes(const TkvdAppletAgent& agent, const AppFolders& folders, const std::string& pagePath);

// The same, but the page comes back in `page` instead of going to a file.
TResult MakeHtmlCodesForView(const TkvdAppletAgent& agent, const AppFolders& folders, std::string& page);
