// The window's commands: the actions, the six menus, the context menu of the
// design tree and the toolbar.
#include <QAction>
#include <QMenu>
#include <QStyle>
#include <QUndoStack>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "editor/editor_icons.h"
#include "editor/main_form.h"

QAction* TMainForm::NewAction(const char* objectName, const QString& text, int image) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString::fromLatin1(objectName));
  if (image >= 0) action->setIcon(editor_icons::CommandIcon(image));
  return action;
}

QAction* TMainForm::ToolAction(const char* objectName, const QString& hint, int image) {
  QAction* action = NewAction(objectName, hint, image);
  action->setToolTip(hint);
  tlbr1_->addAction(action);
  QWidget* button = tlbr1_->widgetForAction(action);
  button->setObjectName(QString::fromLatin1(objectName));
  RegisterHintControl(button);
  return action;
}

void TMainForm::BuildActions() {
  using namespace editor_icons;
  const char* popupNames[4] = {"Insert1", "Delete1", "MoveUp1", "MoveDown1"};
  const char* menuNames[4] = {"Insert2", "Delete2", "MoveUp2", "MoveDown2"};
  const QString captions[4] = {tr("I&nsert"), tr("&Delete"), tr("Move &Up"), tr("Move Do&wn")};
  const int images[4] = {kImageInsert, kImageDelete, kImageMoveUp, kImageMoveDown};
  for (int i = 0; i < 4; ++i) {
    popupCommands_[i] = NewAction(popupNames[i], captions[i], images[i]);
    menuCommands_[i] = NewAction(menuNames[i], captions[i], images[i]);
  }
  PopupMenu1_ = new QMenu(this);
  PopupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  for (QAction* action : popupCommands_) PopupMenu1_->addAction(action);
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
  p.New1 = later(NewAction("New1", tr("&New..."), editor_icons::kImageNew));
  p.New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  p.Open1 = later(NewAction("Open1", tr("&Open..."), editor_icons::kImageOpen));
  p.Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  p.Save1 = Save1_ = NewAction("Save1", tr("&Save"), editor_icons::kImageSave);
  Save1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
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

  BuildEditMenu(addMenu("Edit1", tr("&Edit")));

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
  for (QAction* action : menuCommands_) item->addAction(action);

  QMenu* script = addMenu("Applet1", tr("&Script"));
  p.Preview1 = later(NewAction("Preview1", tr("&Preview"), editor_icons::kImagePreview));
  p.Preview1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  p.BuildHTML1 = later(NewAction("BuildHTML1", tr("Build &HTML..."), editor_icons::kImageBuildHtml));
  p.Publish1 = later(NewAction("Publish1", tr("Pu&blish...")));
  script->addActions({p.Preview1, p.BuildHTML1, p.Publish1});

  QMenu* option = addMenu("Option1", tr("&Option"));
  p.WebBrowser1 = later(NewAction("WebBrowser1", tr("Web &Browser...")));
  option->addAction(p.WebBrowser1);

  QMenu* help = addMenu("Help1", tr("&Help"));
  QAction* topic = NewAction("Topic1", tr("Help &Topics"), editor_icons::kImageHelp);
  QAction* sample = NewAction("ViewSample1", tr("View &Sample..."));
  QAction* home = NewAction("Homepage1", tr("&Homepage"));
  QAction* contact = NewAction("ContactUs1", tr("&Contact Us"));
  QAction* about = NewAction("About1", tr("&About"));
  help->addActions({topic, sample});
  help->addSeparator();
  help->addActions({home, contact, about});
  connect(topic, &QAction::triggered, this, &TMainForm::Topic1Click);
  connect(sample, &QAction::triggered, this, &TMainForm::ViewSample1Click);
  connect(home, &QAction::triggered, this, &TMainForm::Homepage1Click);
  connect(contact, &QAction::triggered, this, &TMainForm::ContactUs1Click);
  connect(about, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::BuildToolBar() {
  using namespace editor_icons;
  tlbr1_ = addToolBar(QStringLiteral("tlbr1"));
  tlbr1_->setObjectName(QStringLiteral("tlbr1"));
  tlbr1_->setMovable(false);
  tlbr1_->setFloatable(false);
  tlbr1_->setIconSize(QSize(16, 16));
  tlbr1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tlbr1_->setContextMenuPolicy(Qt::PreventContextMenu);

  TProgramActions& p = programActions_;
  p.tlbtnNew = ToolAction("tlbtnNew", tr("Create a new project"), kImageNew);
  p.tlbtnNew->setEnabled(false);
  p.tlbtnOpen = ToolAction("tlbtnOpen", tr("Open a project from the file that you saved before"), kImageOpen);
  p.tlbtnOpen->setEnabled(false);
  p.tlbtnSave = tlbtnSave_ = ToolAction("tlbtnSave", tr("Save the current project to a file"), kImageSave);
  tlbtnUndo_ = ToolAction("tlbtnUndo", tr("Undo the last change"), -1);
  tlbtnUndo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
  tlbtnRedo_ = ToolAction("tlbtnRedo", tr("Redo the change you undid"), -1);
  tlbtnRedo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
  tlbr1_->addSeparator();
  toolCommands_[0] = ToolAction("tlbtnInsert", tr("Insert a new item"), kImageInsert);
  toolCommands_[1] = ToolAction("tlbtnDelete", tr("Delete selected item"), kImageDelete);
  toolCommands_[2] = ToolAction("tlbtnMoveUp", tr("Move the selected item up"), kImageMoveUp);
  toolCommands_[3] = ToolAction("tlbtnMoveDown", tr("Move the selected item down"), kImageMoveDown);
  tlbr1_->addSeparator();
  p.tlbtnBuildHTML = ToolAction("tlbtnBuildHTML", tr("Build the HTML code"), kImageBuildHtml);
  p.tlbtnBuildHTML->setEnabled(false);
  p.tlbtnPreview = ToolAction("tlbtnPreview", tr("preview the applet in web browser"), kImagePreview);
  p.tlbtnPreview->setEnabled(false);
  tlbr1_->addSeparator();
  QAction* help = ToolAction("tlbtnHelp", tr("Show help document"), kImageHelp);
  connect(help, &QAction::triggered, this, &TMainForm::Topic1Click);
}

void TMainForm::ConnectCommands() {
  void (TMainForm::*handlers[4])() = {&TMainForm::Insert1Click, &TMainForm::Delete1Click, &TMainForm::MoveUp1Click,
                                      &TMainForm::MoveDown1Click};
  for (int i = 0; i < 4; ++i) {
    for (QAction* action : {popupCommands_[i], menuCommands_[i], toolCommands_[i]}) {
      connect(action, &QAction::triggered, this, handlers[i]);
    }
  }
}

void TMainForm::BuildEditMenu(QMenu* menu) {
  Undo1_ = NewAction("Undo1", tr("&Undo"));
  Undo1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Redo1_ = NewAction("Redo1", tr("&Redo"));
  Redo1_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  menu->addActions({Undo1_, Redo1_});
  QUndoStack& stack = document_->UndoStack();
  // Captions name the step: "&Undo Move Down".
  auto follow = [this, &stack] {
    Undo1_->setText(stack.canUndo() ? tr("&Undo %1").arg(stack.undoText()) : tr("&Undo"));
    Redo1_->setText(stack.canRedo() ? tr("&Redo %1").arg(stack.redoText()) : tr("&Redo"));
    Undo1_->setEnabled(stack.canUndo());
    tlbtnUndo_->setEnabled(stack.canUndo());
    Redo1_->setEnabled(stack.canRedo());
    tlbtnRedo_->setEnabled(stack.canRedo());
  };
  connect(&stack, &QUndoStack::indexChanged, this, follow);
  connect(&stack, &QUndoStack::canUndoChanged, this, follow);
  connect(&stack, &QUndoStack::canRedoChanged, this, follow);
  connect(&stack, &QUndoStack::undoTextChanged, this, follow);
  connect(&stack, &QUndoStack::redoTextChanged, this, follow);
  follow();
  for (QAction* undo : {Undo1_, tlbtnUndo_}) connect(undo, &QAction::triggered, this, &TMainForm::Undo1Click);
  for (QAction* redo : {Redo1_, tlbtnRedo_}) connect(redo, &QAction::triggered, this, &TMainForm::Redo1Click);
}
