#pragma once
// TLivePreviewPane shows the box as it will look on a page, beside the
// editor: the generator's configuration script run by the real runtime
// script in a web view, replaced in place whenever the project changes.
//
// It knows nothing of the document: it asks a snapshot source for a copy of
// the project when it is about to generate, and is told of changes by
// ScheduleUpdate and of the selection by SetSelectedItem. Changes that come
// close together are combined; generation runs on a worker thread, and a
// change that comes while one runs supersedes it, so typing never waits.
//
// An edit that keeps the list of items as it is (an item's fields, the box's
// size, border or colours) does not build the box again: the page is patched
// with the new lines of what changed, made on the window's thread from the
// live project, so its cost does not grow with the project and the item
// being edited stays shown and held.
//
// The web view and its Chromium processes exist only while they are of use:
// made when the pane is first shown, released when it has been hidden for a
// while, and made again, with the project as it then is, when shown again.

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "preview/preview_call.h"

class QAction;
class QActionGroup;
class QToolBar;
class QVBoxLayout;
class QWebEngineProfile;
class QWebEngineView;
class TPreviewSchemeHandler;
class TPreviewWebPage;

class TLivePreviewPane : public QWidget {
  Q_OBJECT
 public:
  using TSnapshotSource = std::function<TPreviewSnapshot()>;
  // The project as it is now, read in place by a patch (nothing copied).
  struct TLiveProject {
    const TAppletData* applet = nullptr;
    const TItemArray* items = nullptr;
  };
  using TLiveSource = std::function<TLiveProject()>;

  // The first change after a quiet spell is shown at once; changes that
  // follow within this many milliseconds of an update are combined into the
  // next. A project whose last update took more than twice as long waits
  // half that time instead (up to a second), so a huge project does not keep
  // the editor busy copying it while the user types.
  static constexpr int kCombineMs = 40;
  static constexpr int kMaxCombineMs = 1000;
  // The page widths the bar offers; 0 is "Fit" (the pane's own width).
  static constexpr int kPageWidths[] = {0, 360, 768, 1280};
  // How long the pane stays hidden before its web view is released.
  static constexpr int kReleaseAfterMs = 60000;

  // runtimePath: the runtime script in the resource folder.
  TLivePreviewPane(TSnapshotSource source, const QString& runtimePath, QWidget* parent = nullptr);
  ~TLivePreviewPane() override;

  // Read by patches; without one they take a snapshot instead.
  void SetLiveSource(TLiveSource source) { live_ = std::move(source); }

  // The project changed: generate and show it soon.
  void ScheduleUpdate();
  // Only item `index`'s fields changed: that item is replaced in the page.
  void ScheduleItemUpdate(int index);
  // Applet field `field` changed: the box takes its new style when only the
  // box line carries the field, else the box is built again.
  void ScheduleAppletUpdate(int field);
  // Item index (entry in the item array) to show still; -1 runs the box.
  void SetSelectedItem(int index);
  int SelectedItem() const { return selected_; }

  // 0 for "Fit", else the page width in pixels; any other value is ignored.
  void SetPageWidth(int width);
  int PageWidth() const { return pageWidth_; }
  void SetDarkPage(bool dark);
  bool DarkPage() const { return dark_; }

  // Loads the page again (and with it the runtime script from the resource
  // folder), then shows the project.
  void Reload();

  // The wait that now combines changes that follow an update.
  int CombineMs() const { return combineMs_; }
  // Hidden this long, the web view goes; the tests shorten it.
  void SetReleaseDelay(int ms) { release_.setInterval(ms); }
  // Whether the web view (and with it Chromium) exists now.
  bool HasView() const { return view_ != nullptr; }

  // How many generations were started since the pane was made.
  int GenerationCount() const { return generations_; }
  // How many patches were sent to the page.
  int PatchCount() const { return patches_; }
  // True when nothing is waiting, generating or being put into the page.
  bool Idle() const;

  // Only while HasView().
  QWebEngineView& View() { return *view_; }
  TPreviewWebPage& Page() { return *page_; }
  TPreviewSchemeHandler& Scheme() { return *scheme_; }

 signals:
  // A link of the box was clicked (or a script tried to leave the page).
  void LinkRequested(const QUrl& url);
  // An update reached the page: "ok", "error" (message shown) or "missing"
  // (no runtime script).
  void Updated(const QString& result);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildBar();
  void CreateView();
  void ReleaseView();
  void ForgetPage();
  void LoadPage();
  void PageLoaded(bool ok);
  void Kick();
  void StartGeneration();
  void SendPatch();
  void Patched(const QString& result);
  void ForgetPatches();
  void GenerationDone();
  void SendNextPart();
  void Applied(const QString& result);
  void SendHold();
  void ApplyFrame();

  TSnapshotSource source_;
  TLiveSource live_;
  QString runtimePath_;
  QVBoxLayout* layout_ = nullptr;
  QWebEngineProfile* profile_ = nullptr;
  TPreviewSchemeHandler* scheme_ = nullptr;
  TPreviewWebPage* page_ = nullptr;
  QWebEngineView* view_ = nullptr;
  QToolBar* bar_ = nullptr;
  QActionGroup* widths_ = nullptr;
  QAction* darkPage_ = nullptr;

  QTimer combine_;
  // The wait that combines changes now, and when the last update reached
  // the page (invalid before the first).
  int combineMs_ = kCombineMs;
  QElapsedTimer sinceUpdate_;
  QTimer release_;
  // Counts the pages loaded; an answer meant for an earlier one is dropped.
  int pageEpoch_ = 0;
  QFutureWatcher<TPreviewCall> watcher_;
  // What is still to go to the page for the update being applied.
  QStringList parts_;
  QString finalScript_;
  bool pageReady_ = false;
  bool dirty_ = true;
  // What waits to be patched while no whole update is due: items by entry,
  // in the order changed, and the box's style.
  QList<int> patchItems_;
  bool patchBox_ = false;
  int patches_ = 0;
  bool generating_ = false;
  bool applying_ = false;
  bool closing_ = false;
  int generations_ = 0;
  int selected_ = -1;
  int pageWidth_ = 0;
  bool dark_ = false;
  int crashes_ = 0;
  QElapsedTimer cycle_;
};
