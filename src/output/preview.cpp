#include "output/preview.h"

#include <filesystem>

#include "model/file_io.h"
#include "output/make_html.h"

namespace {

std::string WithoutSeparator(std::string folder) {
  if (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder;
}

// The preview folder and, for an editor's own one, the shared folder above.
void EnsurePreviewFolder(const AppFolders& folders) {
  const std::string own = WithoutSeparator(folders.PreviewFolder());
  const std::string shared = WithoutSeparator(FolderPart(own));
  if (shared.size() > folders.WorkingFolder().size()) CreateFolder(shared);
  CreateFolder(own);
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
    const std::string& name = agent.ScriptFiles[i];
    TResult r;
    if (name == kConfigScriptName) {
      // Generated here rather than copied from the working folder, which
      // another running editor may have rewritten since.
      EnsurePreviewFolder(folders);
      TAtomicFileWriter writer(folders.PreviewFolder() + name, TAtomicFileWriter::TDurability::Scratch);
      std::string page;
      r = GenerateScriptInto(agent, {&writer}, page);
      if (r) r = writer.Commit();
      preview.names.push_back(name);
    } else {
      r = CopyToPreview(preview, folders, ScriptSourcePath(agent, folders, i));
    }
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
  const std::string own = WithoutSeparator(folders.PreviewFolder());
  RemoveEmptyFolder(own);
  const std::string shared = WithoutSeparator(FolderPart(own));
  if (shared.size() > folders.WorkingFolder().size()) RemoveEmptyFolder(shared);
}

void ShowResourceProgress(const TkvdAppletAgent& agent) {
  ProgressScope scope(agent.progress(), "Copying Resource Files ... ...", 100);
  scope.Advance(50);
  scope.Advance(50);
}
