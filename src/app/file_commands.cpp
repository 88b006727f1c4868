#include "app/file_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStandardPaths>

#include "editor/main_form.h"
#include "editor/pages/property_pages.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model/structure_file.h"
#include "model/system_folders.h"
#include "model/vocabulary.h"
#include "output/preview.h"
#include "output/publish.h"
#include "app/error_box.h"

TFileCommands::TFileCommands(TMainForm& form)
    : QObject(&form), form_(form), prompts_(form.Services().prompts) {}

void TFileCommands::Connect() {
  auto wire = [this](QAction* action, auto handler) {
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
  };
  const TMainForm::TProgramActions& a = form_.ProgramActions();
  wire(a.New1, [this] { New1Click(); });
  wire(a.Open1, [this] { Open1Click(); });
  wire(a.Save1, [this] { Save1Click(); });
  wire(a.Save2, [this] { Save2Click(); });
  wire(a.SaveAsTemplate1, [this] { SaveAsTemplate1Click(); });
  wire(a.ImportMenuStructure1, [this] { ImportMenuStructure1Click(); });
  wire(a.ExportMenuStructure1, [this] { ExportMenuStructure1Click(); });
  form_.SetCloseQuery([this] { return FormCloseQuery(); });
  // Connecting enabled Save; the modified mark decides.
  a.Save1->setEnabled(form_.Modified());
}

void TFileCommands::ShowError(const QString& message) {
  ShowErrorBox(prompts_, &form_, message);
}

bool TFileCommands::AskToSave(const QString& question) {
  if (!form_.Modified()) return true;
  switch (prompts_.Ask(&form_, TMessageKind::Warning, question, TButtons::YesNoCancel)) {
    case TAnswer::Yes:
      return Save1Click();
    case TAnswer::No:
      emit UnsavedChangesDiscarded();
      return true;
    default:
      return false;
  }
}

std::optional<QString> TFileCommands::AskFileName(bool save, const char* filter) {
  TFileDialogRequest& state = save ? saveDialog_ : openDialog_;
  state.filter = QString::fromLatin1(filter);
  std::optional<QString> chosen = save ? prompts_.SaveFileName(&form_, state) : prompts_.OpenFileName(&form_, state);
  if (chosen) {
    state.fileName = QFileInfo(*chosen).fileName();
    state.initialFolder = chosen->left(chosen->size() - state.fileName.size());
  }
  return chosen;
}

void TFileCommands::Finish() {
  form_.SelectEntry(-1);
  form_.ShowPagesForSelection();
}

void TFileCommands::New1Click() {
  if (!AskToSave(QStringLiteral("Save changes to files?"))) return;
  ClearPreview(form_.Document().PreviewFiles(), form_.Services().folders);
  form_.SetCurrentProjectPath(QString());
  TLumerollDocument& document = form_.Document();
  document.StartProject({DefaultAppletData(), {}, document.Agent().FileVersion});
}

void TFileCommands::Open1Click() {
  if (!AskToSave(QStringLiteral("Save changes to files?"))) return;
  ClearPreview(form_.Document().PreviewFiles(), form_.Services().folders);
  const std::optional<QString> path = AskFileName(false, kProjectFilter);
  if (!path) return;
  if (LoadInto(*path, TLoadKind::Project, false)) AddRecentFile(*path);
}

bool TFileCommands::OpenProjectFile(const QString& path, bool silent) {
  if (path.isEmpty()) return false;
  if (!AskToSave(QStringLiteral("Save changes to files?"))) return false;
  ClearPreview(form_.Document().PreviewFiles(), form_.Services().folders);
  if (!LoadInto(path, TLoadKind::Project, silent)) return false;
  AddRecentFile(path);
  return true;
}

bool TFileCommands::OpenTemplate(const QString& path) {
  if (path.isEmpty()) return false;
  if (!AskToSave(QStringLiteral("Save changes to files?"))) return false;
  ClearPreview(form_.Document().PreviewFiles(), form_.Services().folders);
  return LoadInto(path, TLoadKind::Template, false);
}

bool TFileCommands::LoadInto(const QString& path, TLoadKind kind, bool silent) {
  QString error;
  const bool taken = TakeOver(
      [&](TProjectState& project) {
        if (kind == TLoadKind::Structure) {
          std::string bytes;
          if (TResult r = ReadFileBytes(CorePath(path), bytes); !r) return r;
          TLoadedStructure loaded;
          if (TResult r = ReadStructureText(bytes, loaded, form_); !r) return r;
          project = {DefaultAppletData(), std::move(loaded.items), std::move(loaded.fileVersion)};
          return TResult::Ok();
        }
        TLoadedProject loaded;
        if (TResult r = ReadProjectFile(CorePath(path), loaded, form_); !r) return r;
        project = {std::move(loaded.applet), std::move(loaded.items), std::move(loaded.fileVersion)};
        return TResult::Ok();
      },
      kind, kind == TLoadKind::Project ? path : QString(), error);
  if (!taken && !silent) ShowError(error);
  return taken;
}

bool TFileCommands::OpenRecovered(const QByteArray& project, const QString& path, QString& error) {
  return TakeOver(
      [&](TProjectState& state) {
        TLoadedProject loaded;
        NullProgress quiet;
        const TResult read =
            ReadProjectText(std::string_view(project.constData(), static_cast<size_t>(project.size())), loaded, quiet);
        if (!read) return read;
        state = {std::move(loaded.applet), std::move(loaded.items), std::move(loaded.fileVersion)};
        return TResult::Ok();
      },
      TLoadKind::Recovered, path, error);
}

bool TFileCommands::TakeOver(const std::function<TResult(TProjectState&)>& load, TLoadKind kind,
                             const QString& path, QString& error) {
  TProjectState project;
  if (const TResult loaded = load(project); !loaded) {
    // The project, tree, pages, path and mark stay as they were.
    error = FromCoreMessage(loaded.message);
    return false;
  }
  // Values the pages cannot show: the previous project stays.
  if (const TResult shown = form_.Pages().CheckAppletData(project.applet); !shown) {
    error = FromCoreMessage(shown.message);
    return false;
  }
  TLumerollDocument& document = form_.Document();
  if (kind == TLoadKind::Structure) {
    // The import is one step: its undo brings the whole previous project back.
    document.ImportProject(std::move(project), QStringLiteral("Import Menu Structure"));
  } else {
    // A project, a template or a recovered copy starts a history of its own
    // like New. A recovered copy matches no file at any step of it.
    form_.SetCurrentProjectPath(path);
    document.StartProject(std::move(project));
    if (kind == TLoadKind::Recovered) document.SetModified(true);
  }
  if (kind != TLoadKind::Recovered) ShowResourceProgress(document.Agent());
  Finish();
  return true;
}

bool TFileCommands::SaveTo(const QString& path) {
  const std::string local = CorePath(path);
  // Another project's published page would show this project's items. The
  // publish looks again under its folder lock; a page that another program
  // published since is asked about too, and the save tried again.
  TSharingCheck check;
  auto agreed = [this, &check](const std::string& other) {
    if (prompts_.Ask(&form_, TMessageKind::Warning, FromCoreMessage(SharedScriptQuestion(other)), TButtons::YesNo) !=
        TAnswer::Yes)
      return false;
    check.accepted.push_back(other);
    return true;
  };
  for (const std::string& other : ProjectsSharingTheScript(FolderPart(local), NamePart(local)))
    if (!agreed(other)) return false;
  TPublishResult published = SaveAndPublish(form_.Agent(), form_.Services().folders, FolderPart(local),
                                            NamePart(local), form_.TreeLevels(), &check);
  while (!published.ok && !published.sharedWith.empty()) {
    if (!agreed(published.sharedWith)) return false;
    published = SaveAndPublish(form_.Agent(), form_.Services().folders, FolderPart(local), NamePart(local),
                               form_.TreeLevels(), &check);
  }
  // Every failure is named: a full disk fails the script copies as well as
  // the project, and the copies must not go unmentioned.
  if (!published.ok) {
    QStringList copies;
    for (const TFailedCopy& f : published.failedCopies)
      copies << FromCoreMessage(f.name + " was not copied: " + f.message);
    ShowErrorBox(prompts_, &form_, FromCoreMessage(published.message), copies);
    return false;
  }
  if (!published.failedCopies.empty()) {
    QString text = QStringLiteral("The project was saved, but these files could not be copied beside it, so the "
                                  "published page will not show the box:");
    for (const TFailedCopy& f : published.failedCopies)
      text += QStringLiteral("\n%1: %2").arg(FromCoreMessage(EscapeControlCharacters(f.name)),
                                             FromCoreMessage(EscapeControlCharacters(f.message)));
    prompts_.Tell(&form_, TMessageKind::Warning, text);
  }
  return true;
}

bool TFileCommands::Save1Click() {
  if (!form_.CurrentProjectPath().isEmpty()) {
    if (!SaveTo(form_.CurrentProjectPath())) return false;
    form_.SetModified(false);
    return true;
  }
  return Save2Click();
}

bool TFileCommands::Save2Click() {
  // The program's own folders hold templates and what the program writes
  // for itself, not the user's projects.
  if (!savingTemplate_ && InProgramFolders(saveDialog_.initialFolder)) saveDialog_.initialFolder = DocumentsFolder();
  const std::optional<QString> path = AskFileName(true, kProjectFilter);
  if (!path || !SaveTo(*path)) return false;
  form_.SetCurrentProjectPath(*path);
  form_.SetModified(false);
  return true;
}

void TFileCommands::SaveAsTemplate1Click() {
  const QString folder = FromCorePath(form_.Services().folders.TemplatesFolder());
  CreateFolder(CorePath(folder));
  const QString previous = saveDialog_.initialFolder;
  saveDialog_.initialFolder = folder;
  savingTemplate_ = true;
  Save2Click();
  savingTemplate_ = false;
  // Later saves do not start among the templates.
  saveDialog_.initialFolder = previous;
}

QString TFileCommands::DocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? QDir::homePath() : documents;
}

bool TFileCommands::InProgramFolders(const QString& folder) const {
  if (folder.isEmpty()) return true;  // the dialog's default: where the program was started
  const QString cleaned = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
  const AppFolders& folders = form_.Services().folders;
  for (const std::string& own : {folders.ResourceFolder(), folders.WorkingFolder()}) {
    if (own.empty()) continue;
    const QString ownFolder = QDir::cleanPath(QFileInfo(FromCorePath(own)).absoluteFilePath());
    if (cleaned == ownFolder || cleaned.startsWith(ownFolder + QLatin1Char('/'))) return true;
  }
  return false;
}

void TFileCommands::ImportMenuStructure1Click() {
  if (!AskToSave(QStringLiteral("Save changes to files?"))) return;
  const AppFolders& folders = form_.Services().folders;
  ClearPreview(form_.Document().PreviewFiles(), folders);
  CreateFolder(folders.PreviewFolder());
  const std::optional<QString> path = AskFileName(false, kStructureFilter);
  if (!path) return;
  LoadInto(*path, TLoadKind::Structure, false);
}

void TFileCommands::ExportMenuStructure1Click() {
  std::optional<QString> path = AskFileName(true, kStructureFilter);
  if (!path) return;
  if (!path->right(4).toLower().endsWith(QStringLiteral(".gms"))) *path += QStringLiteral(".gms");
  // A project saved under a .gms name would otherwise be replaced by its
  // own structure file.
  const QString project = form_.CurrentProjectPath();
  if (!project.isEmpty() && SameFile(CorePath(project), CorePath(*path))) {
    ShowError(*path + QStringLiteral(": is the open project; not replaced"));
    return;
  }
  if (const TResult r = form_.Agent().ExportStructure(CorePath(*path), form_.TreeLevels()); !r)
    ShowError(FromCoreMessage(r.message));
}

void TFileCommands::Exit1Click() { form_.close(); }

bool TFileCommands::FormCloseQuery() {
  bool mayClose = true;
  if (form_.Modified()) {
    switch (prompts_.Ask(&form_, TMessageKind::Warning, QStringLiteral("Save changes to files before Exit?"),
                         TButtons::YesNoCancel)) {
      case TAnswer::Yes:
        mayClose = Save1Click();
        break;
      case TAnswer::No:
        emit UnsavedChangesDiscarded();
        break;
      default:
        mayClose = false;
    }
  }
  ClearPreview(form_.Document().PreviewFiles(), form_.Services().folders);
  return mayClose;
}

TRecentFiles TFileCommands::RecentList() const {
  return TRecentFiles(form_.Services().folders.WorkingFolder() + "recentfile.dat");
}

void TFileCommands::LoadRecentFiles() {
  std::vector<std::string> lines;
  const TResult r = RecentList().Load(lines);
  QMenu* menu = &form_.RecentFilesMenu();
  menu->clear();
  menu->menuAction()->setEnabled(true);
  if (!r) {
    ShowError(FromCoreMessage(r.message));
    return;
  }
  for (const std::string& line : lines) {
    const QString stored = FromCorePath(line);
    // The stored "&n " gives the accelerator; an "&" in the path is shown as it is.
    QString caption = stored.left(3) + stored.mid(3).replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* entry = menu->addAction(caption);
    entry->setData(stored);
    connect(entry, &QAction::triggered, this, [this, stored] { RecentFileClick(stored); });
  }
}

void TFileCommands::AddRecentFile(const QString& path) {
  bool changed = false;
  if (const TResult r = RecentList().Add(CorePath(path), changed); !r) {
    ShowError(FromCoreMessage(r.message));
    return;
  }
  if (changed) LoadRecentFiles();
}

void TFileCommands::RecentFileClick(const QString& storedLine) {
  OpenProjectFile(FromCorePath(TRecentFiles::PathOfLine(CorePath(storedLine))));
}
