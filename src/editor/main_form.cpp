#include "editor/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

#include "editor/design_tree_commands.h"
#include "editor/design_tree_model.h"
#include "editor/edit_commands.h"
#include "editor/editor_icons.h"
#include "editor/pages/property_pages.h"
#include "editor/window_layout.h"
#include "output/product_info.h"
#include "platform/local_text.h"
#include "help/about_window.h"
#include "help/help_window.h"

namespace {

constexpr const char* kTreeHint = "Add, remove or move items by right-clicking the mouse.";
constexpr QSize kStartingSize(747, 532);
constexpr int kStartingTreeWidth = 337;
// Narrower than this and item captions are cut after a few letters; the
// pages and a docked pane give way first.
constexpr int kMinimumTreeWidth = 200;

// Draws the tree's nodes as the tree would, plus a dotted frame round the
// current node while the tree has the focus: the selection looks the same
// with and without the focus, and several styles draw no focus frame on
// view items.
class TFocusFrameDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (option.state & QStyle::State_HasFocus) {
      const QPalette::ColorRole role = option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;
      painter->save();
      painter->setPen(QPen(option.palette.color(role), 1, Qt::DotLine));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
      painter->restore();
    }
  }
};

// Ctrl+Z in a field would run the field's own undo, which knows only its
// typing and would be recorded as one more edit. The field takes the keys
// (so no window shortcut runs as well) and they go to the window's Undo and
// Redo, which know every step.
class TWindowUndoKeys : public QObject {
 public:
  TWindowUndoKeys(std::function<void()> undo, std::function<void()> redo, QObject* parent)
      : QObject(parent), undo_(std::move(undo)), redo_(std::move(redo)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo) ||
                      key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
    if (!undo && !redo) return false;
    event->accept();
    if (press) (undo ? undo_ : redo_)();
    return true;
  }

 private:
  std::function<void()> undo_;
  std::function<void()> redo_;
};

}  // namespace

TMainForm::TMainForm(TEditorServices services, QWidget* parent)
    : TMainForm(*new TLumerollDocument, std::move(services), parent) {
  ownDocument_.reset(document_);
}

TMainForm::TMainForm(TLumerollDocument& document, TEditorServices services, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint),
      document_(&document),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowIcon(editor_icons::ProgramIcon());
  document_->SetProgress(this);

  BuildActions();
  BuildToolBar();
  BuildMenus();
  BuildCentralArea();
  BuildStatusStrip();
  BuildPages();

  TDesignTreeCommands::THost host;
  host.clearCurrentItemNode = [this] { currentItemNode_ = QPersistentModelIndex(); };
  host.select = [this](int entry) { SelectEntry(entry); };
  host.setRebuilding = [this](bool on) {
    treeRebuilding_ = on;
    // The shape changed under the selection: the commands follow it.
    if (!on) UpdateItemCommands();
  };
  treeCommands_ = std::make_unique<TDesignTreeCommands>(*trvwDesignPanel_, *treeModel_, *document_,
                                                        services_.prompts, this, host);
  treeModel_->SetDropRequest([this](int entry, int parent, int row) { DragMove(entry, parent, row); });
  ConnectDocument();

  // The starting size, centred, and no larger than the free part of the
  // screen with the frame (a large scale factor leaves little room).
  resize(kStartingSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(kStartingSize.width() / 2, kStartingSize.height() / 2));
  KeepWindowOnScreens(*this);
  document_->StartProject({DefaultAppletData(), {}, Agent().FileVersion});
  Save1_->setEnabled(Modified());
  UpdateTitle();
  // The keys of the tree work at once, without a click into it first.
  trvwDesignPanel_->setFocus();
}

TMainForm::~TMainForm() {
  // The tree outlives this part of the window while QWidget deletes the
  // children; its signals must not reach handlers of a half-destroyed form.
  treeRebuilding_ = true;
  trvwDesignPanel_->disconnect(this);
  document_->disconnect(this);
  document_->SetProgress(nullptr);
}

void TMainForm::BuildCentralArea() {
  auto* splitter = splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("Splitter1"));
  splitter->setHandleWidth(3);
  splitter->setChildrenCollapsible(false);

  auto* pnlTreeView = new QWidget(splitter);
  pnlTreeView->setObjectName(QStringLiteral("pnlTreeView"));
  pnlTreeView->setMinimumWidth(kMinimumTreeWidth);
  auto* panelLayout = new QHBoxLayout(pnlTreeView);
  panelLayout->setContentsMargins(3, 3, 3, 3);
  treeModel_ = new TDesignTreeModel(*document_, this);
  trvwDesignPanel_ = new QTreeView(pnlTreeView);
  trvwDesignPanel_->setObjectName(QStringLiteral("trvwDesignPanel"));
  trvwDesignPanel_->setHeaderHidden(true);
  trvwDesignPanel_->setModel(treeModel_);
  // A node is dragged between nodes to move it there, or onto a node to
  // become its last child; the model refuses a drop into its own subtree.
  trvwDesignPanel_->setDragEnabled(true);
  trvwDesignPanel_->setAcceptDrops(true);
  trvwDesignPanel_->setDropIndicatorShown(true);
  trvwDesignPanel_->setDragDropMode(QAbstractItemView::InternalMove);
  trvwDesignPanel_->setDefaultDropAction(Qt::MoveAction);
  trvwDesignPanel_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  trvwDesignPanel_->setSelectionMode(QAbstractItemView::SingleSelection);
  trvwDesignPanel_->setToolTip(QString::fromLatin1(kTreeHint));
  trvwDesignPanel_->setContextMenuPolicy(Qt::CustomContextMenu);
  trvwDesignPanel_->setUniformRowHeights(true);
  // The selection stays highlighted when the tree loses the focus.
  QPalette palette = trvwDesignPanel_->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  trvwDesignPanel_->setPalette(palette);
  trvwDesignPanel_->setItemDelegate(new TFocusFrameDelegate(this));
  trvwDesignPanel_->viewport()->installEventFilter(this);
  trvwDesignPanel_->installEventFilter(this);
  panelLayout->addWidget(trvwDesignPanel_);
  connect(trvwDesignPanel_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { trvwDesignPanelChange(); });
  connect(trvwDesignPanel_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (!treeRebuilding_) PopupMenu1_->popup(trvwDesignPanel_->viewport()->mapToGlobal(at));
  });

  pgcntrl1_ = new QTabWidget(splitter);
  pgcntrl1_->setObjectName(QStringLiteral("pgcntrl1"));
  auto addPage = [&](const char* name, const QString& caption) {
    auto* page = new QWidget(pgcntrl1_);
    page->setObjectName(QString::fromLatin1(name));
    pgcntrl1_->addTab(page, caption);
  };
  addPage("pgScript", tr("Script"));
  addPage("pgText", tr("Text"));
  addPage("pgItem", tr("Item"));
  addPage("pgPath", tr("Path"));

  splitter->addWidget(pnlTreeView);
  splitter->addWidget(pgcntrl1_);
  // Both sides take a share of a wider window; the pages the larger one.
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 2);
  splitter->setSizes({kStartingTreeWidth, kStartingSize.width() - kStartingTreeWidth});
  setCentralWidget(splitter);

  for (QWidget* control : {static_cast<QWidget*>(pgcntrl1_), Page(kScriptTab), pnlTreeView,
                           static_cast<QWidget*>(trvwDesignPanel_)}) {
    RegisterHintControl(control);
  }
}

void TMainForm::BuildStatusStrip() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setFixedHeight(24);
  stctxtHint_ = new QLabel(bar);
  stctxtHint_->setObjectName(QStringLiteral("stctxtHint"));
  stctxtHint_->setFixedWidth(338);
  prgrsbrMainFormBottom_ = new QProgressBar(bar);
  prgrsbrMainFormBottom_->setObjectName(QStringLiteral("prgrsbrMainFormBottom"));
  prgrsbrMainFormBottom_->setRange(0, 100);
  prgrsbrMainFormBottom_->setValue(0);
  prgrsbrMainFormBottom_->setTextVisible(false);
  prgrsbrMainFormBottom_->setFixedHeight(20);
  bar->addWidget(stctxtHint_);
  bar->addWidget(prgrsbrMainFormBottom_, 1);
  // An empty bar at rest looks like a text field: it shows only while work runs.
  prgrsbrMainFormBottom_->hide();
}

void TMainForm::OnProjectReset() {
  treeRebuilding_ = true;
  currentItemNode_ = QPersistentModelIndex();
  pages_->SetItemIndex(-1);
  const QModelIndex root = treeModel_->RootIndex();
  trvwDesignPanel_->expand(root);
  trvwDesignPanel_->setCurrentIndex(root);
  treeRebuilding_ = false;
  pages_->RefreshAppletPages();
  ShowPagesForSelection();
  UpdateItemCommands();
  emit SelectedItemChanged(-1);
}

void TMainForm::ConnectDocument() {
  connect(document_, &TLumerollDocument::ModifiedChanged, this, [this](bool modified) {
    Save1_->setEnabled(modified);
    setWindowModified(modified);
  });
  connect(document_, &TLumerollDocument::FilePathChanged, this, &TMainForm::UpdateTitle);
  connect(document_, &TLumerollDocument::ProjectReset, this, &TMainForm::OnProjectReset);
  connect(document_, &TLumerollDocument::AppletFieldChanged, pages_.get(), &TPropertyPages::RefreshAppletField);
  connect(document_, &TLumerollDocument::ItemChanged, pages_.get(), &TPropertyPages::RefreshItemFields);
  connect(document_, &TLumerollDocument::ShapeChanged, this, [this] {
    // The Item page follows its node to the node's new entry.
    const int entry = treeModel_->EntryOf(currentItemNode_);
    pages_->SetItemIndex(entry >= 0 ? entry : -1);
    if (!treeRebuilding_) UpdateItemCommands();
  });
  connect(document_, &TLumerollDocument::SelectionRequested, this, [this](int entry) { SelectEntry(entry); });
  connect(document_, &TLumerollDocument::StepRefused, this, [this](const QString& message) {
    services_.prompts.Tell(this, TMessageKind::Warning, message);
  });
  // Each page edit becomes one step of the history (typing merges). While a
  // step undoes or redoes itself the pages only show what it did; a push
  // then would cut off the steps that could still be redone.
  pages_->SetEditSink([this](const TPageEdit& edit) {
    if (document_->InStep()) return;
    if (edit.item < 0)
      document_->UndoStack().push(
          new TChangeAppletFieldCommand(*document_, edit.field, edit.before, edit.after, edit.typing, edit.session));
    else
      document_->UndoStack().push(new TChangeItemFieldCommand(*document_, edit.item, edit.field, edit.before,
                                                              edit.after, edit.typing, edit.session));
  });
}

void TMainForm::SetModified(bool modified) {
  document_->SetModified(modified);
  // Also when the flag stays as it was: a command class may have enabled Save.
  Save1_->setEnabled(Modified());
}

void TMainForm::UpdateTitle() {
  const QString path = document_->FilePath();
  // "[*]" stands for the unsaved mark; one in the file name is doubled to
  // show as it is.
  QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
  name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  setWindowFilePath(path);
  setWindowTitle(QStringLiteral("%1[*] - JavaScript Lumeroll").arg(name));
  setWindowModified(Modified());
}

QWidget* TMainForm::Page(TPageTab tab) const {
  QWidget* at = pgcntrl1_->widget(tab);
  if (auto* scroller = qobject_cast<QScrollArea*>(at)) return scroller->widget();
  return at;
}

void TMainForm::LetPagesScroll() {
  // A page needs more room than a small screen or a large scale factor
  // leaves; it scrolls instead of making the window taller than the screen.
  const QSignalBlocker quiet(pgcntrl1_);
  for (int i = 0; i < pgcntrl1_->count(); ++i) {
    QWidget* page = pgcntrl1_->widget(i);
    const QString text = pgcntrl1_->tabText(i);
    const QString tip = pgcntrl1_->tabToolTip(i);
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("scrl") + page->objectName());
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    // Only the height scrolls: a page keeps the width its fields need, and
    // the tree and a docked pane share what is left.
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setMinimumWidth(page->minimumSizeHint().width() + scroller->verticalScrollBar()->sizeHint().width());
    pgcntrl1_->removeTab(i);
    scroller->setWidget(page);
    // The tab's own background shows through, as before.
    page->setAutoFillBackground(false);
    scroller->viewport()->setAutoFillBackground(false);
    pgcntrl1_->insertTab(i, scroller, text);
    pgcntrl1_->setTabToolTip(i, tip);
  }
  pgcntrl1_->setCurrentIndex(0);
}

std::vector<int> TMainForm::TreeLevels() const { return treeModel_->Levels(); }

int TMainForm::SelectedEntry() const {
  const int entry = treeModel_->EntryOf(trvwDesignPanel_->currentIndex());
  return entry >= 0 ? entry : TDesignTreeModel::kRoot;
}

void TMainForm::SelectEntry(int entry) {
  const QModelIndex at = treeModel_->IndexOfEntry(entry);
  if (!at.isValid()) return;
  // The node's branch opens so the selection shows.
  for (QModelIndex up = at.parent(); up.isValid(); up = up.parent()) {
    if (trvwDesignPanel_->isExpanded(up)) break;
    trvwDesignPanel_->expand(up);
  }
  if (trvwDesignPanel_->currentIndex() == at)
    trvwDesignPanelChange();
  else
    trvwDesignPanel_->setCurrentIndex(at);
}

void TMainForm::Undo1Click() {
  if (QApplication::activeModalWidget() || !document_->UndoStack().canUndo()) return;
  // The step's own selection and refresh must not count as typing that
  // merges with what comes next.
  pages_->EndTyping();
  document_->UndoStack().undo();
  pages_->EndTyping();
}

void TMainForm::Redo1Click() {
  if (QApplication::activeModalWidget() || !document_->UndoStack().canRedo()) return;
  pages_->EndTyping();
  document_->UndoStack().redo();
  pages_->EndTyping();
}

void TMainForm::EditCaption() {
  if (SelectedEntry() < 0) return;
  pgcntrl1_->setCurrentIndex(kItemTab);
  pages_->tbshtItem()->edtICaption->setFocus(Qt::ShortcutFocusReason);
  pages_->tbshtItem()->edtICaption->selectAll();
}

void TMainForm::DragMove(int entry, int parent, int row) { treeCommands_->MoveInto(entry, parent, row); }

void TMainForm::BuildPages() {
  pages_ = std::make_unique<TPropertyPages>(Agent(), services_.prompts,
                                            FromCorePath(services_.folders.ResourceFolder()), this);
  pages_->HostIn(pgcntrl1_);
  LetPagesScroll();
  connect(pages_.get(), &TPropertyPages::HelpTopicRequested, this, [this](const QString& url) {
    if (help_) help_->ShowTopic(QUrl(url));
  });
  for (QWidget* control : pages_->HintControls()) RegisterHintControl(control);
  auto* undoKeys = new TWindowUndoKeys([this] { Undo1Click(); }, [this] { Redo1Click(); }, this);
  for (QWidget* field : pgcntrl1_->findChildren<QWidget*>()) {
    if (qobject_cast<QLineEdit*>(field) || qobject_cast<QAbstractSpinBox*>(field) ||
        qobject_cast<QPlainTextEdit*>(field) || qobject_cast<QTextEdit*>(field) || qobject_cast<QComboBox*>(field))
      field->installEventFilter(undoKeys);
  }
  // F1 anywhere in the window: the topic of the group being edited.
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
          [this] { pages_->ShowHelpFor(QApplication::focusWidget()); });
}

void TMainForm::RefreshItemPage(int index) { pages_->RefreshItemPage(index); }

TResult TMainForm::RefreshAppletPages() { return pages_->RefreshAppletPages(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  if (closeQuery_ && !closeQuery_()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void TMainForm::Begin(const std::string& hint, int maximum) {
  stctxtHint_->setText(FromLocalText(hint));
  prgrsbrMainFormBottom_->setRange(0, maximum > 0 ? maximum : 100);
  prgrsbrMainFormBottom_->setValue(0);
  if (!statusBar()->isHidden()) prgrsbrMainFormBottom_->show();
  if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  stctxtHint_->repaint();
}

void TMainForm::Advance(int by) {
  prgrsbrMainFormBottom_->setValue(qMin(prgrsbrMainFormBottom_->maximum(), prgrsbrMainFormBottom_->value() + by));
}

void TMainForm::End() {
  prgrsbrMainFormBottom_->setValue(0);
  stctxtHint_->clear();
  if (busyDepth_ > 0 && --busyDepth_ == 0) QApplication::restoreOverrideCursor();
  if (busyDepth_ == 0) prgrsbrMainFormBottom_->hide();
}

void TMainForm::Topic1Click() {
  services_.launcher.OpenUrl(
      QUrl::fromLocalFile(FromCorePath(services_.folders.ResourceFolder()) + "help/index.html"));
}

void TMainForm::ViewSample1Click() {
  services_.launcher.OpenUrl(
      QUrl::fromLocalFile(FromCorePath(services_.folders.ResourceFolder()) + "samples/index.html"));
}

void TMainForm::Homepage1Click() { services_.launcher.OpenUrl(QUrl(QString::fromLatin1(kHomePageAddress))); }

void TMainForm::ContactUs1Click() { services_.launcher.OpenUrl(QUrl(QString::fromLatin1(kSupportPageAddress))); }

void TMainForm::About1Click() {
  TformAbout about(services_.launcher, this);
  about.exec();
}

void TMainForm::ShowHelpTopic(const QString& topicFile) {
  if (!help_) return;
  help_->ShowTopic(
      QUrl::fromLocalFile(FromCorePath(services_.folders.ResourceFolder()) + "help/" + topicFile));
}

void TMainForm::ToolBar1Click() {
  const bool show = tlbr1_->isHidden();
  tlbr1_->setVisible(show);
  ToolBar1_->setChecked(show);
}

void TMainForm::StatusBar2Click() {
  const bool show = statusBar()->isHidden();
  stctxtHint_->setVisible(show);
  prgrsbrMainFormBottom_->setVisible(show && busyDepth_ > 0);
  statusBar()->setVisible(show);
  StatusBar2_->setChecked(show);
}
