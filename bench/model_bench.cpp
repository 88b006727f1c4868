// Costs that grow with a project: saving and loading the project file, the
// tree rebuild of a load, and moving a large block among siblings.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "model/applet_agent.h"
#include "model/project_file.h"
#include "model/tree_math.h"
#include "support/temp_folder.h"

namespace {

// Items as a user writes them: a headline, a link, two or three lines of
// content, nested up to four levels below the root in a random walk.
TItemArray RealisticItems(int count) {
  std::mt19937 rng(static_cast<unsigned>(count));
  TItemArray items;
  items.reserve(count);
  int level = 0;
  for (int k = 0; k < count; ++k) {
    if (k == 0) {
      level = 0;
    } else {
      const int step = static_cast<int>(rng() % 4);  // deeper, same, up, up to the top
      level = step == 0 ? std::min(level + 1, 4) : step == 1 ? level : step == 2 ? std::max(level - 1, 0) : 0;
    }
    TItemData item = DefaultItemData();
    item.ICaption = "News item " + std::to_string(k) + ": the fading box shows it next";
    item.ILink = "http://www.example.com/news/" + std::to_string(k) + ".html";
    item.ITarget = k % 3 ? "_self" : "_blank";
    item.IContent = "First line of item " + std::to_string(k) + " with <b>some</b> markup<br />"
                    "Second line, a little longer, with a date 2026-12-08<br />";
    if (k % 2) item.IContent += "Third line<br />";
    item.ILevel = std::to_string(level);
    items.push_back(std::move(item));
  }
  return items;
}

void SetBytes(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_WriteProjectText(benchmark::State& state) {
  const TItemArray items = RealisticItems(static_cast<int>(state.range(0)));
  const TAppletData applet = DefaultAppletData();
  NullProgress progress;
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = WriteProjectText(applet, items, progress);
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  SetBytes(state, bytes);
}

void BM_SaveProject(benchmark::State& state) {
  const TTempFolder folder;
  const std::string path = folder.File("bench.jslr");
  TkvdAppletAgent agent;
  agent.ReplaceProject(DefaultAppletData(), RealisticItems(static_cast<int>(state.range(0))), "1.0");
  for (auto _ : state)
    if (!agent.SaveProject(path)) state.SkipWithError("save failed");
  SetBytes(state, std::filesystem::file_size(path));
}

void BM_ReadProjectText(benchmark::State& state) {
  NullProgress progress;
  const std::string text =
      WriteProjectText(DefaultAppletData(), RealisticItems(static_cast<int>(state.range(0))), progress);
  for (auto _ : state) {
    TLoadedProject loaded;
    if (!ReadProjectText(text, loaded, progress)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(loaded);
  }
  SetBytes(state, text.size());
}

void BM_LoadProject(benchmark::State& state) {
  const TTempFolder folder;
  const std::string path = folder.File("bench.jslr");
  {
    TkvdAppletAgent saver;
    saver.ReplaceProject(DefaultAppletData(), RealisticItems(static_cast<int>(state.range(0))), "1.0");
    if (!saver.SaveProject(path)) state.SkipWithError("save failed");
  }
  TkvdAppletAgent agent;
  std::vector<int> parents;
  for (auto _ : state)
    if (!agent.LoadProject(path, parents)) state.SkipWithError("load failed");
  SetBytes(state, std::filesystem::file_size(path));
}

void BM_ParentsFromLevels(benchmark::State& state) {
  const TItemArray items = RealisticItems(static_cast<int>(state.range(0)));
  std::vector<int> parents, levels;
  for (auto _ : state) {
    if (!tree_math::ParentsFromLevels(items, parents, levels)) state.SkipWithError("rebuild failed");
    benchmark::DoNotOptimize(parents.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * items.size()));
}

// Two root children of 50,000 entries each (one node and 49,999 below it,
// nested as above). Every move swaps them, so each iteration starts from a
// tree of the same shape.
constexpr int kHalf = 50000;

void TwoBigBlocks(TItemArray& items, std::vector<int>& levels) {
  items = RealisticItems(2 * kHalf);
  levels.resize(items.size());
  for (size_t k = 0; k < items.size(); ++k) {
    const int offset = static_cast<int>(k % kHalf);
    levels[k] = offset == 0 ? 0 : 1 + (offset - 1) % 3;
    items[k].ILevel = std::to_string(levels[k]);
  }
}

void BM_MoveBlockUp(benchmark::State& state) {
  TItemArray items;
  std::vector<int> levels;
  TwoBigBlocks(items, levels);
  for (auto _ : state)
    if (!tree_math::MoveBlockUp(items, levels, kHalf)) state.SkipWithError("no previous sibling");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * items.size()));
}

void BM_CarryBlockUp(benchmark::State& state) {
  TItemArray items;
  std::vector<int> levels;
  TwoBigBlocks(items, levels);
  TkvdAppletAgent agent;
  agent.ReplaceProject(DefaultAppletData(), std::move(items), "1.0");
  for (auto _ : state) agent.CarryBlockUp(kHalf, kHalf, kHalf);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 2 * kHalf));
}

// The entry-by-entry procedure the block move replaces, for comparison at
// sizes where its quadratic cost is still bearable.
void BM_SwapProcedure(benchmark::State& state) {
  const int half = static_cast<int>(state.range(0));
  TkvdAppletAgent agent;
  agent.ReplaceProject(DefaultAppletData(), RealisticItems(2 * half), "1.0");
  for (auto _ : state)
    for (int j = 0; j < half; ++j)
      for (int c = 0; c < half; ++c) agent.SwapWithPrevious(half + j - c);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * 2 * half));
}

}  // namespace

BENCHMARK(BM_WriteProjectText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProjectText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParentsFromLevels)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveBlockUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CarryBlockUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwapProcedure)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
