#pragma once
// TLumerollApplication is the program as a whole: it creates the main window
// (which sets itself up with the default project), the code and help windows
// hidden, the file and output commands, writes the file-type association,
// loads the recent files, and at start opens the project named on the
// command line or offers the templates dialog.

#include <QStringList>
#include <functional>
#include <memory>

#include "output/app_folders.h"
#include "platform/browser_detection.h"
#include "platform/settings.h"

class Launcher;
class Prompts;
class TFileCommands;
class TLivePreviewDock;
class TLumerollDocument;
class TMainForm;
class TOutputCommands;
class TRecoveryKeeper;
class TformHTML;
class TfrmHelp;
class TfrmTemplet;

struct TStartupServices {
  Prompts& prompts;
  Launcher& launcher;
  AppFolders folders;
  TSettingsFactory settings;
  TDetectionEnvironment browsers;
  // Registers project files with the desktop; failures stay silent.
  std::function<void()> registerFileType;
  // Shows the templates dialog at start; the program runs it modally.
  std::function<void(TfrmTemplet&)> showTemplates;
  // Docks the live preview pane in the main window (when the program was
  // built with it). Off for tests that have no use for a web view.
  bool livePreview = false;
  // Where unsaved work is kept for recovery after a crash; empty keeps none.
  QString recoveryFolder = {};
};

class TLumerollApplication {
 public:
  explicit TLumerollApplication(TStartupServices services);
  ~TLumerollApplication();

  // Shows the main window, offers the unsaved work that editors no longer
  // running left behind, then opens the command line's project (errors stay
  // silent) or offers the templates dialog when the setting asks for it and
  // nothing was recovered.
  void Start(const QStringList& arguments);

  // The templates dialog, as File > Templates shows it.
  void Templet1Click();

  TLumerollDocument& Document() { return *document_; }
  TMainForm& MainForm() { return *mainForm_; }
  TformHTML& CodeWindow() { return *codeWindow_; }
  TfrmHelp& HelpWindow() { return *helpWindow_; }
  TFileCommands& Files() { return *files_; }
  TOutputCommands& Output() { return *output_; }
  // Null without the pane.
  TLivePreviewDock* LivePreview() { return livePreview_; }
  // Null without a recovery folder.
  TRecoveryKeeper* Recovery() { return recovery_.get(); }

 private:
  bool ShowTemplatesAtStart() const;

  TStartupServices services_;
  // Declared before the window, which edits it, so it outlives the window.
  std::unique_ptr<TLumerollDocument> document_;
  std::unique_ptr<TMainForm> mainForm_;
  TformHTML* codeWindow_ = nullptr;
  TfrmHelp* helpWindow_ = nullptr;
  TFileCommands* files_ = nullptr;
  TOutputCommands* output_ = nullptr;
  TLivePreviewDock* livePreview_ = nullptr;
  // Goes before the window (a normal end removes the copy).
  std::unique_ptr<TRecoveryKeeper> recovery_;
};

// The editor program's main: real services, then the message loop.
int RunLumeroll(int argc, char** argv);
