#include "editor/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>

#include "editor/design_tree_builder.h"
#include "editor/design_tree_commands.h"
#include "editor/editor_icons.h"
#include "editor/pages/property_pages.h"
#include "output/product_info.h"
#include "platform/local_text.h"
#include "shell/about_window.h"
#include "shell/help_window.h"

namespace {

constexpr const char* kTreeHint = "Add, remove or move items by right-clicking the mouse.";

// Lets the window run its paint-time update for every node the tree draws;
// the drawing itself stays the tree's own.
class TPaintHookDelegate : public QStyledItemDelegate {
 public:
  TPaintHookDelegate(std::function<void()> hook, QObject* parent) : QStyledItemDelegate(parent), hook_(hook) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    hook_();
    QStyledItemDelegate::paint(painter, option, index);
  }

 private:
  std::function<void()> hook_;
};

}  // namespace

TMainForm::TMainForm(TEditorServices services, QWidget* parent)
    : QMainWindow(parent,
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("JavaScript Lumeroll"));
  setWindowIcon(editor_icons::ProgramIcon());
  agent_.SetProgress(this);

  BuildActions();
  BuildToolBar();
  BuildMenus();
  BuildCentralArea();
  BuildStatusStrip();
  BuildPages();
  ConnectCommands();

  TDesignTreeCommands::THost host;
  host.setModified = [this] { SetModified(true); };
  host.clearCurrentItemNode = [this] { currentItemNode_ = nullptr; };
  host.selectionChanged = [this] { trvwDesignPanelChange(); };
  treeCommands_ = std::make_unique<TDesignTreeCommands>(*trvwDesignPanel_, agent_, services_.prompts, this, host);

  resize(747, 532);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(747 / 2, 532 / 2));
  }
  ResetDesignTree();
  agent_.SetDefaults();
  RefreshAppletPages();
  SetModified(false);
  // The keys of the tree work at once, without a click into it first.
  trvwDesignPanel_->setFocus();
}

TMainForm::~TMainForm() {
  // The tree outlives this part of the window while QWidget deletes the
  // children; its signals must not reach handlers of a half-destroyed form.
  treeRebuilding_ = true;
  trvwDesignPanel_->disconnect(this);
  agent_.SetProgress(nullptr);
}

void TMainForm::BuildCentralArea() {
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("Splitter1"));
  splitter->setHandleWidth(3);
  splitter->setChildrenCollapsible(false);

  auto* pnlTreeView = new QWidget(splitter);
  pnlTreeView->setObjectName(QStringLiteral("pnlTreeView"));
  auto* panelLayout = new QHBoxLayout(pnlTreeView);
  panelLayout->setContentsMargins(3, 3, 3, 3);
  trvwDesignPanel_ = new QTreeWidget(pnlTreeView);
  trvwDesignPanel_->setObjectName(QStringLiteral("trvwDesignPanel"));
  trvwDesignPanel_->setHeaderHidden(true);
  trvwDesignPanel_->setColumnCount(1);
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
  trvwDesignPanel_->setItemDelegate(new TPaintHookDelegate([this] { trvwDesignPanelCustomDrawItem(); }, this));
  trvwDesignPanel_->viewport()->installEventFilter(this);
  panelLayout->addWidget(trvwDesignPanel_);
  connect(trvwDesignPanel_, &QTreeWidget::currentItemChanged, this, [this] { trvwDesignPanelChange(); });
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
  splitter->setSizes({337, 747 - 337});
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
}

void TMainForm::SetModified(bool modified) {
  modified_ = modified;
  Save1_->setEnabled(modified);
  tlbtnSave_->setEnabled(modified);
}

void TMainForm::ResetDesignTree() {
  treeRebuilding_ = true;
  QTreeWidgetItem* root = design_tree::ResetTree(*trvwDesignPanel_);
  currentItemNode_ = nullptr;
  treeRebuilding_ = false;
  trvwDesignPanel_->setCurrentItem(root);
  ShowPagesForSelection();
  UpdateItemCommands();
}

void TMainForm::RebuildDesignTree(const std::vector<int>& parents) {
  treeRebuilding_ = true;
  trvwDesignPanel_->setUpdatesEnabled(false);
  QTreeWidgetItem* root = design_tree::ResetTree(*trvwDesignPanel_);
  design_tree::FillTree(*root, agent_.Items(), parents);
  root->setExpanded(true);
  trvwDesignPanel_->setUpdatesEnabled(true);
  currentItemNode_ = nullptr;
  treeRebuilding_ = false;
  trvwDesignPanel_->setCurrentItem(root);
  ShowPagesForSelection();
  UpdateItemCommands();
}

QWidget* TMainForm::Page(TPageTab tab) const { return pgcntrl1_->widget(tab); }

std::vector<int> TMainForm::TreeLevels() const { return design_tree::TreeLevels(*trvwDesignPanel_); }

void TMainForm::BuildPages() {
  pages_ = std::make_unique<TPropertyPages>(agent_, services_.prompts,
                                            FromLocalText(services_.folders.ResourceFolder()), this);
  pages_->HostIn(pgcntrl1_);
  connect(pages_.get(), &TPropertyPages::Modified, this, [this] { SetModified(true); });
  connect(pages_.get(), &TPropertyPages::ItemCaptionEdited, this, [this](const QString& caption) {
    QTreeWidgetItem* selected = trvwDesignPanel_->currentItem();
    if (selected && selected->parent()) selected->setText(0, caption);
  });
  connect(pages_.get(), &TPropertyPages::HelpTopicRequested, this, [this](const QString& url) {
    if (help_) help_->ShowTopic(QUrl(url));
  });
  for (QWidget* control : pages_->HintControls()) RegisterHintControl(control);
  // F1 anywhere in the window: the topic of the group being edited.
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
          [this] { pages_->ShowHelpFor(QApplication::focusWidget()); });
}

void TMainForm::CommitItemPage(int index) { pages_->CommitItemPage(index); }
void TMainForm::RefreshItemPage(int index) { pages_->RefreshItemPage(index); }

void TMainForm::CommitPages() {
  pages_->CommitPages(currentItemNode_ ? design_tree::AbsoluteIndex(currentItemNode_) - 1 : -1);
}

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
}

void TMainForm::Topic1Click() {
  services_.launcher.OpenUrl(
      QUrl::fromLocalFile(FromLocalText(services_.folders.ResourceFolder()) + "help/index.html"));
}

void TMainForm::ViewSample1Click() {
  services_.launcher.OpenUrl(
      QUrl::fromLocalFile(FromLocalText(services_.folders.ResourceFolder()) + "samples/index.html"));
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
      QUrl::fromLocalFile(FromLocalText(services_.folders.ResourceFolder()) + "help/" + topicFile));
}

void TMainForm::ToolBar1Click() {
  const bool show = tlbr1_->isHidden();
  tlbr1_->setVisible(show);
  ToolBar1_->setChecked(show);
}

void TMainForm::StatusBar2Click() {
  const bool show = statusBar()->isHidden();
  stctxtHint_->setVisible(show);
  prgrsbrMainFormBottom_->setVisible(show);
  statusBar()->setVisible(show);
  StatusBar2_->setChecked(show);
}
