// Costs of the live preview pane in the real web view, offscreen: the time
// from an edit to the updated page for growing projects, and the memory the
// pane adds to the editor (its own process and Chromium's helpers).
//
// Baselines measured in the same run: a script round trip to the page that
// changes nothing (the least any update can cost), and the editor's memory
// before the pane.
//
// Run: QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" bench_preview

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <QWebEngineView>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/live_preview_dock.h"
#include "document/document.h"
#include "editor/main_form.h"
#include "model/applet_agent.h"
#include "platform/launcher.h"
#include "platform/prompts.h"
#include "preview/chromium_setup.h"
#include "output/generator.h"
#include "preview/live_preview_pane.h"
#include "preview/preview_web_page.h"

namespace {

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

// Runs the event loop until `done` says so; woken by the pane's signals, so
// no polling interval adds to what is measured.
bool RunUntil(TLivePreviewPane* pane, const std::function<bool()>& done) {
  if (done()) return true;
  QEventLoop loop;
  QObject::connect(pane, &TLivePreviewPane::Updated, &loop, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(120000, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

// Waits until the page has laid out what it was last given, so one edit's
// layout is not counted in the next edit's time (patch_layout_ms shows it).
void Settle(TLivePreviewPane& pane) {
  QEventLoop loop;
  pane.Page().runJavaScript("document.body.offsetHeight", [&](const QVariant&) { loop.quit(); });
  loop.exec();
}

QString RuntimePath() { return QCoreApplication::applicationDirPath() + "/orvantalumeroll.js"; }

TPreviewSnapshot Project(int items) {
  TkvdAppletAgent agent;
  TPreviewSnapshot s{DefaultAppletData(), {}, agent.ScriptFiles};
  for (int k = 0; k < items; ++k) {
    TItemData item = DefaultItemData();
    item.ICaption = "News " + std::to_string(k);
    item.ILink = "http://www.example.com/" + std::to_string(k) + ".html";
    item.IContent = "Something happened today, item " + std::to_string(k) + ".<br />";
    s.items.push_back(item);
  }
  return s;
}

// One pane for every edit benchmark: starting Chromium is not what is measured.
struct TPaneHost {
  TPreviewSnapshot project;
  std::unique_ptr<TLivePreviewPane> pane;
  QString last;

  TPaneHost() {
    pane = std::make_unique<TLivePreviewPane>([this] { return project; }, RuntimePath());
    pane->SetLiveSource([this] { return TLivePreviewPane::TLiveProject{&project.applet, &project.items}; });
    pane->resize(600, 400);
    pane->show();
    QObject::connect(pane.get(), &TLivePreviewPane::Updated, [this](const QString& r) { last = r; });
    QTest::qWaitFor([this] { return last == "ok"; }, 60000);
  }
};

TPaneHost& Host() {
  static TPaneHost host;
  return host;
}

// Resident memory of this process and every process it started, in kB.
long TreeRssKb() {
  const QString self = QString::number(QCoreApplication::applicationPid());
  QStringList tree{self};
  long total = 0;
  // Children after their parents: repeat until no new process joins.
  for (bool grew = true; grew;) {
    grew = false;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
      if (tree.contains(pid)) continue;
      QFile stat("/proc/" + pid + "/stat");
      if (!stat.open(QIODevice::ReadOnly)) continue;
      const QByteArray line = stat.readAll();
      const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
      if (fields.size() > 1 && tree.contains(QString::fromLatin1(fields[1]))) {
        tree << pid;
        grew = true;
      }
    }
  }
  for (const QString& pid : tree) {
    QFile status("/proc/" + pid + "/status");
    if (!status.open(QIODevice::ReadOnly)) continue;
    for (const QByteArray& line : status.readAll().split('\n'))
      if (line.startsWith("VmRSS:")) total += line.mid(6).trimmed().split(' ').value(0).toLong();
  }
  return total;
}

// The editor window alone, then with a pane showing a 100-item project.
// Runs first, before the shared pane exists.
void BM_PaneMemory(benchmark::State& state) {
  TSilentPrompts prompts;
  TIdleLauncher launcher;
  const QString dir = QCoreApplication::applicationDirPath() + "/";
  for (auto _ : state) {
    TMainForm form(TEditorServices{prompts, launcher, AppFolders{dir.toStdString(), dir.toStdString()}});
    form.show();
    QTest::qWait(500);
    const long before = TreeRssKb();
    const TPreviewSnapshot project = Project(100);
    auto* pane = new TLivePreviewPane([&] { return project; }, RuntimePath(), &form);
    QString last;
    QObject::connect(pane, &TLivePreviewPane::Updated, [&](const QString& r) { last = r; });
    pane->resize(600, 400);
    pane->show();
    QTest::qWaitFor([&] { return last == "ok"; }, 60000);
    QTest::qWait(1000);
    const long after = TreeRssKb();
    state.counters["editor_kB"] = static_cast<double>(before);
    state.counters["with_pane_kB"] = static_cast<double>(after);
    state.counters["added_kB"] = static_cast<double>(after - before);
    state.counters["ratio"] = static_cast<double>(after) / static_cast<double>(before);
  }
}
BENCHMARK(BM_PaneMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScriptRoundTrip(benchmark::State& state) {
  TPaneHost& host = Host();
  for (auto _ : state) {
    QEventLoop loop;
    host.pane->Page().runJavaScript("0", [&](const QVariant&) { loop.quit(); });
    loop.exec();
  }
}
BENCHMARK(BM_ScriptRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();

// A caption typed into item 0 until the page shows it, as the editor tells
// the pane (one item changed): the item's line made and patched into the
// page. The item is held, as the editor holds the item whose title is being
// typed. page_ms and generate_ms are what a rebuild of the whole box would
// cost instead, for comparison.
void BM_EditToPage(benchmark::State& state) {
  TPaneHost& host = Host();
  host.project = Project(static_cast<int>(state.range(0)));
  host.last.clear();
  host.pane->SetSelectedItem(0);
  host.pane->ScheduleUpdate();
  QTest::qWaitFor([&] { return host.last == "ok" && host.pane->Idle(); }, 60000);
  int edit = 0;
  const int rebuilds = host.pane->GenerationCount();
  for (auto _ : state) {
    // A keystroke after a pause, as typing is at a person's pace: changes
    // that come closer together are combined, and cost less each.
    state.PauseTiming();
    QTest::qWait(host.pane->CombineMs());
    Settle(*host.pane);
    state.ResumeTiming();
    host.project.items[0].ICaption = "Edit " + std::to_string(++edit);
    host.last.clear();
    host.pane->ScheduleItemUpdate(0);
    if (!RunUntil(host.pane.get(), [&] { return host.last == "ok"; }))
      state.SkipWithError("no update");
  }
  state.counters["combine_ms"] = host.pane->CombineMs();
  state.counters["rebuilds"] = host.pane->GenerationCount() - rebuilds;
  // The page's share of a patch: the script, then the layout that follows.
  {
    QEventLoop loop;
    const QString line = ScriptStringLiteral(
        QString::fromLocal8Bit(ItemLine(host.project.applet, host.project.items[0])));
    host.pane->Page().runJavaScript(
        "(function(){var t=performance.now();lumerollPreview.patch(null,[[0," + line +
            "]]);var s=performance.now()-t;document.body.offsetHeight;return [s,performance.now()-t-s];})()",
        [&](const QVariant& v) {
          const QVariantList times = v.toList();
          state.counters["patch_page_ms"] = times.value(0).toDouble();
          state.counters["patch_layout_ms"] = times.value(1).toDouble();
          loop.quit();
        });
    loop.exec();
  }
  // The page's share of a rebuild: the box built by the runtime, timed inside the page.
  QEventLoop loop;
  double pageMs = 0;
  const TPreviewCall call = BuildPreviewCall(host.project);
  for (const QString& part : call.parts) host.pane->Page().runJavaScript(part);
  host.pane->Page().runJavaScript(
      "(function(){var t=performance.now();" + call.script + ";return performance.now()-t;})()",
      [&](const QVariant& v) {
        pageMs = v.toDouble();
        loop.quit();
      });
  loop.exec();
  state.counters["page_ms"] = pageMs;
  QElapsedTimer generation;
  generation.start();
  benchmark::DoNotOptimize(BuildPreviewCall(host.project));
  state.counters["generate_ms"] = generation.nsecsElapsed() / 1e6;
}
BENCHMARK(BM_EditToPage)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The editor with the pane shown opens a large project: the longest time
// the window's event loop goes without a turn, from the open until the
// page shows the new box. open_ms is the editor's own share (the project
// put in and the tree rebuilt), in one turn, before the pane starts.
void BM_OpenStall(benchmark::State& state) {
  TSilentPrompts prompts;
  TIdleLauncher launcher;
  const QString dir = QCoreApplication::applicationDirPath() + "/";
  TMainForm form(TEditorServices{prompts, launcher, AppFolders{dir.toStdString(), dir.toStdString()}});
  TLivePreviewDock* dock = InstallLivePreview(form, [] { return std::unique_ptr<QSettings>(); }, {});
  TLivePreviewPane& pane = dock->Pane();
  QString last;
  QObject::connect(&pane, &TLivePreviewPane::Updated, [&](const QString& r) { last = r; });
  form.resize(1200, 700);
  form.show();
  if (!QTest::qWaitFor([&] { return last == "ok" && pane.Idle(); }, 60000)) state.SkipWithError("no first update");
  const TPreviewSnapshot large = Project(static_cast<int>(state.range(0)));
  const TPreviewSnapshot small = Project(4);
  bool toLarge = true;
  std::vector<double> stalls;
  double openMs = 0;
  for (auto _ : state) {
    const TPreviewSnapshot& next = toLarge ? large : small;
    toLarge = !toLarge;
    qint64 longest = 0, openNs = 0;
    QElapsedTimer tick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      longest = std::max(longest, tick.nsecsElapsed());
      tick.start();
    });
    last.clear();
    tick.start();
    ticker.start();
    QTimer::singleShot(0, &form, [&] {
      QElapsedTimer open;
      open.start();
      form.Document().ApplyProject(next.applet, next.items, "");
      openNs = open.nsecsElapsed();
      // The editor's share is counted apart; what follows is the pane's.
      tick.start();
    });
    if (!RunUntil(&pane, [&] { return last == "ok" && pane.Idle(); })) state.SkipWithError("no update");
    ticker.stop();
    if (&next == &large) {
      stalls.push_back(longest / 1e6);
      openMs = std::max(openMs, openNs / 1e6);
    }
  }
  // The longest over every open, and the middle one: a shared machine adds
  // a stall of its own now and then.
  std::sort(stalls.begin(), stalls.end());
  if (!stalls.empty()) {
    state.counters["stall_ms"] = stalls.back();
    state.counters["stall_median_ms"] = stalls[stalls.size() / 2];
  }
  state.counters["open_ms"] = openMs;
  // The copy the pane makes on the window's thread before each generation.
  form.Document().ApplyProject(large.applet, large.items, "");
  QElapsedTimer copy;
  copy.start();
  benchmark::DoNotOptimize(TPreviewSnapshot{form.Agent().AppletData(), form.Agent().Items(), form.Agent().ScriptFiles});
  state.counters["snapshot_ms"] = copy.nsecsElapsed() / 1e6;
}
BENCHMARK(BM_OpenStall)->Arg(10000)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  PrepareLivePreviewProcess();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
