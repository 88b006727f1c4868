#pragma once
// TLumerollDocument is the project being edited: it owns the agent, the undo
// history, the project's path and the modified mark, and tells its listeners
// what changed. Views, output and commands read the agent through a const
// reference; every change goes through the Apply* operations (called by the
// undo steps) or replaces the whole project (StartProject, ImportProject), so
// each one is signalled exactly once.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <string>
#include <vector>

#include "model/applet_agent.h"
#include "output/preview.h"

// How the item array's entries moved in one shape change, for views that keep
// something per entry (the tree's node identities).
struct TShapeEdit {
  enum class TKind { Insert, Remove, CarryUp };
  TKind kind = TKind::Insert;
  int start = 0;   // first entry inserted, removed or carried
  int count = 0;   // entries inserted, removed or carried
  int places = 0;  // CarryUp: entries the run was carried past
};

Q_DECLARE_METATYPE(TShapeEdit)

// A whole project as one value: what New, Open, a template, a recovered copy
// or an import puts in place of the one before.
struct TProjectState {
  TAppletData applet;
  TItemArray items;
  std::string fileVersion;
};

class TLumerollDocument : public QObject {
  Q_OBJECT

 public:
  // Steps the history keeps; a further step drops the oldest.
  static constexpr int kUndoLimit = 1000;

  explicit TLumerollDocument(QObject* parent = nullptr);
  ~TLumerollDocument() override;

  const TkvdAppletAgent& Agent() const { return agent_; }
  // Where the agent's long operations (reading, writing, generating) show
  // their progress; nullptr for nowhere.
  void SetProgress(Progress* progress) { agent_.SetProgress(progress); }
  QUndoStack& UndoStack() { return undoStack_; }

  // Empty for an untitled project.
  const QString& FilePath() const { return filePath_; }
  void SetFilePath(const QString& path);

  // Modified exactly when the history stands away from its clean step, the
  // step last saved or opened. SetModified(false) makes the present step the
  // clean one (a save); SetModified(true) leaves the history without one (a
  // project recovered after a crash matches no file on disk at any step).
  bool IsModified() const { return !undoStack_.isClean(); }
  void SetModified(bool modified);
  // True while a step of the history undoes or redoes itself: whatever the
  // views do in answer (select a node, show a value) is not a new edit.
  bool InStep() const { return inStep_ > 0; }

  // Files this session put into the preview folder.
  TPreviewFiles& PreviewFiles() { return previewFiles_; }

  // The changes, each signalled. Out-of-range indexes change nothing.
  void ApplyAppletField(int field, const std::string& value);
  void ApplyItemField(int index, int field, const std::string& value);
  void ApplyInsert(int index, const TItemData& item) { ApplyInsertItems(index, {item}); }
  // A run of entries inserted before entry `index` (a deleted block put back).
  void ApplyInsertItems(int index, const TItemArray& items);
  void ApplyDelete(int first, int count);
  // Carries entries [start, start + count) up past the `places` entries before them.
  void ApplyCarryBlockUp(int start, int count, int places);
  // Moves the block [start, start + count) so it begins at entry `to` (counted
  // in the array after the move) and gives its entries the ILevel texts
  // `levels`, as one shape change: how a node changes its parent.
  void ApplyMoveBlock(int start, int count, int to, const std::vector<std::string>& levels);
  void ApplyProject(const TAppletData& applet, TItemArray items, std::string fileVersion);

  // The project of a new document (New, Open, a template, a recovered copy):
  // replaces the whole project and starts an empty history, unmodified.
  void StartProject(TProjectState project);
  // Replaces the whole project as one undoable step named `stepName` (an
  // import); its undo puts back the project as it stands now. The new items
  // are in no file yet, so the history leaves its clean step behind.
  void ImportProject(TProjectState project, const QString& stepName);
  // A new, empty history; the project stays and counts as unmodified.
  void ClearHistory();

  // An undo or redo asks the views to select the node it concerned (-1: the root).
  void RequestSelection(int index) { emit SelectionRequested(index); }
  // A step that does not fit the project refuses itself with this message.
  void RefuseStep(const QString& message) { emit StepRefused(message); }

  // Held by a step while it undoes or redoes itself.
  class TStepScope {
   public:
    explicit TStepScope(TLumerollDocument& document) : document_(document) { ++document_.inStep_; }
    ~TStepScope() { --document_.inStep_; }
    TStepScope(const TStepScope&) = delete;
    TStepScope& operator=(const TStepScope&) = delete;

   private:
    TLumerollDocument& document_;
  };

 signals:
  void AppletFieldChanged(int field);
  void ItemChanged(int index);
  // Emitted before ShapeChanged with the details of the change.
  void ShapeEdited(const TShapeEdit& edit);
  void ShapeChanged();
  void ProjectReset();
  void Changed();
  void ModifiedChanged(bool modified);
  void FilePathChanged(const QString& path);
  void SelectionRequested(int index);
  void StepRefused(const QString& message);

 private:
  void UpdateModified();

  TkvdAppletAgent agent_;
  QUndoStack undoStack_;
  QString filePath_;
  bool lastModified_ = false;
  int inStep_ = 0;
  TPreviewFiles previewFiles_;
};
