#pragma once
// TFileCommands is the File menu: New, Open, Save, Save As, Save As
// Template, Import and Export Menu Structure, the recent files list, and the
// close question. It decides when the agent's file operations run and what
// the window's state (tree, pages, project path, modified flag) is after
// each; a load or import that fails changes nothing in the editor.

#include <QObject>
#include <QString>
#include <vector>

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

  void LoadRecentFiles();
  void AddRecentFile(const QString& path);
  void RecentFileClick(const QString& storedLine);

  // The application's error box: "JavaScript Lumeroll", error icon, OK.
  void ShowError(const QString& message);

  static constexpr const char* kProjectFilter = "JavaScript Lumeroll Files (*.jslr)|*.jslr";
  static constexpr const char* kStructureFilter = "General Menu Structure File (*.gms)|*.gms";

 private:
  enum class TLoadKind { Project, Structure };

  bool AskToSave(const QString& question);
  bool SaveTo(const QString& path);
  bool LoadInto(const QString& path, TLoadKind kind, bool silent);
  void Finish();
  std::optional<QString> AskFileName(bool save, const char* filter);
  TRecentFiles RecentList() const;

  TMainForm& form_;
  Prompts& prompts_;
  // The dialogs keep their last folder and file name between uses.
  TFileDialogRequest openDialog_;
  TFileDialogRequest saveDialog_;
};
