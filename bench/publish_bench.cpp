// lumeroll-cli publish of a large project, as a user runs it, against the
// plain cost of writing the same bytes durably: dd conv=fsync of the project
// file once and of the configuration script once (the tool keeps no working
// copy of it). Both are timed in every iteration of the same
// run, so the ratio holds on a busy machine too. The child's peak resident
// memory is compared with the largest file it writes.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "child_run.h"
#include "model/applet_agent.h"
#include "model/file_io.h"

namespace {

using bench::Run;
using bench::TRun;
using bench::TScratch;

TItemArray MakeItems(int count) {
  TItemArray items;
  items.reserve(count);
  for (int i = 0; i < count; ++i) {
    TItemData item = DefaultItemData();
    item.ICaption = "News item number " + std::to_string(i);
    item.ILink = "news/" + std::to_string(i) + ".html";
    item.IContent = "Today's short story about thing " + std::to_string(i) +
                    ".<br />More to follow, with a few more words to make it a real paragraph.<br />";
    item.ILevel = std::to_string(i % 3);
    items.push_back(std::move(item));
  }
  return items;
}

TRun Dd(const std::string& from, const std::string& to) {
  return Run({"/bin/dd", "if=" + from, "of=" + to, "bs=1M", "conv=fsync", "status=none"});
}

void BM_CliPublishAgainstDd(benchmark::State& state) {
  TScratch folder;
  const std::string project = folder.path + "news.jslr";
  {
    TkvdAppletAgent agent;
    agent.ReplaceProject(DefaultAppletData(), MakeItems(static_cast<int>(state.range(0))), "1.0");
    if (!agent.SaveProject(project)) std::abort();
  }
  const std::string site = folder.path + "site/";
  std::filesystem::create_directory(site);
  const std::string script = site + kConfigScriptName;
  // One publish first, for the script the baseline writes.
  if (Run({LUMEROLL_CLI, "publish", project, site}).status != 0) {
    state.SkipWithError("publish failed");
    return;
  }
  const double projectBytes = static_cast<double>(std::filesystem::file_size(project));
  const double scriptBytes = static_cast<double>(std::filesystem::file_size(script));
  const std::string copy = folder.path + "copy";

  double publishSeconds = 0, ddSeconds = 0;
  long peakKiB = 0;
  for (auto _ : state) {
    const TRun publish = Run({LUMEROLL_CLI, "publish", project, site});
    if (publish.status != 0) {
      state.SkipWithError("publish failed");
      return;
    }
    // Over the copies of the iteration before, as publish replaces the
    // files of the publish before: both pay for freeing the old blocks.
    double dd = Dd(project, copy + "1").seconds;
    dd += Dd(script, copy + "2").seconds;
    publishSeconds += publish.seconds;
    ddSeconds += dd;
    peakKiB = std::max(peakKiB, publish.peakKiB);
    state.SetIterationTime(publish.seconds);
  }
  const double largest = std::max(projectBytes, scriptBytes);
  state.counters["project_MB"] = projectBytes / 1e6;
  state.counters["script_MB"] = scriptBytes / 1e6;
  state.counters["dd_ms"] = 1000 * ddSeconds / static_cast<double>(state.iterations());
  state.counters["time_vs_dd"] = publishSeconds / ddSeconds;
  state.counters["peak_MB"] = static_cast<double>(peakKiB) * 1024 / 1e6;
  state.counters["peak_vs_largest_file"] = static_cast<double>(peakKiB) * 1024 / largest;
}

}  // namespace

BENCHMARK(BM_CliPublishAgainstDd)->Arg(10000)->Arg(100000)->UseManualTime()->Iterations(5)->Unit(
    benchmark::kMillisecond);
BENCHMARK_MAIN();
