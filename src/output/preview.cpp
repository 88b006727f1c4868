#include "output/preview.h"

#include "model/file_io.h"

namespace {

void EnsurePreviewFolder(const AppFolders& folders) {
  std::string folder = folders.PreviewFolder();
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  CreateFolder(folder);
}

}  // namespace

TResult CopyToPreview(TPreviewFiles& preview, const AppFolders& folders, const std::string& path) {
  EnsurePreviewFolder(folders);
  const std::string name = NamePart(path);
  TResult r = CopyFileReplacing(path, folders.PreviewFolder() + name);
  preview.names.push_back(name);
  return r;
}

std::string ScriptSourcePath(const TkvdAppletAgent& agent, const AppFolders& folders, int index) {
  const std::string& name = agent.ScriptFiles[index];
  return (index == 0 ? folders.ResourceFolder() : folders.WorkingFolder()) + name;
}

TResult CopyScriptsToPreview(const TkvdAppletAgent& agent, TPreviewFiles& preview, const AppFolders& folders) {
  TResult first;
  for (int i = 0; i < static_cast<int>(agent.ScriptFiles.size()); ++i) {
    TResult r = CopyToPreview(preview, folders, ScriptSourcePath(agent, folders, i));
    if (!r && first) first = r;
  }
  return first;
}

TResult WriteToPreview(TPreviewFiles& preview, const AppFolders& folders, const std::string& name,
                       const std::string& bytes, std::string& path) {
  EnsurePreviewFolder(folders);
  path = folders.PreviewFolder() + name;
  TResult r = WriteFileAtomically(path, bytes);
  if (r) preview.names.push_back(name);
  return r;
}

void ClearPreview(TPreviewFiles& preview, const AppFolders& folders) {
  for (const std::string& name : preview.names) {
    const std::string path = folders.PreviewFolder() + name;
    if (FileExists(path)) DeleteFileIfExists(path);
  }
  preview.names.clear();
  std::string folder = folders.PreviewFolder();
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  RemoveEmptyFolder(folder);
}

void ShowResourceProgress(TkvdAppletAgent& agent) {
  ProgressScope scope(agent.progress(), "Copying Resource Files ... ...", 100);
  scope.Advance(50);
  scope.Advance(50);
}
