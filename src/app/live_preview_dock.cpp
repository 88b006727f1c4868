#include "app/live_preview_dock.h"

#include <QAction>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
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
      MakeRoom(paneWidth_);
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
  // The width the user left the pane at is the one it comes back with.
  if (watched == dock_ && event->type() == QEvent::Resize && dock_->isVisible() && !dock_->isFloating())
    paneWidth_ = dock_->width();
  if (watched == &window_ && event->type() == QEvent::Resize)
    ShareWidthChange(static_cast<QResizeEvent*>(event)->oldSize().width(), window_.width());
  return QObject::eventFilter(watched, event);
}

void TLivePreviewDock::ShareWidthChange(int oldWidth, int newWidth) {
  // The window's layout has already given the whole change to the pages;
  // the pane takes back its share, so a maximised window shows a wider
  // preview too.
  if (oldWidth <= 0 || oldWidth == newWidth || !dock_->isVisible() || dock_->isFloating()) return;
  const Qt::DockWidgetArea area = window_.dockWidgetArea(dock_);
  if (area != Qt::LeftDockWidgetArea && area != Qt::RightDockWidgetArea) return;
  if (roomFor_ > 0) {
    // The window grew (or shrank) for the pane: the pane has its width.
    const int wanted = roomFor_;
    roomFor_ = 0;
    window_.resizeDocks({dock_}, {wanted}, Qt::Horizontal);
    return;
  }
  const int paneWidth = dock_->width();
  window_.resizeDocks({dock_}, {int(qint64(paneWidth) * newWidth / oldWidth)}, Qt::Horizontal);
}

void TLivePreviewDock::MakeRoom(int paneWidth) {
  grownBy_ = 0;
  if (window_.isMaximized() || window_.isFullScreen() || dock_->isFloating()) return;
  int width = window_.width() + paneWidth;
  QRect free;
  if (const QScreen* screen = window_.screen()) {
    free = screen->availableGeometry();
    // The frame's sides count too once the window is shown.
    const int sides = window_.isVisible() ? window_.frameGeometry().width() - window_.width() : 0;
    width = qMin(width, free.width() - sides);
  }
  if (width <= window_.width()) {
    window_.resizeDocks({dock_}, {paneWidth}, Qt::Horizontal);
    return;
  }
  grownBy_ = width - window_.width();
  grownTo_ = width;
  // A shown window reports its new size later; the pane's width is set
  // then (see ShareWidthChange), a hidden one lays out at once when shown.
  if (window_.isVisible()) roomFor_ = paneWidth;
  window_.resize(width, window_.height());
  // Still on the screen after growing.
  if (!free.isNull()) window_.move(qBound(free.left(), window_.x(), free.right() + 1 - width), window_.y());
  window_.resizeDocks({dock_}, {paneWidth}, Qt::Horizontal);
}

void TLivePreviewDock::GiveRoomBack() {
  roomFor_ = 0;
  // Only when the window is still as the pane left it; a window the user
  // has resized since keeps its size.
  if (grownBy_ > 0 && window_.width() == grownTo_ && !window_.isMaximized() && !window_.isFullScreen())
    window_.resize(window_.width() - grownBy_, window_.height());
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
