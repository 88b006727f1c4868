#pragma once
// The whole editor program on scripted prompts, a capturing launcher and
// temporary folders: resource folder (runtime script, help, templates copied
// from the build's resource folder), working folder, settings file, recovery
// folder and a project folder. Nothing here touches the real settings or home folder.

#include <gtest/gtest.h>

#include <QAction>
#include <QToolButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>
#include <memory>

#include "editor/design_tree_model.h"
#include "editor/main_form.h"
#include "app/file_commands.h"
#include "app/output_commands.h"
#include "app/startup.h"
#include "app/templates_dialog.h"
#include "support/fake_browser_registry.h"
#include "support/scripted_prompts.h"

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp.isValid());
    QDir root(temp.path());
    for (const QString& sub : {QStringLiteral("resources"), workingName, QStringLiteral("projects"),
                               QStringLiteral("data")})
      ASSERT_TRUE(root.mkpath(sub));
    // The build's resource folder is the folder of the test executables.
    const QString built = QCoreApplication::applicationDirPath();
    QFile::copy(built + "/orvantalumeroll.js", ResourceFolder() + "orvantalumeroll.js");
    CopyTree(built + "/templates", ResourceFolder() + "templates");
    CopyTree(built + "/templates", WorkingFolder() + "templates");
    settingsPath = temp.filePath("settings.ini");
    recoveryFolder = temp.filePath("data/recovery");
  }

  void TearDown() override { app.reset(); }

  // Starts the program; `showTemplates` sees the templates dialog instead of
  // running it modally.
  void StartApp(const QStringList& arguments = {}) {
    const QString path = settingsPath;
    TStartupServices services{prompts,
                              launcher,
                              AppFolders{Local(ResourceFolder()), Local(WorkingFolder())},
                              [path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); },
                              TDetectionEnvironment{temp.filePath("bin"), temp.path(), temp.filePath("data"),
                                                    temp.filePath("data"),
                                                    FakeBrowserRegistry(temp.filePath("bin"))},
                              [this] { ++fileTypeRegistrations; },
                              [this](TfrmTemplet& dialog) {
                                ++templatesShown;
                                if (onTemplates) onTemplates(dialog);
                              }};
    services.recoveryFolder = recoveryFolder;
    app = std::make_unique<TLumerollApplication>(std::move(services));
    app->Start(arguments);
  }

  TMainForm& Form() { return app->MainForm(); }
  TFileCommands& Files() { return app->Files(); }
  TOutputCommands& Output() { return app->Output(); }
  QTreeView& Tree() { return Form().DesignTree(); }
  TDesignTreeModel& Model() { return Form().TreeModel(); }
  QModelIndex RootNode() { return Model().RootIndex(); }
  QModelIndex Child(int row, const QModelIndex& parent) { return Model().index(row, 0, parent); }
  QModelIndex Child(int row) { return Child(row, RootNode()); }
  static QString Caption(const QModelIndex& node) { return node.data().toString(); }
  // Captions of every node in pre-order, the root first.
  QStringList AllCaptions() {
    QStringList out;
    std::vector<QModelIndex> stack{RootNode()};
    while (!stack.empty()) {
      const QModelIndex node = stack.back();
      stack.pop_back();
      out << Caption(node);
      for (int row = Model().rowCount(node) - 1; row >= 0; --row) stack.push_back(Child(row, node));
    }
    return out;
  }
  QAction* Action(const char* name) { return Form().findChild<QAction*>(QString::fromLatin1(name)); }
  QToolButton* Button(const char* name) { return Form().findChild<QToolButton*>(QString::fromLatin1(name)); }

  QString ResourceFolder() const { return temp.filePath("resources") + "/"; }
  QString WorkingFolder() const { return temp.filePath(workingName) + "/"; }
  QString ProjectFolder() const { return temp.filePath("projects") + "/"; }
  QString PreviewFolder() const { return WorkingFolder() + "preview/"; }

  static std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }
  static QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static void CopyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) QFile::copy(from + "/" + name, to + "/" + name);
  }

  QTemporaryDir temp;
  // A fixture may give the working folder another name (one with a blank,
  // say) before SetUp.
  QString workingName = QStringLiteral("working");
  QString settingsPath;
  // Where the program keeps unsaved work for recovery.
  QString recoveryFolder;
  TScriptedPrompts prompts;
  TCapturingLauncher launcher;
  int fileTypeRegistrations = 0;
  int templatesShown = 0;
  std::function<void(TfrmTemplet&)> onTemplates;
  std::unique_ptr<TLumerollApplication> app;
};
