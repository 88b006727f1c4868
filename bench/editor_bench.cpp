// Costs of the editor as a whole on the offscreen platform: opening a large
// nested project through the File commands (load, tree, pages), moving,
// indenting and outdenting a large block in the design tree, and bringing up
// the bare window.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QApplication>
#include <QLineEdit>
#include <QUndoStack>
#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>

#include "editor/design_tree_model.h"
#include "editor/main_form.h"
#include "model/applet_agent.h"
#include "platform/launcher.h"
#include "platform/prompts.h"
#include "platform/settings.h"
#include "app/file_commands.h"
#include "app/startup.h"
#include "app/templates_dialog.h"

namespace {

// Answers every question with No and cancels every dialog; nothing here
// should ask anything.
class TSilentPrompts : public Prompts {
 public:
  TAnswer Ask(QWidget*, TMessageKind, const QString&, TButtons, const QString&) override { return TAnswer::No; }
  void Tell(QWidget*, TMessageKind, const QString&, const QString&) override {}
  std::optional<QString> OpenFileName(QWidget*, const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<QString> SaveFileName(QWidget*, const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<QColor> PickColor(QWidget*, const QColor&) override { return std::nullopt; }
};

class TIdleLauncher : public Launcher {
 public:
  void OpenUrl(const QUrl&) override {}
  bool StartProgram(const QString&, const QStringList&, TEarlyFailure) override { return true; }
};

std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }

// Two root items A and B, each with `descendants` nodes below it nested up
// to five levels deep.
TItemArray TwoBlocks(int descendants) {
  TItemArray items;
  for (const char* root : {"A", "B"}) {
    TItemData head = DefaultItemData();
    head.ICaption = root;
    head.ILevel = "0";
    items.push_back(head);
    for (int k = 0; k < descendants; ++k) {
      TItemData item = DefaultItemData();
      item.ICaption = std::string(root) + " news " + std::to_string(k);
      item.ILink = "http://www.example.com/" + std::to_string(k) + ".html";
      item.IContent = "Line one of " + std::to_string(k) + "<br />Line two<br />";
      item.ILevel = std::to_string(1 + k % 5);
      items.push_back(std::move(item));
    }
  }
  return items;
}

// The whole program in temporary folders, started without the templates
// dialog.
class TBenchProgram {
 public:
  TBenchProgram() {
    QSettings(SettingsPath(), QSettings::IniFormat).setValue(QStringLiteral("Settings/ShowTempletsDialog"), 0);
  }

  std::unique_ptr<TLumerollApplication> Start() {
    const QString settings = SettingsPath();
    TStartupServices services{prompts_,
                              launcher_,
                              AppFolders{Local(QCoreApplication::applicationDirPath() + "/"), Local(temp_.path() + "/")},
                              [settings] { return std::make_unique<QSettings>(settings, QSettings::IniFormat); },
                              TDetectionEnvironment{temp_.path(), temp_.path(), temp_.path(), temp_.path()},
                              {},
                              [](TfrmTemplet&) {}};
    auto app = std::make_unique<TLumerollApplication>(std::move(services));
    app->Start({});
    return app;
  }

  QString WriteProject(const TItemArray& items) {
    TkvdAppletAgent agent;
    agent.ReplaceProject(DefaultAppletData(), items, "");
    const QString path = temp_.filePath(QStringLiteral("big.jslr"));
    if (!agent.SaveProject(Local(path)).ok) return {};
    return path;
  }

 private:
  QString SettingsPath() const { return temp_.filePath(QStringLiteral("settings.ini")); }
  QTemporaryDir temp_;
  TSilentPrompts prompts_;
  TIdleLauncher launcher_;
};

void BM_OpenProjectFile(benchmark::State& state) {
  const int descendants = static_cast<int>(state.range(0)) / 2 - 1;
  TBenchProgram program;
  const QString path = program.WriteProject(TwoBlocks(descendants));
  auto app = program.Start();
  for (auto _ : state) {
    if (!app->Files().OpenProjectFile(path)) state.SkipWithError("the project did not open");
    benchmark::DoNotOptimize(app->MainForm().TreeModel().rowCount(app->MainForm().TreeModel().RootIndex()));
  }
  const int nodes = app->MainForm().TreeModel().EntryCount() + 1;
  if (nodes != app->MainForm().Agent().ItemCount() + 1) state.SkipWithError("the tree does not match the items");
  state.counters["items"] = static_cast<double>(app->MainForm().Agent().ItemCount());
  state.counters["nodes"] = nodes;
}
BENCHMARK(BM_OpenProjectFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A moves down past B and back up: two block moves of 5,000 nodes each.
void BM_MoveBlockDownAndUp(benchmark::State& state) {
  TBenchProgram program;
  const QString path = program.WriteProject(TwoBlocks(static_cast<int>(state.range(0)) - 1));
  auto app = program.Start();
  TMainForm& form = app->MainForm();
  if (!app->Files().OpenProjectFile(path)) state.SkipWithError("the project did not open");
  TDesignTreeModel& model = form.TreeModel();
  const QPersistentModelIndex a = model.IndexOfEntry(0);
  for (auto _ : state) {
    form.DesignTree().setCurrentIndex(a);
    form.MoveDown1Click();
    form.DesignTree().setCurrentIndex(a);
    form.MoveUp1Click();
  }
  if (model.EntryOf(a) != 0 || form.Agent().Items()[0].ICaption != "A") state.SkipWithError("the block did not return");
  state.counters["moves"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MoveBlockDownAndUp)->Arg(5000)->Unit(benchmark::kMillisecond);

// B, a block of 5,000 nodes, indented under A and outdented again: the block
// changes its levels as well as its place; compare with the moves above.
void BM_IndentAndOutdentBlock(benchmark::State& state) {
  TBenchProgram program;
  const QString path = program.WriteProject(TwoBlocks(static_cast<int>(state.range(0)) - 1));
  auto app = program.Start();
  TMainForm& form = app->MainForm();
  if (!app->Files().OpenProjectFile(path)) state.SkipWithError("the project did not open");
  TDesignTreeModel& model = form.TreeModel();
  const QPersistentModelIndex b = model.IndexOfEntry(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    form.DesignTree().setCurrentIndex(b);
    form.Indent1Click();
    form.DesignTree().setCurrentIndex(b);
    form.Outdent1Click();
  }
  if (model.Level(model.EntryOf(b)) != 0 || form.Document().UndoStack().count() != 2 * state.iterations())
    state.SkipWithError("the block was not indented and outdented");
  state.counters["steps"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IndentAndOutdentBlock)->Arg(5000)->Unit(benchmark::kMillisecond);

// Undo and redo of one 5,000-node block move (A down past B).
void BM_UndoRedoBlockMove(benchmark::State& state) {
  TBenchProgram program;
  const QString path = program.WriteProject(TwoBlocks(static_cast<int>(state.range(0)) - 1));
  auto app = program.Start();
  TMainForm& form = app->MainForm();
  if (!app->Files().OpenProjectFile(path)) state.SkipWithError("the project did not open");
  form.SelectEntry(0);
  form.MoveDown1Click();
  for (auto _ : state) {
    form.Undo1Click();
    form.Redo1Click();
  }
  if (form.Agent().Items()[0].ICaption != "B") state.SkipWithError("the move was not redone");
  state.counters["steps"] = benchmark::Counter(2.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UndoRedoBlockMove)->Arg(5000)->Unit(benchmark::kMillisecond);

// The heap the history holds after 1,000 characters typed into the caption
// field (they merge into one step), and the same typing's time.
void BM_HistoryOfTypedCharacters(benchmark::State& state) {
  TBenchProgram program;
  const QString path = program.WriteProject(TwoBlocks(10));
  auto app = program.Start();
  TMainForm& form = app->MainForm();
  if (!app->Files().OpenProjectFile(path)) state.SkipWithError("the project did not open");
  auto* caption = form.findChild<QLineEdit*>(QStringLiteral("edtICaption"));
  double bytes = 0;
  int steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    form.Document().ClearHistory();
    form.SelectEntry(1);
    caption->clear();
    form.Document().ClearHistory();
    const size_t before = mallinfo2().uordblks;
    state.ResumeTiming();
    for (int i = 0; i < state.range(0); ++i) caption->insert(QString(QChar(u'a' + i % 26)));
    state.PauseTiming();
    bytes = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before);
    steps = form.Document().UndoStack().count();
    state.ResumeTiming();
  }
  state.counters["history_bytes"] = bytes;
  state.counters["steps"] = steps;
}
BENCHMARK(BM_HistoryOfTypedCharacters)->Arg(1000)->Unit(benchmark::kMillisecond);

// The bare window: the program built and started on the default project.
void BM_BareWindow(benchmark::State& state) {
  TBenchProgram program;
  for (auto _ : state) {
    auto app = program.Start();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(app.get());
  }
}
BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
