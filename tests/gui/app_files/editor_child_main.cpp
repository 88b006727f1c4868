// Not a test: the editor program, as a separate process the recovery tests
// can kill. It starts on the given folders with the given project, types a
// width the way a user does, writes the project bytes that edit gives to a
// file of the test's, and says so on its standard output. In "exit" mode it
// then waits for its recovery copy and ends normally through File > Exit,
// answering No to the save question.
//
// editor_child WORKING RESOURCES RECOVERY SETTINGS PROJECT EXPECTED kill|exit

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <cstdio>

#include "app/recovery_keeper.h"
#include "app/startup.h"
#include "editor/design_tree_model.h"
#include "editor/main_form.h"
#include "model/project_file.h"
#include "platform/launcher.h"
#include "platform/prompts.h"

namespace {

// Answers No to every question (the close question), chooses no file.
class TNoPrompts : public Prompts {
 public:
  TAnswer Ask(QWidget*, TMessageKind, const QString&, TButtons, const QString&) override { return TAnswer::No; }
  void Tell(QWidget*, TMessageKind, const QString&, const QString&) override {}
  std::optional<QString> OpenFileName(QWidget*, const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<QString> SaveFileName(QWidget*, const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<QColor> PickColor(QWidget*, const QColor&) override { return std::nullopt; }
};

class TNoLauncher : public Launcher {
 public:
  void OpenUrl(const QUrl&) override {}
  bool StartProgram(const QString&, const QStringList&, TEarlyFailure) override { return false; }
};

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 8) return 2;
  const QString settings = args[4];
  TNoPrompts prompts;
  TNoLauncher launcher;
  TStartupServices services{prompts,
                            launcher,
                            AppFolders{args[1].toLocal8Bit().toStdString(), args[2].toLocal8Bit().toStdString()},
                            [settings] { return std::make_unique<QSettings>(settings, QSettings::IniFormat); },
                            {},
                            {},
                            {}};
  services.recoveryFolder = args[3];
  TLumerollApplication program(std::move(services));
  program.Start({args[5]});

  TMainForm& form = program.MainForm();
  form.DesignTree().setCurrentIndex(form.TreeModel().RootIndex());
  auto* width = form.findChild<QSpinBox*>(QStringLiteral("spnedtpWidth"));
  if (!width || form.Modified()) return 3;
  width->selectAll();
  QTest::keyClicks(width, QStringLiteral("777"));
  if (!form.Modified()) return 4;
  NullProgress quiet;
  QFile expected(args[6]);
  if (!expected.open(QIODevice::WriteOnly)) return 5;
  expected.write(QByteArray::fromStdString(WriteProjectText(form.Agent().AppletData(), form.Agent().Items(), quiet)));
  expected.close();
  Say("edited");

  if (args[7] == QLatin1String("exit")) {
    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&program, &form, poll] {
      if (!QFile::exists(program.Recovery()->CopyFile())) return;
      poll->stop();
      Say("kept");
      form.close();
    });
    poll->start(50);
  }
  return app.exec();
}
