#pragma once
// TMainForm is the editor window: it assembles the toolbar, menus, design
// tree, property page control and status strip, forwards the tree commands
// to TDesignTreeCommands, runs the selection-change protocol, and shows the
// progress of the agent's long operations on its status strip.

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "editor/editor_services.h"
#include "model/applet_agent.h"
#include "model/progress.h"
#include "model/result.h"

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;
class TDesignTreeCommands;
class TPropertyPages;
class TfrmHelp;

class TMainForm : public QMainWindow, public Progress {
  Q_OBJECT

 public:
  explicit TMainForm(TEditorServices services, QWidget* parent = nullptr);
  ~TMainForm() override;

  TkvdAppletAgent& Agent() { return agent_; }
  const TEditorServices& Services() const { return services_; }
  QTreeWidget& DesignTree() { return *trvwDesignPanel_; }
  QTabWidget& PageControl() { return *pgcntrl1_; }
  // The pages by their fixed tab positions, so the property pages may put
  // their own widgets into the tabs.
  enum TPageTab { kScriptTab = 0, kTextTab = 1, kItemTab = 2, kPathTab = 3 };
  QWidget* Page(TPageTab tab) const;

  // The modified flag enables Save in the toolbar and the File menu.
  void SetModified(bool modified);
  bool Modified() const { return modified_; }
  const QString& CurrentProjectPath() const { return currentProjectPath_; }
  void SetCurrentProjectPath(const QString& path) { currentProjectPath_ = path; }

  // The item node whose values the Item page holds, or null.
  QTreeWidgetItem* CurrentItemNode() const { return currentItemNode_; }

  // Set while a file command or loader clears and refills the tree; the
  // tree's handlers and the hint line do nothing meanwhile.
  void SetTreeRebuilding(bool rebuilding) { treeRebuilding_ = rebuilding; }
  bool TreeRebuilding() const { return treeRebuilding_; }
  // Replaces the tree by the root alone, selected, with no current item node.
  void ResetDesignTree();
  // Replaces the tree by one built from the agent's items and the parent list
  // a loader returned; the root ends selected, no item node current.
  void RebuildDesignTree(const std::vector<int>& parents);
  // Levels of the tree's item nodes in entry order.
  std::vector<int> TreeLevels() const;

  // The property pages' commit and refresh; virtual so tests can watch the
  // selection protocol call them.
  virtual void CommitItemPage(int index);
  virtual void RefreshItemPage(int index);
  // The applet pages and, with a current item node, the Item page into the
  // agent; every command that reads the model runs this first.
  virtual void CommitPages();
  // On a conversion error no control changes and the result says why.
  virtual TResult RefreshAppletPages();
  TPropertyPages& Pages() { return *pages_; }

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
  void ConnectCommands();
  QAction* NewAction(const char* objectName, const QString& text, int image = -1);
  QAction* ToolAction(const char* objectName, const QString& hint, int image);

  void trvwDesignPanelChange();
  void trvwDesignPanelMouseDown(QMouseEvent* event);
  void trvwDesignPanelCustomDrawItem();
  void spnedtApWidthMouseMove(QWidget* control);

  void Topic1Click();
  void ViewSample1Click();
  void Homepage1Click();
  void ContactUs1Click();
  void About1Click();
  void ToolBar1Click();
  void StatusBar2Click();

  TEditorServices services_;
  TkvdAppletAgent agent_;
  std::unique_ptr<TDesignTreeCommands> treeCommands_;
  std::unique_ptr<TPropertyPages> pages_;
  std::function<bool()> closeQuery_;
  TfrmHelp* help_ = nullptr;

  bool modified_ = false;
  bool treeRebuilding_ = false;
  QString currentProjectPath_;
  QTreeWidgetItem* currentItemNode_ = nullptr;
  int busyDepth_ = 0;

  QToolBar* tlbr1_ = nullptr;
  QTreeWidget* trvwDesignPanel_ = nullptr;
  QTabWidget* pgcntrl1_ = nullptr;
  QLabel* stctxtHint_ = nullptr;
  QProgressBar* prgrsbrMainFormBottom_ = nullptr;
  QMenu* PopupMenu1_ = nullptr;
  QAction* ToolBar1_ = nullptr;
  QAction* StatusBar2_ = nullptr;
  QAction* Save1_ = nullptr;
  QAction* tlbtnSave_ = nullptr;
  // Insert, Delete, Move Up, Move Down in the context menu, the Item menu
  // and the toolbar.
  QAction* popupCommands_[4] = {};
  QAction* menuCommands_[4] = {};
  QAction* toolCommands_[4] = {};
};
