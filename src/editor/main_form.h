#pragma once
// TMainForm is the editor window: it assembles the toolbar, menus, design
// tree, property page control and status strip, forwards the tree commands
// to TDesignTreeCommands, runs the selection-change protocol, and shows the
// progress of the agent's long operations on its status strip.

#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "document/document.h"
#include "editor/editor_services.h"
#include "model/applet_agent.h"
#include "model/progress.h"
#include "model/result.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QToolBar;
class QTreeView;
class QUrl;
class TDesignTreeCommands;
class TDesignTreeModel;
class TPropertyPages;
class TfrmHelp;

class TMainForm : public QMainWindow, public Progress {
  Q_OBJECT

 public:
  // The window edits `document`, which must outlive it.
  TMainForm(TLumerollDocument& document, TEditorServices services, QWidget* parent = nullptr);
  // A window with a document of its own (tests, tools).
  explicit TMainForm(TEditorServices services, QWidget* parent = nullptr);
  ~TMainForm() override;

  TLumerollDocument& Document() { return *document_; }
  const TkvdAppletAgent& Agent() const { return document_->Agent(); }
  const TEditorServices& Services() const { return services_; }
  QTreeView& DesignTree() { return *trvwDesignPanel_; }
  TDesignTreeModel& TreeModel() { return *treeModel_; }
  QTabWidget& PageControl() { return *pgcntrl1_; }
  // Between the tree panel and the pages.
  QSplitter& Splitter() { return *splitter_; }
  // The pages by their fixed tab positions, so the property pages may put
  // their own widgets into the tabs.
  enum TPageTab { kScriptTab = 0, kTextTab = 1, kItemTab = 2, kPathTab = 3 };
  QWidget* Page(TPageTab tab) const;

  // The modified mark is the history's (see TLumerollDocument::SetModified);
  // it enables Save in the toolbar and the File menu and shows in the title.
  void SetModified(bool modified);
  bool Modified() const { return document_->IsModified(); }
  const QString& CurrentProjectPath() const { return document_->FilePath(); }
  void SetCurrentProjectPath(const QString& path) { document_->SetFilePath(path); }

  // The item node whose values the Item page holds, or an invalid index.
  QModelIndex CurrentItemNode() const { return currentItemNode_; }
  // Entry of the selected node, -1 for the root (or no selection).
  int SelectedEntry() const;
  // Makes the node of `entry` (-1: the root) the selected one, running the
  // selection protocol.
  void SelectEntry(int entry);

  // Set while a file command or loader clears and refills the tree; the
  // tree's handlers and the hint line do nothing meanwhile.
  void SetTreeRebuilding(bool rebuilding) { treeRebuilding_ = rebuilding; }
  bool TreeRebuilding() const { return treeRebuilding_; }
  // Levels of the item nodes in entry order, from the items themselves.
  std::vector<int> TreeLevels() const;

  // Shows an item on the Item page; virtual so tests can watch the selection
  // protocol call it. Nothing is ever copied back from the pages: every edit
  // goes into the project as a step of its own the moment it is made, so the
  // project is always current and a selection or a command that reads the
  // project writes nothing.
  virtual void RefreshItemPage(int index);
  // On a conversion error no control changes and the result says why.
  virtual TResult RefreshAppletPages();
  TPropertyPages& Pages() { return *pages_; }

  // The commands the program's command classes carry out (file, templates,
  // output, options), one action each, shared by the menu and the toolbar.
  // The window builds them, disabled, in their places; each command class
  // connects and enables its own.
  struct TProgramActions {
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Save2 = nullptr;
    QAction* Templet1 = nullptr;
    QAction* SaveAsTemplate1 = nullptr;
    QAction* ImportMenuStructure1 = nullptr;
    QAction* ExportMenuStructure1 = nullptr;
    QAction* ImportNewsFeed1 = nullptr;
    QAction* Preview1 = nullptr;
    QAction* BuildHTML1 = nullptr;
    QAction* Publish1 = nullptr;
    QAction* WebBrowser1 = nullptr;
  };
  const TProgramActions& ProgramActions() const { return programActions_; }
  // Menus that the program's parts add to: the recent files list fills
  // mnitRecentFiles, the live preview puts its toggle into View.
  QMenu& FileMenu() { return *File1_; }
  QMenu& ViewMenu() { return *View1_; }
  QMenu& RecentFilesMenu() { return *mnitRecentFiles_; }

  // Asked whenever the window is to close; false keeps it open.
  void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }

  void UpdateItemCommands();
  void ShowPagesForSelection();

  // The hint line follows the pointer over the control: its tooltip, or empty.
  void RegisterHintControl(QWidget* control);

  // Help topics open in the help window; without one they are ignored.
  void SetHelpWindow(TfrmHelp* help) { help_ = help; }
  // Shows help/<topicFile> of the resource folder in the help window.
  void ShowHelpTopic(const QString& topicFile);

  // Progress of the agent's long operations.
  void Begin(const std::string& hint, int maximum) override;
  void Advance(int by) override;
  void End() override;

  void Insert1Click();
  void Delete1Click();
  void MoveUp1Click();
  void MoveDown1Click();
  void Indent1Click();
  void Outdent1Click();
  // Undo and redo of the document's history; nothing while a modal window
  // is open.
  void Undo1Click();
  void Redo1Click();
  // Puts the focus in the Item page's caption field (F2 in the tree).
  void EditCaption();

 signals:
  // The selected node changed: its entry, -1 for the root.
  void SelectedItemChanged(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBar();
  void BuildCentralArea();
  void BuildStatusStrip();
  void BuildPages();
  void LetPagesScroll();
  QAction* NewAction(const char* objectName, const QString& text, int image = -1);
  // Puts `action` on the toolbar as a button named `buttonName` that shows
  // `hint` as its tooltip and on the hint line.
  void AddToolButton(QAction* action, const char* buttonName, const QString& hint);

  void trvwDesignPanelChange();
  void trvwDesignPanelMouseDown(QMouseEvent* event);
  bool trvwDesignPanelKeyDown(QKeyEvent* event);
  void ConnectDocument();
  void BuildUndoActions();
  void OnProjectReset();
  // "name.jslr[*] - JavaScript Lumeroll", "Untitled" for a project without a file.
  void UpdateTitle();
  void DragMove(int entry, int parent, int row);
  void spnedtApWidthMouseMove(QWidget* control);

  void Topic1Click();
  void ViewSample1Click();
  void Homepage1Click();
  void ContactUs1Click();
  void About1Click();
  void ToolBar1Click();
  void StatusBar2Click();

  std::unique_ptr<TLumerollDocument> ownDocument_;
  TLumerollDocument* document_;
  TEditorServices services_;
  std::unique_ptr<TDesignTreeCommands> treeCommands_;
  std::unique_ptr<TPropertyPages> pages_;
  std::function<bool()> closeQuery_;
  TfrmHelp* help_ = nullptr;

  bool treeRebuilding_ = false;
  QPersistentModelIndex currentItemNode_;
  int busyDepth_ = 0;

  QToolBar* tlbr1_ = nullptr;
  QTreeView* trvwDesignPanel_ = nullptr;
  TDesignTreeModel* treeModel_ = nullptr;
  QTabWidget* pgcntrl1_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QLabel* stctxtHint_ = nullptr;
  QProgressBar* prgrsbrMainFormBottom_ = nullptr;
  QMenu* PopupMenu1_ = nullptr;
  QMenu* File1_ = nullptr;
  QMenu* View1_ = nullptr;
  QMenu* mnitRecentFiles_ = nullptr;
  TProgramActions programActions_;
  QAction* ToolBar1_ = nullptr;
  QAction* StatusBar2_ = nullptr;
  QAction* Save1_ = nullptr;
  QAction* Topic1_ = nullptr;
  QAction* Undo1_ = nullptr;
  QAction* Redo1_ = nullptr;
  // The design tree's commands, each one action in the context menu, the
  // Item menu and the toolbar.
  enum TItemCommand { kInsert, kDelete, kMoveUp, kMoveDown, kIndent, kOutdent, kItemCommandCount };
  QAction* itemCommands_[kItemCommandCount] = {};
};
