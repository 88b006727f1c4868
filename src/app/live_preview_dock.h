#pragma once
// The live preview pane docked in the main window: the dock, its entry in
// the View menu (F8), and whether it is shown and where it docks, kept in
// the settings. InstallLivePreview ties it to the editor: what the pane
// shows, when it updates, which item it holds and where links open.

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

#include "platform/settings.h"
#include "preview/live_preview_pane.h"

class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class TMainForm;
class TformWebBrowser;

inline constexpr char kShowLivePreviewKey[] = "ShowLivePreview";
inline constexpr char kLivePreviewDockStateKey[] = "LivePreviewDockState";

class TLivePreviewDock : public QObject {
  Q_OBJECT
 public:
  // Adds the dock to window (right of the pages) and "&Live Preview" to
  // viewMenu; restores the saved state, shown when nothing was saved yet.
  TLivePreviewDock(QMainWindow& window, QMenu* viewMenu, TSettingsFactory settings,
                   TLivePreviewPane::TSnapshotSource source, const QString& runtimePath);

  TLivePreviewPane& Pane() { return *pane_; }
  QDockWidget& Dock() { return *dock_; }
  QAction& ToggleAction() { return *toggle_; }

  // Writes ShowLivePreview and the dock state while the window is shown; done
  // on every toggle and move of the dock, as the window closes and when the
  // program quits.
  void SaveSettings();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RestoreSettings();
  // Grows the window by paneWidth as far as the screen allows, so showing
  // the pane leaves the tree and the pages their width.
  void MakeRoom(int paneWidth);
  // Hiding the pane shrinks the window by what it grew for it.
  void GiveRoomBack();
  // Gives the pane its share of a change of the window's width.
  void ShareWidthChange(int oldWidth, int newWidth);
  // Shown and docked at the window's left or right.
  bool IsBeside() const;

  QMainWindow& window_;
  TSettingsFactory settings_;
  QDockWidget* dock_ = nullptr;
  TLivePreviewPane* pane_ = nullptr;
  QAction* toggle_ = nullptr;
  // The pane's width at the first start.
  static constexpr int kFirstPaneWidth = 380;
  static constexpr int kMinimumPaneWidth = 180;
  // The pane's last width while it was shown.
  int paneWidth_ = kFirstPaneWidth;
  // The pane's share of the window's width; 0 until known.
  double share_ = 0;
  // What the window grew by for the pane, and the width it grew to.
  int grownBy_ = 0;
  int grownTo_ = 0;
  // The window's last width while the pane was hidden.
  int widthWithoutPane_ = 0;
};

// Makes a browser choice window unseen, as the Preview command does.
using TLinkBrowserFactory = std::function<std::unique_ptr<TformWebBrowser>(QWidget* parent)>;

// Installs the pane into the editor window; the window owns it.
TLivePreviewDock* InstallLivePreview(TMainForm& form, TSettingsFactory settings, TLinkBrowserFactory browser);

// Only web addresses are handed to a browser; anything else a link may
// name (a script, a relative name that means nothing outside the page) is
// dropped.
bool IsOpenableLink(const QUrl& url);
