#pragma once
// What the editor window needs from outside: the modal prompts, the launcher
// and the program's folders. Tests pass scripted prompts, a capturing
// launcher and temporary folders.

#include "output/app_folders.h"
#include "platform/launcher.h"
#include "platform/prompts.h"

struct TEditorServices {
  Prompts& prompts;
  Launcher& launcher;
  AppFolders folders;
};
