// Costs of generating and publishing that grow with a project: the pure
// generator, and a whole save-and-publish (page, both scripts, project file,
// report) into a temporary folder.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "output/generator.h"
#include "output/publish.h"
#include "support/temp_folder.h"

namespace {

TItemArray MakeItems(int count) {
  TItemArray items;
  items.reserve(count);
  for (int i = 0; i < count; ++i) {
    TItemData item = DefaultItemData();
    item.ICaption = "News item number " + std::to_string(i);
    item.ILink = i % 2 ? "news/" + std::to_string(i) + ".html" : "";
    item.IContent = "Today's short story about thing " + std::to_string(i) + ".<br />More to follow.<br />";
    item.ILevel = std::to_string(i % 3);
    items.push_back(std::move(item));
  }
  return items;
}

std::vector<int> Levels(const TItemArray& items) {
  std::vector<int> levels;
  for (const TItemData& i : items) levels.push_back(std::atoi(i.ILevel.c_str()));
  return levels;
}

void BM_Generate(benchmark::State& state) {
  const TItemArray items = MakeItems(static_cast<int>(state.range(0)));
  const TAppletData applet = DefaultAppletData();
  const TStringArray scripts = {kRuntimeScriptName, kConfigScriptName};
  size_t bytes = 0;
  for (auto _ : state) {
    TGeneratedCode code = GenerateCode(applet, items, scripts);
    bytes = code.script.size() + code.page.size();
    benchmark::DoNotOptimize(code);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}

void BM_SaveAndPublish(benchmark::State& state) {
  TTempFolder resources, working, project;
  AppFolders folders{resources.Folder(), working.Folder()};
  // A runtime script of roughly the shipped size.
  if (!WriteFileAtomically(resources.Folder() + kRuntimeScriptName, std::string(7000, 'x'))) std::abort();
  TkvdAppletAgent agent;
  agent.ReplaceProject(DefaultAppletData(), MakeItems(static_cast<int>(state.range(0))), "1.0");
  const std::vector<int> levels = Levels(agent.Items());
  for (auto _ : state) {
    const TPublishResult r = SaveAndPublish(agent, folders, project.Folder(), "news.jslr", levels);
    if (!r.ok || !r.failedCopies.empty()) state.SkipWithError("publish failed");
  }
  size_t bytes = 0;
  for (const auto& e : std::filesystem::directory_iterator(project.Folder())) bytes += e.file_size();
  state.counters["bytes_written"] = static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}

}  // namespace

BENCHMARK(BM_Generate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAndPublish)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
