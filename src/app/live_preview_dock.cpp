#include "app/live_preview_dock.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>

#include "document/document.h"
#include "editor/main_form.h"
#include "output_gui/web_browser_window.h"
#include "output/preview.h"
#include "app/error_box.h"

TLivePreviewDock::TLivePreviewDock(QMainWindow& window, QMenu* viewMenu, TSettingsFactory settings,
                                   TLivePreviewPane::TSnapshotSource source, const QString& runtimePath)
    : QObject(&window), window_(window), settings_(std::move(settings)) {
  setObjectName(QStringLiteral("LivePreviewDockInstaller"));
  dock_ = new QDockWidget(tr("Live Preview"), &window);
  dock_->setObjectName(QStringLiteral("LivePreviewDock"));
  pane_ = new TLivePreviewPane(std::move(source), runtimePath, dock_);
  dock_->setWidget(pane_);
  // Narrower, the bar and the box are cut; the window is not let that small.
  dock_->setMinimumWidth(kMinimumPaneWidth);
  window.addDockWidget(Qt::RightDockWidgetArea, dock_);

  toggle_ = dock_->toggleViewAction();
  toggle_->setObjectName(QStringLiteral("LivePreview1"));
  toggle_->setText(tr("&Live Preview"));
  toggle_->setShortcut(QKeySequence(Qt::Key_F8));
  toggle_->setStatusTip(tr("Show or hide the box as it will look, beside the pages"));
  if (viewMenu) viewMenu->addAction(toggle_);
  // The action's own shortcut works only while it sits in a visible menu or
  // widget; the window keeps it reachable either way.
  window.addAction(toggle_);

  RestoreSettings();
  connect(toggle_, &QAction::triggered, this, [this](bool shown) {
    // The pane gets room of its own instead of squeezing the tree and the
    // pages; hiding it gives that room back.
    if (shown)
      MakeRoom(qMax(paneWidth_, kMinimumPaneWidth));
    else
      GiveRoomBack();
    SaveSettings();
  });
  connect(dock_, &QDockWidget::dockLocationChanged, this, &TLivePreviewDock::SaveSettings);
  connect(dock_, &QDockWidget::topLevelChanged, this, &TLivePreviewDock::SaveSettings);
  connect(qApp, &QCoreApplication::aboutToQuit, this, &TLivePreviewDock::SaveSettings);
  window.installEventFilter(this);
  dock_->installEventFilter(this);
}

bool TLivePreviewDock::eventFilter(QObject* watched, QEvent* event) {
  // The last moment the window still shows the pane as the user left it:
  // once closed, the dock reads as hidden.
  if (watched == &window_ && event->type() == QEvent::Close) SaveSettings();
  // The user drags the separator: that width, and its share of the window,
  // is what the pane keeps. Widths the layout forces on it (a window at its
  // smallest) are not taken as the user's.
  if (watched == dock_ && event->type() == QEvent::Resize && IsBeside() &&
      (QGuiApplication::mouseButtons() & Qt::LeftButton) && window_.width() > 0) {
    paneWidth_ = dock_->width();
    share_ = double(paneWidth_) / window_.width();
  }
  // From the action: while the dock is being shown the window already widens
  // to its new smallest width, before the dock counts as visible.
  if (watched == &window_ && event->type() == QEvent::Resize && !toggle_->isChecked())
    widthWithoutPane_ = window_.width();
  if (watched == &window_ && event->type() == QEvent::Resize)
    ShareWidthChange(static_cast<QResizeEvent*>(event)->oldSize().width(), window_.width());
  return QObject::eventFilter(watched, event);
}

bool TLivePreviewDock::IsBeside() const {
  if (!dock_->isVisible() || dock_->isFloating()) return false;
  const Qt::DockWidgetArea area = window_.dockWidgetArea(dock_);
  return area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
}

void TLivePreviewDock::ShareWidthChange(int oldWidth, int newWidth) {
  // The window's layout has already given the whole change to the pages;
  // the pane takes back its share, so a maximised window shows a wider
  // preview too, and a window made narrow and wide again gives it back the
  // width it had.
  if (oldWidth <= 0 || oldWidth == newWidth || !IsBeside()) return;
  if (share_ <= 0) share_ = double(dock_->width()) / oldWidth;
  const int wanted = qMax(kMinimumPaneWidth, qRound(share_ * newWidth));
  paneWidth_ = wanted;
  window_.resizeDocks({dock_}, {wanted}, Qt::Horizontal);
}

void TLivePreviewDock::MakeRoom(int paneWidth) {
  grownBy_ = 0;
  if (window_.isMaximized() || window_.isFullScreen() || dock_->isFloating()) return;
  // A shown window may already have widened to its new smallest width with
  // the pane; the pane's room is counted from its width without it.
  const int base = window_.isVisible() && widthWithoutPane_ > 0 ? widthWithoutPane_ : window_.width();
  int width = base + paneWidth;
  QRect free;
  if (const QScreen* screen = window_.screen()) {
    free = screen->availableGeometry();
    // The frame's sides count too once the window is shown.
    const int sides = window_.isVisible() ? window_.frameGeometry().width() - window_.width() : 0;
    width = qMin(width, free.width() - sides);
  }
  // The share is what the pane gets once the window has its new width,
  // which a shown window reports later.
  share_ = double(paneWidth) / qMax(width, window_.width());
  if (width <= window_.width()) {
    window_.resizeDocks({dock_}, {paneWidth}, Qt::Horizontal);
    return;
  }
  grownBy_ = width - base;
  grownTo_ = width;
  window_.resize(width, window_.height());
  // Still on the screen after growing.
  if (!free.isNull()) window_.move(qBound(free.left(), window_.x(), free.right() + 1 - width), window_.y());
  window_.resizeDocks({dock_}, {paneWidth}, Qt::Horizontal);
}

void TLivePreviewDock::GiveRoomBack() {
  // Only when the window is still as the pane left it; a window the user
  // has resized since keeps its size.
  if (grownBy_ > 0 && window_.width() == grownTo_ && !window_.isMaximized() && !window_.isFullScreen()) {
    // The layout lets the pane go first: until then the pane still counts
    // in the window's smallest width, and the window would stay wider.
    if (QLayout* layout = window_.layout()) {
      layout->invalidate();
      layout->activate();
    }
    window_.resize(grownTo_ - grownBy_, window_.height());
  }
  grownBy_ = 0;
}

void TLivePreviewDock::RestoreSettings() {
  std::unique_ptr<QSettings> s = settings_ ? settings_() : nullptr;
  bool show = true;
  if (s) {
    s->beginGroup(QString::fromLatin1(kSettingsGroup));
    // Written by us as 0 or 1; anything else counts as the first start.
    if (const std::optional<int> v = ReadInt(*s, QString::fromLatin1(kShowLivePreviewKey)); v && (*v == 0 || *v == 1))
      show = *v == 1;
    const QByteArray state = s->value(QString::fromLatin1(kLivePreviewDockStateKey)).toByteArray();
    s->endGroup();
    if (!state.isEmpty()) {
      window_.restoreState(state);
      dock_->setVisible(show);
      return;
    }
  }
  // First start: the window grows by the pane instead of squeezing the tree
  // and the pages, as far as the screen allows.
  if (show) MakeRoom(kFirstPaneWidth);
  dock_->setVisible(show);
}

void TLivePreviewDock::SaveSettings() {
  // A closed window hides its docks; that is not the user hiding the pane,
  // and what was saved as the window closed stays.
  if (!window_.isVisible()) return;
  std::unique_ptr<QSettings> s = settings_ ? settings_() : nullptr;
  if (!s) return;
  s->beginGroup(QString::fromLatin1(kSettingsGroup));
  // From the action, not the dock: the dock also reads as hidden while the
  // whole window is closed or minimised.
  s->setValue(QString::fromLatin1(kShowLivePreviewKey), toggle_->isChecked() ? 1 : 0);
  s->setValue(QString::fromLatin1(kLivePreviewDockStateKey), window_.saveState());
  s->endGroup();
  s->sync();
}

bool IsOpenableLink(const QUrl& url) {
  static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                   QStringLiteral("mailto")};
  return url.isValid() && schemes.contains(url.scheme().toLower());
}

namespace {

TPreviewSnapshot SnapshotOf(const TkvdAppletAgent& agent) {
  return TPreviewSnapshot{agent.AppletData(), agent.Items(), agent.ScriptFiles};
}

}  // namespace

TLivePreviewDock* InstallLivePreview(TMainForm& form, TSettingsFactory settings, TLinkBrowserFactory browser) {
  const AppFolders& folders = form.Services().folders;
  const QString runtime = FromCorePath(ScriptSourcePath(form.Agent(), folders, 0));
  // Every edit reaches the document as it is made, so the agent is always
  // current and the snapshot needs no commit first.
  auto source = [&form] { return SnapshotOf(form.Agent()); };
  auto* dock = new TLivePreviewDock(form, &form.ViewMenu(), std::move(settings),
                                    source, runtime);
  TLivePreviewPane& pane = dock->Pane();

  pane.SetLiveSource([&form] {
    return TLivePreviewPane::TLiveProject{&form.Agent().AppletData(), &form.Agent().Items()};
  });
  // What changed decides what the page does: one item or the box's style is
  // patched in place; a new shape or a new project builds the box again.
  TLumerollDocument& document = form.Document();
  QObject::connect(&document, &TLumerollDocument::ItemChanged, &pane, &TLivePreviewPane::ScheduleItemUpdate);
  QObject::connect(&document, &TLumerollDocument::AppletFieldChanged, &pane, &TLivePreviewPane::ScheduleAppletUpdate);
  QObject::connect(&document, &TLumerollDocument::ShapeChanged, &pane, &TLivePreviewPane::ScheduleUpdate);
  QObject::connect(&document, &TLumerollDocument::ProjectReset, &pane, &TLivePreviewPane::ScheduleUpdate);
  QObject::connect(&form, &TMainForm::SelectedItemChanged, &pane, &TLivePreviewPane::SetSelectedItem);
  // A move, a delete or their undo carries the selected node to another
  // entry without changing the selection, so no selection signal comes:
  // the pane asks the tree again after every change of shape. The tree
  // model follows the change before this runs (it connected first).
  QObject::connect(&form.Document(), &TLumerollDocument::ShapeChanged, &pane, [&form, &pane] {
    pane.SetSelectedItem(form.SelectedEntry());
  });

  QObject::connect(&pane, &TLivePreviewPane::LinkRequested, &form, [&form, browser](const QUrl& url) {
    if (!IsOpenableLink(url) || !browser) return;
    std::unique_ptr<TformWebBrowser> window = browser(&form);
    window->OpenAddress(url);
  });
  return dock;
}
