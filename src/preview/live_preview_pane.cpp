#include "preview/live_preview_pane.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QPointer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QShowEvent>
#include <QHideEvent>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "output/generator.h"
#include "preview/preview_scheme.h"
#include "preview/preview_web_page.h"

namespace {

// A renderer that keeps crashing is not restarted for ever.
constexpr int kMaxRestarts = 3;

}  // namespace

TLivePreviewPane::TLivePreviewPane(TSnapshotSource source, const QString& runtimePath, QWidget* parent)
    : QWidget(parent), source_(std::move(source)), runtimePath_(runtimePath) {
  setObjectName(QStringLiteral("LivePreviewPane"));
  BuildBar();
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  layout_->addWidget(bar_);
  layout_->addStretch(1);

  combine_.setSingleShot(true);
  connect(&combine_, &QTimer::timeout, this, &TLivePreviewPane::StartGeneration);
  connect(&watcher_, &QFutureWatcher<TPreviewCall>::finished, this, &TLivePreviewPane::GenerationDone);
  release_.setSingleShot(true);
  release_.setInterval(kReleaseAfterMs);
  connect(&release_, &QTimer::timeout, this, &TLivePreviewPane::ReleaseView);
}

TLivePreviewPane::~TLivePreviewPane() {
  closing_ = true;
  combine_.stop();
  release_.stop();
  watcher_.disconnect(this);
  ReleaseView();
}

void TLivePreviewPane::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  release_.stop();
  if (!view_) CreateView();
}

void TLivePreviewPane::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (view_ && !closing_) release_.start();
}

void TLivePreviewPane::CreateView() {
  if (closing_ || view_) return;
  // No storage name: an off-the-record profile, which keeps cache, cookies
  // and local storage in memory, so the pane writes nothing to disk.
  profile_ = new QWebEngineProfile(this);
  // Reload means read the runtime script again, not a remembered copy.
  profile_->setHttpCacheType(QWebEngineProfile::NoCache);
  scheme_ = new TPreviewSchemeHandler(runtimePath_, this);
  profile_->installUrlSchemeHandler(kPreviewScheme, scheme_);
  page_ = new TPreviewWebPage(profile_, this);
  QWebEngineSettings* settings = page_->settings();
  settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
  settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
  settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
  connect(page_, &TPreviewWebPage::LinkRequested, this, &TLivePreviewPane::LinkRequested);
  connect(page_, &QWebEnginePage::loadFinished, this, &TLivePreviewPane::PageLoaded);
  connect(page_, &QWebEnginePage::renderProcessTerminated, this,
          [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
            if (status == QWebEnginePage::NormalTerminationStatus || closing_) return;
            ForgetPage();
            if (++crashes_ <= kMaxRestarts) QTimer::singleShot(0, this, &TLivePreviewPane::LoadPage);
          });

  view_ = new QWebEngineView(this);
  view_->setObjectName(QStringLiteral("LivePreviewView"));
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  // In place of the stretch that kept the bar at the top.
  delete layout_->takeAt(1);
  layout_->addWidget(view_, 1);
  LoadPage();
}

void TLivePreviewPane::ReleaseView() {
  if (!view_) return;
  // The next view shows the project as it is then.
  ForgetPage();
  page_->disconnect(this);
  // The page must go before its profile, and before this object is half
  // gone, since a pending script callback may still arrive.
  layout_->removeWidget(view_);
  delete view_;
  delete page_;
  delete profile_;
  delete scheme_;
  view_ = nullptr;
  page_ = nullptr;
  profile_ = nullptr;
  scheme_ = nullptr;
  if (!closing_) layout_->addStretch(1);
}

void TLivePreviewPane::BuildBar() {
  bar_ = new QToolBar(this);
  bar_->setObjectName(QStringLiteral("LivePreviewBar"));
  bar_->setIconSize(QSize(16, 16));
  bar_->addWidget(new QLabel(tr("Width "), bar_));
  widths_ = new QActionGroup(this);
  widths_->setExclusive(true);
  for (const int width : kPageWidths) {
    QAction* a = bar_->addAction(width == 0 ? tr("Fit") : QString::number(width));
    a->setObjectName(width == 0 ? QStringLiteral("LivePreviewWidthFit")
                                : QStringLiteral("LivePreviewWidth%1").arg(width));
    a->setToolTip(width == 0 ? tr("The page is as wide as the pane")
                             : tr("A page %1 pixels wide, scaled down when the pane is narrower").arg(width));
    a->setCheckable(true);
    a->setChecked(width == pageWidth_);
    a->setData(width);
    widths_->addAction(a);
    connect(a, &QAction::triggered, this, [this, width] { SetPageWidth(width); });
  }
  bar_->addSeparator();
  darkPage_ = bar_->addAction(tr("Dark"));
  darkPage_->setObjectName(QStringLiteral("LivePreviewDarkPage"));
  darkPage_->setToolTip(tr("Show the box on a dark page instead of a light one"));
  darkPage_->setCheckable(true);
  connect(darkPage_, &QAction::toggled, this, &TLivePreviewPane::SetDarkPage);
  // A tool bar's buttons take no focus of their own; these are the pane's
  // only controls, so Tab reaches them, and a screen reader says what the
  // bare numbers mean.
  QList<QAction*> buttons = widths_->actions();
  buttons << darkPage_;
  for (QAction* a : buttons) {
    QWidget* button = bar_->widgetForAction(a);
    if (!button) continue;
    button->setFocusPolicy(Qt::TabFocus);
    button->setObjectName(a->objectName() + QStringLiteral("Button"));
    const int width = a->data().toInt();
    button->setAccessibleName(a == darkPage_ ? tr("Dark page")
                              : width == 0   ? tr("Page as wide as the pane")
                                             : tr("Page width %1 pixels").arg(width));
    button->setAccessibleDescription(a->toolTip());
  }
}

void TLivePreviewPane::ForgetPage() {
  // An update on its way to the old page is void; the new one gets a whole
  // update of its own once loaded.
  ++pageEpoch_;
  pageReady_ = applying_ = false;
  dirty_ = true;
  ForgetPatches();
  parts_.clear();
  finalScript_.clear();
}

void TLivePreviewPane::LoadPage() {
  if (closing_ || !page_) return;
  ForgetPage();
  page_->load(PreviewPageUrl());
}

void TLivePreviewPane::Reload() {
  if (closing_ || !page_) return;
  ForgetPage();
  // Past the renderer's memory cache too, so a replaced or removed runtime
  // script shows.
  page_->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void TLivePreviewPane::PageLoaded(bool ok) {
  if (!ok || closing_) return;
  pageReady_ = true;
  dirty_ = true;
  ApplyFrame();
  StartGeneration();
}

bool TLivePreviewPane::Idle() const {
  return !dirty_ && !generating_ && !applying_ && !combine_.isActive() && patchItems_.isEmpty() && !patchBox_;
}

void TLivePreviewPane::ScheduleUpdate() {
  dirty_ = true;
  Kick();
}

void TLivePreviewPane::ScheduleItemUpdate(int index) {
  // A whole update still to come covers it: its copy is taken later.
  if (!dirty_ && !patchItems_.contains(index)) patchItems_ << index;
  Kick();
}

void TLivePreviewPane::ScheduleAppletUpdate(int field) {
  if (!InBoxLineOnly(field)) {
    // The field is in every item's line.
    ScheduleUpdate();
    return;
  }
  if (!dirty_) patchBox_ = true;
  Kick();
}

void TLivePreviewPane::ForgetPatches() {
  patchItems_.clear();
  patchBox_ = false;
}

void TLivePreviewPane::Kick() {
  if (!pageReady_ || generating_ || applying_ || combine_.isActive()) return;
  // After a quiet spell the change goes on the next turn of the event loop
  // (so the several signals of one edit are still one update); inside a
  // burst it waits. The wait is not restarted by later changes: steady
  // typing still shows every few dozen milliseconds, not only when it stops.
  // A patch costs little whatever the project's size and is never kept
  // waiting: the keys typed while one is on its way go together in the next.
  const bool quiet = !sinceUpdate_.isValid() || sinceUpdate_.elapsed() >= combineMs_;
  combine_.start(quiet || !dirty_ ? 0 : combineMs_);
}

void TLivePreviewPane::StartGeneration() {
  if (!pageReady_ || generating_ || applying_ || closing_) return;
  if (!dirty_) {
    if (!patchItems_.isEmpty() || patchBox_) SendPatch();
    return;
  }
  dirty_ = false;
  // The copy below holds every change so far.
  ForgetPatches();
  generating_ = true;
  ++generations_;
  cycle_.start();
  // The copy is made here on the GUI thread, where the project lives; the
  // generation and the escaping for the page run on a worker.
  watcher_.setFuture(QtConcurrent::run(&BuildPreviewCall, source_()));
}

void TLivePreviewPane::GenerationDone() {
  generating_ = false;
  if (closing_ || !pageReady_) return;
  if (dirty_) {
    // A newer project is waiting; showing this one would only delay it.
    combine_.start(combineMs_);
    return;
  }
  TPreviewCall call = watcher_.result();
  applying_ = true;
  parts_ = std::move(call.parts);
  finalScript_ = std::move(call.script);
  SendNextPart();
}

void TLivePreviewPane::SendNextPart() {
  // The page went on the way (ForgetPage dropped the rest).
  if (closing_ || !applying_ || !pageReady_) return;
  if (!parts_.isEmpty()) {
    page_->runJavaScript(parts_.takeFirst());
    // The next part on the next turn, so the window stays responsive.
    QTimer::singleShot(0, this, &TLivePreviewPane::SendNextPart);
    return;
  }
  QPointer<TLivePreviewPane> self(this);
  const int epoch = pageEpoch_;
  page_->runJavaScript(finalScript_, [self, epoch](const QVariant& result) {
    if (self && !self->closing_ && self->pageEpoch_ == epoch && self->applying_) self->Applied(result.toString());
  });
  finalScript_.clear();
  SendHold();
}

void TLivePreviewPane::Applied(const QString& result) {
  applying_ = false;
  if (cycle_.isValid()) combineMs_ = int(std::clamp<qint64>(cycle_.elapsed() / 2, kCombineMs, kMaxCombineMs));
  sinceUpdate_.start();
  crashes_ = 0;
  emit Updated(result);
  if (dirty_ && !combine_.isActive()) combine_.start(combineMs_);
  else if (!patchItems_.isEmpty() || patchBox_) Kick();
}

void TLivePreviewPane::SendPatch() {
  TPreviewSnapshot copy;
  TLiveProject project = live_ ? live_() : TLiveProject{};
  if (!project.applet || !project.items) {
    copy = source_();
    project = {&copy.applet, &copy.items};
  }
  QString boxLine = QStringLiteral("null");
  bool rebuild = false;
  if (patchBox_) {
    // A value the box line refuses is shown as the whole update shows it.
    const TConversion line = BoxLine(*project.applet);
    rebuild = !line.ok;
    boxLine = ScriptStringLiteral(QString::fromLocal8Bit(line.text));
  }
  QStringList entries;
  for (const int index : patchItems_) {
    if (index < 0 || size_t(index) >= project.items->size()) {
      rebuild = true;
      break;
    }
    entries << QStringLiteral("[%1,%2]").arg(index).arg(ScriptStringLiteral(
                   QString::fromLocal8Bit(ItemLine(*project.applet, (*project.items)[size_t(index)]))));
  }
  ForgetPatches();
  if (rebuild) {
    dirty_ = true;
    StartGeneration();
    return;
  }
  ++patches_;
  applying_ = true;
  cycle_.start();
  QPointer<TLivePreviewPane> self(this);
  const int epoch = pageEpoch_;
  page_->runJavaScript(QStringLiteral("lumerollPreview.patch(%1,[%2])").arg(boxLine, entries.join(QLatin1Char(','))),
                       [self, epoch](const QVariant& result) {
                         if (self && !self->closing_ && self->pageEpoch_ == epoch && self->applying_)
                           self->Patched(result.toString());
                       });
}

void TLivePreviewPane::Patched(const QString& result) {
  if (result != QLatin1String("rebuild")) {
    Applied(result);
    return;
  }
  // The page had no box to patch (an error shown, or an empty project).
  applying_ = false;
  dirty_ = true;
  StartGeneration();
}

void TLivePreviewPane::SetSelectedItem(int index) {
  selected_ = index < 0 ? -1 : index;
  SendHold();
}

void TLivePreviewPane::SendHold() {
  if (pageReady_) page_->runJavaScript(QStringLiteral("lumerollPreview.hold(%1)").arg(selected_));
}

void TLivePreviewPane::SetPageWidth(int width) {
  bool known = false;
  for (const int w : kPageWidths) known = known || w == width;
  if (!known) return;
  pageWidth_ = width;
  for (QAction* a : widths_->actions()) a->setChecked(a->data().toInt() == width);
  ApplyFrame();
}

void TLivePreviewPane::SetDarkPage(bool dark) {
  dark_ = dark;
  if (darkPage_->isChecked() != dark) darkPage_->setChecked(dark);
  ApplyFrame();
}

void TLivePreviewPane::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ApplyFrame();
}

void TLivePreviewPane::ApplyFrame() {
  // A fixed page wider than the pane is scaled down to fit, as a phone or
  // a desktop page seen whole.
  if (!view_) return;
  const int available = view_->width();
  qreal zoom = 1.0;
  if (pageWidth_ > 0 && available > 0 && available < pageWidth_) zoom = qMax(0.25, qreal(available) / pageWidth_);
  if (!qFuzzyCompare(view_->zoomFactor(), zoom)) view_->setZoomFactor(zoom);
  if (pageReady_)
    page_->runJavaScript(
        QStringLiteral("lumerollPreview.frame(%1, %2)").arg(pageWidth_).arg(dark_ ? QStringLiteral("true")
                                                                                   : QStringLiteral("false")));
}
