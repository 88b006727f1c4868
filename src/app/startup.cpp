#include "app/startup.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>

#include "editor/main_form.h"
#include "editor/window_layout.h"
#include "output_gui/code_view_window.h"
#include "output_gui/web_browser_window.h"
#include "platform/app_folders_qt.h"
#include "platform/deep_stack.h"
#include "platform/desktop_launcher.h"
#include "platform/file_association.h"
#include "platform/qt_prompts.h"
#include "platform/recovery_store.h"
#include "app/recovery_keeper.h"
#include "shell/command_line.h"
#include "app/error_box.h"
#include "app/file_commands.h"
#include "help/help_window.h"
#include "app/output_commands.h"
#include "app/templates_dialog.h"
#ifdef LUMEROLL_FEED_IMPORT
#include "feedimport/feed_import_commands.h"
#endif
#ifdef LUMEROLL_LIVE_PREVIEW
#include "preview/chromium_setup.h"
#include "app/live_preview_dock.h"
#endif

TLumerollApplication::TLumerollApplication(TStartupServices services) : services_(std::move(services)) {
  document_ = std::make_unique<TLumerollDocument>();
  mainForm_ = std::make_unique<TMainForm>(
      *document_, TEditorServices{services_.prompts, services_.launcher, services_.folders});
  TMainForm& form = *mainForm_;

  files_ = new TFileCommands(form);
  files_->Connect();
#ifdef LUMEROLL_FEED_IMPORT
  // A child of the window, which owns it.
  (new TFeedImportCommands(form, [this](const QString& message) { files_->ShowError(message); }))->Connect();
#endif
  QAction* templates = form.ProgramActions().Templet1;
  templates->setEnabled(true);
  QObject::connect(templates, &QAction::triggered, &form, [this] { Templet1Click(); });

  codeWindow_ = new TformHTML(&form);
  helpWindow_ = new TfrmHelp(services_.launcher, &form);
  form.SetHelpWindow(helpWindow_);

  TSettingsFactory settings = services_.settings;
  TDetectionEnvironment environment = services_.browsers;
  Prompts& prompts = services_.prompts;
  Launcher& launcher = services_.launcher;
  output_ = new TOutputCommands(form, *codeWindow_, [&prompts, &launcher, settings, environment](QWidget* parent) {
    return std::make_unique<TformWebBrowser>(prompts, launcher, settings, environment, parent);
  });
  output_->Connect();
  // The window's place and size come back before the dock layout, which
  // is laid out within them.
  new TWindowLayoutKeeper(form, &form.Splitter(), services_.settings);
#ifdef LUMEROLL_LIVE_PREVIEW
  if (services_.livePreview) {
    livePreview_ = InstallLivePreview(form, services_.settings, [&prompts, &launcher, settings, environment](QWidget* parent) {
      return std::make_unique<TformWebBrowser>(prompts, launcher, settings, environment, parent);
    });
  }
#endif

  if (services_.registerFileType) services_.registerFileType();
  files_->LoadRecentFiles();
  form.SetModified(false);
  if (!services_.recoveryFolder.isEmpty())
    recovery_ = std::make_unique<TRecoveryKeeper>(form, *files_, services_.prompts, services_.recoveryFolder);
}

TLumerollApplication::~TLumerollApplication() { recovery_.reset(); }

bool TLumerollApplication::ShowTemplatesAtStart() const {
  std::unique_ptr<QSettings> settings = services_.settings();
  return settings && ReadShowTempletsDialog(*settings);
}

void TLumerollApplication::Templet1Click() {
  TSettingsFactory factory = services_.settings;
  TfrmTemplet::TSetting setting{
      [factory] {
        std::unique_ptr<QSettings> s = factory();
        return s && ReadShowTempletsDialog(*s);
      },
      [factory](bool show) {
        std::unique_ptr<QSettings> s = factory();
        if (!s) return false;
        WriteShowTempletsDialog(*s, show);
        s->sync();
        return s->status() == QSettings::NoError;
      }};
  TfrmTemplet dialog(*files_, FromCorePath(services_.folders.TemplatesFolder()), std::move(setting),
                     mainForm_.get());
  if (services_.showTemplates)
    services_.showTemplates(dialog);
  else
    dialog.exec();
}

void TLumerollApplication::Start(const QStringList& arguments) {
  mainForm_->show();
  QString recoveredPath;
  const bool recovered = recovery_ && recovery_->OfferAtStart(&recoveredPath);
  std::vector<std::string> args;
  for (const QString& a : arguments) args.push_back(CorePath(a));
  const QString path = FromCorePath(JoinCommandLine(args));
  if (!path.isEmpty()) {
    // The recovered work of this very file is what the user asked for;
    // another file asks first whether to save the recovered work.
    if (recovered && QFileInfo(path) == QFileInfo(recoveredPath)) return;
    if (!recovered) mainForm_->SetModified(false);
    files_->OpenProjectFile(path, /*silent=*/true);
    return;
  }
  if (!recovered && ShowTemplatesAtStart()) Templet1Click();
}

int RunLumeroll(int argc, char** argv) {
  AllowDeepStack();
#ifdef LUMEROLL_LIVE_PREVIEW
  // Chromium's flags and the preview's URL scheme must be settled before the
  // application object exists.
  PrepareLivePreviewProcess();
#endif
  QApplication app(argc, argv);
  // The per-user folders and settings are named after these.
  QCoreApplication::setOrganizationName(QStringLiteral("KVD"));
  QCoreApplication::setApplicationName(QStringLiteral("JavaScript Lumeroll"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("JavaScript Lumeroll"));
  QGuiApplication::setDesktopFileName(QStringLiteral("javascript-lumeroll"));

  TQtPrompts prompts;
  TDesktopLauncher launcher;
  TStartupServices services{prompts,
                            launcher,
                            AppFoldersOfThisProgram(),
                            [] { return OpenSettings(); },
                            TDetectionEnvironment::FromProcess(),
                            [] {
                              EnsureFileAssociation(QCoreApplication::applicationFilePath(),
                                                    qEnvironmentVariable("XDG_DATA_HOME"), InstalledToolRunner());
                            },
                            {},
                            /*livePreview=*/true,
                            TRecoveryStore::DefaultFolder()};
  TLumerollApplication program(std::move(services));
  program.Start(QCoreApplication::arguments().mid(1));
  return app.exec();
}
