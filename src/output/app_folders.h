#pragma once
// The two folders the program uses. The resource folder ships with the
// program and is only read (runtime script, help, samples, seed templates);
// the working folder is where the program writes (configuration script,
// preview folder, recent files, templates). In a portable copy both are the
// executable's folder. Both paths end with a separator.

#include <string>

struct AppFolders {
  std::string resource;
  std::string working;
  // Below the working folder. A running editor takes a folder of its own in
  // here, so that two editors never show or delete each other's preview.
  std::string preview = "preview/";

  std::string ResourceFolder() const { return resource; }
  std::string WorkingFolder() const { return working; }
  std::string PreviewFolder() const { return working + preview; }
  std::string TemplatesFolder() const { return working + "templates/"; }

  // Adds the trailing separator where it is missing.
  static std::string WithSeparator(std::string folder);
};
