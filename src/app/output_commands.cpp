#include "app/output_commands.h"

#include <QAction>

#include "editor/main_form.h"
#include "output_gui/code_view_window.h"
#include "output_gui/publish_report_window.h"
#include "output_gui/web_browser_window.h"
#include "output/make_html.h"
#include "output/preview.h"
#include "output/publish.h"
#include "app/error_box.h"

TOutputCommands::TOutputCommands(TMainForm& form, TformHTML& codeWindow, TBrowserWindowFactory browserWindow)
    : QObject(&form), form_(form), codeWindow_(codeWindow), browserWindow_(std::move(browserWindow)) {}

void TOutputCommands::Connect() {
  auto wire = [this](QAction* action, auto handler) {
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
  };
  const TMainForm::TProgramActions& a = form_.ProgramActions();
  wire(a.BuildHTML1, [this] { BuildHTML1Click(); });
  wire(a.Preview1, [this] { Preview1Click(); });
  wire(a.Publish1, [this] { Publish1Click(); });
  wire(a.WebBrowser1, [this] { WebBrowser1Click(); });
}

bool TOutputCommands::RefreshCodeView() {
  std::string page;
  const TResult made = MakeHtmlCodesForView(form_.Agent(), form_.Services().folders, page);
  if (!made) {
    ShowErrorBox(form_.Services().prompts, &form_, FromLocalText(made.message));
    return false;
  }
  page_ = std::move(page);
  codeWindow_.SetPageText(FromLocalText(page_));
  return true;
}

void TOutputCommands::BuildHTML1Click() {
  if (RefreshCodeView()) codeWindow_.exec();
}

void TOutputCommands::Preview1Click() {
  if (!RefreshCodeView()) return;
  const TkvdAppletAgent& agent = form_.Agent();
  const AppFolders& folders = form_.Services().folders;
  Prompts& prompts = form_.Services().prompts;
  if (const TResult copied = CopyScriptsToPreview(agent, form_.Document().PreviewFiles(), folders); !copied) {
    prompts.Tell(&form_, TMessageKind::Warning,
                 QStringLiteral("A script could not be copied into the preview folder, so the box may not "
                                "appear:\n") +
                     FromCoreMessage(copied.message));
  }
  ShowResourceProgress(agent);
  std::string pagePath;
  if (const TResult written = WriteToPreview(form_.Document().PreviewFiles(), folders, kPreviewPageName, page_, pagePath); !written) {
    ShowErrorBox(prompts, &form_, FromCoreMessage(written.message));
    return;
  }
  std::unique_ptr<TformWebBrowser> browser = browserWindow_(&form_);
  browser->OpenPage(FromCorePath(folders.PreviewFolder()), QString::fromLatin1(kPreviewPageName));
}

void TOutputCommands::Publish1Click() {
  std::string reportPath;
  if (const TResult r = MakePublishReportInPreview(form_.Agent(), form_.Document().PreviewFiles(), form_.Services().folders,
                                                   reportPath); !r) {
    ShowErrorBox(form_.Services().prompts, &form_, FromCoreMessage(r.message));
    return;
  }
  TfrmPublishReport report(&form_);
  if (!report.LoadReport(FromCorePath(reportPath))) {
    ShowErrorBox(form_.Services().prompts, &form_,
                 QStringLiteral("Cannot read the publish report ") + FromCorePath(reportPath));
    return;
  }
  report.exec();
}

void TOutputCommands::WebBrowser1Click() {
  std::unique_ptr<TformWebBrowser> browser = browserWindow_(&form_);
  browser->exec();
}
