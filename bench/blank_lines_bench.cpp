// A damaged project of 10 MB of blank lines after its item tag, read by
// lumeroll-cli outline as a user runs it. The reader must refuse it at its
// first line with memory in proportion to what it keeps, not to the number of
// lines. Baselines timed in the same run: the same program on a small sound
// project (its start-up and smallest footprint) and `wc -l` reading the same
// bytes. LUMEROLL_BENCH_OTHER_CLI may name another build of lumeroll-cli
// (an older one, say) to be measured on the same file beside it.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
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

void BM_OutlineOfBlankLines(benchmark::State& state) {
  TScratch folder;
  const std::string small = folder.path + "small.jslr";
  const std::string blank = folder.path + "blank.jslr";
  {
    TkvdAppletAgent agent;
    agent.SetDefaults();
    if (!agent.SaveProject(small)) std::abort();
    std::string bytes;
    if (!ReadFileBytes(small, bytes)) std::abort();
    const size_t megabytes = static_cast<size_t>(state.range(0));
    std::string lines;
    for (size_t i = 0; i < megabytes * 1024 * 1024 / 2; ++i) lines += "\r\n";
    bytes.insert(bytes.find("</Item_Parameters>"), lines);
    if (!WriteFileAtomically(blank, bytes)) std::abort();
  }
  const char* other = std::getenv("LUMEROLL_BENCH_OTHER_CLI");
  double blankSeconds = 0, smallSeconds = 0, wcSeconds = 0, otherSeconds = 0;
  long blankKiB = 0, smallKiB = 0, otherKiB = 0;
  for (auto _ : state) {
    const TRun refused = Run({LUMEROLL_CLI, "outline", blank});
    if (refused.status != 1) {
      state.SkipWithError("the blank lines were not refused");
      return;
    }
    const TRun sound = Run({LUMEROLL_CLI, "outline", small});
    const TRun wc = Run({"/usr/bin/wc", "-l", blank});
    blankSeconds += refused.seconds;
    smallSeconds += sound.seconds;
    wcSeconds += wc.seconds;
    blankKiB = std::max(blankKiB, refused.peakKiB);
    smallKiB = std::max(smallKiB, sound.peakKiB);
    if (other != nullptr) {
      const TRun old = Run({other, "outline", blank});
      otherSeconds += old.seconds;
      otherKiB = std::max(otherKiB, old.peakKiB);
    }
    state.SetIterationTime(refused.seconds);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["refused_ms"] = 1000 * blankSeconds / n;
  state.counters["peak_MB"] = static_cast<double>(blankKiB) / 1024;
  state.counters["sound_small_peak_MB"] = static_cast<double>(smallKiB) / 1024;
  state.counters["peak_vs_small"] = static_cast<double>(blankKiB) / static_cast<double>(smallKiB);
  state.counters["time_vs_wc"] = blankSeconds / wcSeconds;
  state.counters["time_vs_small"] = blankSeconds / smallSeconds;
  if (other != nullptr) {
    state.counters["other_ms"] = 1000 * otherSeconds / n;
    state.counters["other_peak_MB"] = static_cast<double>(otherKiB) / 1024;
    state.counters["other_vs_this_peak"] = static_cast<double>(otherKiB) / static_cast<double>(blankKiB);
  }
}

}  // namespace

BENCHMARK(BM_OutlineOfBlankLines)->Arg(10)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
