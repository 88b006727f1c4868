// The editor program: the application, its services and its windows.
#include <QApplication>

#include "editor/main_form.h"
#include "platform/desktop_launcher.h"
#include "platform/qt_prompts.h"
#include "shell/help_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("JavaScript Lumeroll"));

  TQtPrompts prompts;
  TDesktopLauncher launcher;
  AppFolders folders;
  folders.resource = AppFolders::WithSeparator(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString());
  folders.working = folders.resource;

  TMainForm mainForm(TEditorServices{prompts, launcher, folders});
  TfrmHelp help(launcher, &mainForm);
  mainForm.SetHelpWindow(&help);
  mainForm.show();
  return app.exec();
}
