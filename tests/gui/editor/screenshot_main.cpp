// Renders the editor window with a small nested project into the PNG named
// on the command line, to look at the layout without a desktop.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include "editor/design_tree_model.h"
#include <string>

#include "editor/main_form.h"
#include "model/tree_math.h"
#include "help/about_window.h"
#include "help/help_window.h"
#include "support/scripted_prompts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  const std::string folder = AppFolders::WithSeparator(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString());
  TMainForm form(TEditorServices{prompts, launcher, AppFolders{folder, folder}});
  TfrmHelp help(launcher, &form);
  form.SetHelpWindow(&help);
  const std::pair<const char*, int> nested[] = {
      {"Spring sale starts Monday", 0}, {"Opening hours", 1}, {"Parking", 1},
      {"New store in Harbour Street", 0}, {"Directions", 1}, {"By tram", 2},
      {"Staff wanted", 0}, {"Newsletter", 0}};
  TItemArray items;
  for (const auto& [caption, level] : nested) {
    TItemData item = DefaultItemData();
    item.ICaption = caption;
    item.ILevel = std::to_string(level);
    items.push_back(item);
  }
  form.Document().StartProject({DefaultAppletData(), items, ""});
  form.DesignTree().expandAll();
  form.show();
  // Second argument: "item" selects an item node, "help" grabs the help
  // window on a topic, "about" the about window; a third, "max", gives the
  // window the whole screen as maximising does (a bare X server has no
  // window manager to do it).
  const QString mode = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (argc > 3 && QString::fromLocal8Bit(argv[3]) == "max") form.setGeometry(form.screen()->availableGeometry());
  TformAbout about(launcher, &form);
  QTimer::singleShot(300, [&] {
    if (mode == "item") form.DesignTree().setCurrentIndex(form.TreeModel().IndexOfEntry(1));
    if (mode == "help") form.ShowHelpTopic("getting_started.htm");
    if (mode == "about") about.show();
    QTimer::singleShot(300, [&] {
      QWidget* shown = mode == "help" ? static_cast<QWidget*>(&help) : mode == "about" ? static_cast<QWidget*>(&about) : &form;
      shown->grab().save(QString::fromLocal8Bit(argv[1]));
      app.quit();
    });
  });
  return app.exec();
}
