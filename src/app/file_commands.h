#pragma once
// TFileCommands is the File menu: New, Open, Save, Save As, Save As
// Template, Import and Export Menu Structure, the recent files list, and the
// close question. It decides when the agent's file operations run and what
// the window's state (tree, pages, project path, modified flag) is after
// each; a load or import that fails changes nothing in the editor.

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "document/document.h"
#include "model/result.h"

#include "platform/prompts.h"
#include "shell/recent_files.h"

class TMainForm;
struct TAppletData;

class TFileCommands : public QObject {
  Q_OBJECT

 public:
  explicit TFileCommands(TMainForm& form);

  // Wires the File menu's actions and the window's close question.
  void Connect();

  void New1Click();
  void Open1Click();
  // false when nothing was saved (dialog cancelled or the save failed).
  bool Save1Click();
  bool Save2Click();
  void SaveAsTemplate1Click();
  void ImportMenuStructure1Click();
  void ExportMenuStructure1Click();
  void Exit1Click();
  // Whether the window may close; asks to save a modified project.
  bool FormCloseQuery();

  // Opens a project without a dialog (recent files, templates, command line).
  // `silent`: errors are not shown (a file named on the command line).
  // True when the project was opened.
  bool OpenProjectFile(const QString& path, bool silent = false);
  // Opens a template as a new, untitled project: a later Save asks for a
  // name, so the template itself is never written over.
  bool OpenTemplate(const QString& path);
  // Opens a recovery copy's project bytes as a modified project that
  // belongs to `path` (empty: untitled). The bytes go through the same
  // checks as a project file; when they fail, the editor keeps what it had
  // and `error` says why.
  bool OpenRecovered(const QByteArray& project, const QString& path, QString& error);

  void LoadRecentFiles();
  void AddRecentFile(const QString& path);
  void RecentFileClick(const QString& storedLine);

  // The application's error box: "JavaScript Lumeroll", error icon, OK.
  void ShowError(const QString& message);

  static constexpr const char* kProjectFilter = "JavaScript Lumeroll Files (*.jslr)|*.jslr";
  static constexpr const char* kStructureFilter = "General Menu Structure File (*.gms)|*.gms";

  // Where the save dialog starts for a project that has no place yet.
  static QString DocumentsFolder();

 signals:
  // The user answered No to a save question: the unsaved work is let go.
  void UnsavedChangesDiscarded();

 private:
  enum class TLoadKind { Project, Template, Structure, Recovered };

  bool AskToSave(const QString& question);
  bool SaveTo(const QString& path);
  bool LoadInto(const QString& path, TLoadKind kind, bool silent);
  // Replaces the project with what `load` reads; on failure the editor
  // keeps its project and `error` says why.
  bool TakeOver(const std::function<TResult(TProjectState&)>& load, TLoadKind kind, const QString& path,
                QString& error);
  bool InProgramFolders(const QString& folder) const;
  void Finish();
  std::optional<QString> AskFileName(bool save, const char* filter);
  TRecentFiles RecentList() const;

  TMainForm& form_;
  Prompts& prompts_;
  // The dialogs keep their last folder and file name between uses.
  TFileDialogRequest openDialog_;
  TFileDialogRequest saveDialog_;
  bool savingTemplate_ = false;
};
