// The window's commands: one action per command, shared by the six menus,
// the design tree's context menu and the toolbar, so a command's state and
// caption can never differ between the places that show it.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

#include "editor/editor_icons.h"
#include "editor/main_form.h"

QAction* TMainForm::NewAction(const char* objectName, const QString& text, int image) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString::fromLatin1(objectName));
  if (image >= 0) action->setIcon(editor_icons::CommandIcon(image));
  return action;
}

void TMainForm::AddToolButton(QAction* action, const char* buttonName, const QString& hint) {
  // The menus do not show tooltips, so the action's may be the button's hint.
  action->setToolTip(hint);
  tlbr1_->addAction(action);
  QWidget* button = tlbr1_->widgetForAction(action);
  button->setObjectName(QString::fromLatin1(buttonName));
  RegisterHintControl(button);
}

void TMainForm::BuildActions() {
  using namespace editor_icons;
  struct TItemCommandInfo {
    const char* name;
    QString caption;
    int image;
    void (TMainForm::*handler)();
  };
  const TItemCommandInfo commands[kItemCommandCount] = {
      {"Insert1", tr("I&nsert"), kImageInsert, &TMainForm::Insert1Click},
      {"Delete1", tr("&Delete"), kImageDelete, &TMainForm::Delete1Click},
      {"MoveUp1", tr("Move &Up"), kImageMoveUp, &TMainForm::MoveUp1Click},
      {"MoveDown1", tr("Move Do&wn"), kImageMoveDown, &TMainForm::MoveDown1Click},
      {"Indent1", tr("&Indent"), kImageIndent, &TMainForm::Indent1Click},
      {"Outdent1", tr("&Outdent"), kImageOutdent, &TMainForm::Outdent1Click},
  };
  for (int i = 0; i < kItemCommandCount; ++i) {
    itemCommands_[i] = NewAction(commands[i].name, commands[i].caption, commands[i].image);
    connect(itemCommands_[i], &QAction::triggered, this, commands[i].handler);
  }
  // The tree's other keys are its own (Insert, Delete, Ctrl+Up, Ctrl+Down);
  // these two are the window's so the menu can show them.
  itemCommands_[kIndent]->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Right));
  itemCommands_[kOutdent]->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Left));
  PopupMenu1_ = new QMenu(this);
  PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  for (QAction* action : itemCommands_) PopupMenu1_->addAction(action);

  // The file and output commands with a toolbar button live in the program's
  // command classes; their actions stay disabled until those connect them.
  TProgramActions& p = programActions_;
  p.New1 = NewAction("New1", tr("&New..."), kImageNew);
  p.New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  p.Open1 = NewAction("Open1", tr("&Open..."), kImageOpen);
  p.Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  p.Save1 = Save1_ = NewAction("Save1", tr("&Save"), kImageSave);
  Save1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  p.Preview1 = NewAction("Preview1", tr("&Preview"), kImagePreview);
  p.Preview1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  p.BuildHTML1 = NewAction("BuildHTML1", tr("Build &HTML..."), kImageBuildHtml);
  for (QAction* later : {p.New1, p.Open1, p.Preview1, p.BuildHTML1}) later->setEnabled(false);
  Topic1_ = NewAction("Topic1", tr("Help &Topics"), kImageHelp);
  connect(Topic1_, &QAction::triggered, this, &TMainForm::Topic1Click);

  BuildUndoActions();
}

void TMainForm::BuildUndoActions() {
  QUndoStack& stack = document_->UndoStack();
  // The stack keeps their captions ("&Undo Move Item Down") and enabled
  // states; a trigger goes through Undo1Click and Redo1Click, which end the
  // typing on the pages and do nothing while a modal window is open.
  Undo1_ = stack.createUndoAction(this, tr("&Undo"));
  Redo1_ = stack.createRedoAction(this, tr("&Redo"));
  disconnect(Undo1_, &QAction::triggered, &stack, &QUndoStack::undo);
  disconnect(Redo1_, &QAction::triggered, &stack, &QUndoStack::redo);
  connect(Undo1_, &QAction::triggered, this, &TMainForm::Undo1Click);
  connect(Redo1_, &QAction::triggered, this, &TMainForm::Redo1Click);
  Undo1_->setObjectName(QStringLiteral("Undo1"));
  Redo1_->setObjectName(QStringLiteral("Redo1"));
  Undo1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Redo1_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  Undo1_->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
  Redo1_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
}

void TMainForm::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto addMenu = [&](const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  // The file, output and option commands live in the program's command
  // classes; their actions stay disabled until those connect them.
  auto later = [](QAction* action) {
    action->setEnabled(false);
    return action;
  };

  TProgramActions& p = programActions_;
  QMenu* file = File1_ = addMenu("File1", tr("&File"));
  p.Save2 = later(NewAction("Save2", tr("Save &As...")));
  file->addActions({p.New1, p.Open1, Save1_, p.Save2});
  file->addSeparator();
  p.Templet1 = later(NewAction("Templet1", tr("&Templates")));
  p.SaveAsTemplate1 = later(NewAction("SaveAsTemplate1", tr("Save As Te&mplate")));
  file->addActions({p.Templet1, p.SaveAsTemplate1});
  file->addSeparator();
  p.ImportMenuStructure1 = later(NewAction("ImportMenuStructure1", tr("&Import Menu Structure")));
  p.ExportMenuStructure1 = later(NewAction("ExportMenuStructure1", tr("&Export Menu Structure")));
  p.ImportNewsFeed1 = later(NewAction("ImportNewsFeed1", tr("Import News &Feed...")));
  p.ImportNewsFeed1->setStatusTip(tr("Replace the items with the newest entries of an RSS, Atom or JSON feed"));
  file->addActions({p.ImportMenuStructure1, p.ExportMenuStructure1, p.ImportNewsFeed1});
  file->addSeparator();
  QMenu* recent = mnitRecentFiles_ = file->addMenu(tr("&Recent Files"));
  recent->setObjectName(QStringLiteral("mnitRecentFiles"));
  recent->menuAction()->setObjectName(QStringLiteral("mnitRecentFiles"));
  recent->menuAction()->setEnabled(false);
  file->addSeparator();
  QAction* exit = NewAction("Exit1", tr("E&xit"));
  // QKeySequence::Quit is empty on some desktops, so the key is given as is.
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  connect(exit, &QAction::triggered, this, &QWidget::close);
  file->addAction(exit);

  QMenu* edit = addMenu("Edit1", tr("&Edit"));
  edit->addActions({Undo1_, Redo1_});

  QMenu* view = View1_ = addMenu("View1", tr("&View"));
  ToolBar1_ = NewAction("ToolBar1", tr("&Tool Bar"));
  StatusBar2_ = NewAction("StatusBar2", tr("&Status Bar"));
  for (QAction* toggle : {ToolBar1_, StatusBar2_}) {
    toggle->setCheckable(true);
    toggle->setChecked(true);
    view->addAction(toggle);
  }
  connect(ToolBar1_, &QAction::triggered, this, &TMainForm::ToolBar1Click);
  connect(StatusBar2_, &QAction::triggered, this, &TMainForm::StatusBar2Click);

  QMenu* item = addMenu("Item1", tr("&Item"));
  for (QAction* action : itemCommands_) item->addAction(action);

  QMenu* script = addMenu("Applet1", tr("&Script"));
  p.Publish1 = later(NewAction("Publish1", tr("Pu&blish...")));
  script->addActions({p.Preview1, p.BuildHTML1, p.Publish1});

  QMenu* option = addMenu("Option1", tr("&Option"));
  p.WebBrowser1 = later(NewAction("WebBrowser1", tr("Web &Browser...")));
  option->addAction(p.WebBrowser1);

  QMenu* help = addMenu("Help1", tr("&Help"));
  QAction* sample = NewAction("ViewSample1", tr("View &Sample..."));
  QAction* home = NewAction("Homepage1", tr("&Homepage"));
  QAction* contact = NewAction("ContactUs1", tr("&Contact Us"));
  QAction* about = NewAction("About1", tr("&About"));
  help->addActions({Topic1_, sample});
  help->addSeparator();
  help->addActions({home, contact, about});
  connect(sample, &QAction::triggered, this, &TMainForm::ViewSample1Click);
  connect(home, &QAction::triggered, this, &TMainForm::Homepage1Click);
  connect(contact, &QAction::triggered, this, &TMainForm::ContactUs1Click);
  connect(about, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::BuildToolBar() {
  tlbr1_ = addToolBar(QStringLiteral("tlbr1"));
  tlbr1_->setObjectName(QStringLiteral("tlbr1"));
  tlbr1_->setMovable(false);
  tlbr1_->setFloatable(false);
  tlbr1_->setIconSize(QSize(16, 16));
  tlbr1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tlbr1_->setContextMenuPolicy(Qt::PreventContextMenu);

  const TProgramActions& p = programActions_;
  AddToolButton(p.New1, "tlbtnNew", tr("Create a new project"));
  AddToolButton(p.Open1, "tlbtnOpen", tr("Open a project from the file that you saved before"));
  AddToolButton(Save1_, "tlbtnSave", tr("Save the current project to a file"));
  AddToolButton(Undo1_, "tlbtnUndo", tr("Undo the last change"));
  AddToolButton(Redo1_, "tlbtnRedo", tr("Redo the change you undid"));
  tlbr1_->addSeparator();
  AddToolButton(itemCommands_[kInsert], "tlbtnInsert", tr("Insert a new item"));
  AddToolButton(itemCommands_[kDelete], "tlbtnDelete", tr("Delete selected item"));
  AddToolButton(itemCommands_[kMoveUp], "tlbtnMoveUp", tr("Move the selected item up"));
  AddToolButton(itemCommands_[kMoveDown], "tlbtnMoveDown", tr("Move the selected item down"));
  AddToolButton(itemCommands_[kIndent], "tlbtnIndent", tr("Make the selected item a child of the item above it"));
  AddToolButton(itemCommands_[kOutdent], "tlbtnOutdent", tr("Make the selected item a sibling of its parent"));
  tlbr1_->addSeparator();
  AddToolButton(p.BuildHTML1, "tlbtnBuildHTML", tr("Build the HTML code"));
  AddToolButton(p.Preview1, "tlbtnPreview", tr("preview the applet in web browser"));
  tlbr1_->addSeparator();
  AddToolButton(Topic1_, "tlbtnHelp", tr("Show help document"));
}
