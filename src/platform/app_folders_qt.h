#pragma once
// Finds the program's two folders. A portable copy (the runtime script beside
// a writable executable) uses the executable's folder for both; an installed
// copy reads from <prefix>/share/javascript-lumeroll and writes into the
// user's data folder, which gets the seed templates the first time.

#include <QString>

#include "model/applet_agent.h"
#include "output/app_folders.h"

// The folders for an executable in executableFolder; perUserFolder is the
// writable folder of the installed layout. Creates the working folder and
// seeds its templates when needed.
AppFolders ResolveAppFolders(const QString& executableFolder, const QString& perUserFolder);
// The folders of the running program.
AppFolders AppFoldersOfThisProgram();
