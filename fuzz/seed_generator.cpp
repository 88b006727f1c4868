// Writes seeds that a fuzzer would take a very long time to grow by itself:
// deeply nested trees around the depth limit, very wide ones, long lines and
// lines with far too many fields, for both file kinds. They go into a work
// corpus (or a test's folder), not into the committed seeds, as they are
// large.

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "model/applet_data.h"
#include "model/progress.h"
#include "model/project_file.h"
#include "model/structure_file.h"
#include "model/tree_math.h"

namespace {

TItemArray ItemsAtLevels(const std::vector<int>& levels) {
  TItemArray items;
  items.reserve(levels.size());
  for (size_t k = 0; k < levels.size(); ++k) {
    TItemData item;
    item.ICaption = "i" + std::to_string(k);
    item.ILevel = std::to_string(levels[k]);
    items.push_back(std::move(item));
  }
  return items;
}

// 0, 1, ..., depth - 1: one chain as deep as asked.
std::vector<int> Staircase(int depth) {
  std::vector<int> levels(depth);
  for (int k = 0; k < depth; ++k) levels[k] = k;
  return levels;
}

// Down to `depth` and back up, `times` over: many deep blocks and siblings.
std::vector<int> Sawtooth(int depth, int times) {
  std::vector<int> levels;
  for (int t = 0; t < times; ++t) {
    for (int d = 0; d < depth; ++d) levels.push_back(d);
    for (int d = depth - 2; d > 0; --d) levels.push_back(d);
  }
  return levels;
}

struct TSeed {
  std::string name;
  std::function<TItemArray()> items;
};

std::vector<TSeed> Seeds() {
  const int limit = tree_math::kMaxNestingDepth;
  return {
      {"deep_at_limit", [=] { return ItemsAtLevels(Staircase(limit)); }},
      {"deep_past_limit", [=] { return ItemsAtLevels(Staircase(limit + 1)); }},
      {"deep_far_past_limit", [=] { return ItemsAtLevels(Staircase(4 * limit)); }},
      {"deep_sawtooth", [=] { return ItemsAtLevels(Sawtooth(limit / 2, 3)); }},
      {"wide_siblings", [] { return ItemsAtLevels(std::vector<int>(5000, 0)); }},
      {"wide_under_one", [] {
         std::vector<int> levels(5000, 1);
         levels[0] = 0;
         return ItemsAtLevels(levels);
       }},
      {"long_caption", [] {
         TItemArray items = ItemsAtLevels({0, 1});
         items[1].ICaption.assign(100000, 'x');
         return items;
       }},
      {"jumping_levels", [] {
         // Levels from other writers: far jumps down, negative, huge.
         TItemArray items = ItemsAtLevels({0, 5000, 2, -3, 2147483647, 1});
         return items;
       }},
  };
}

// A line with a great many separators, appended to a written file's item
// section by replacing one item line.
std::string WithManyFields(std::string text, const std::string& firstField) {
  const size_t at = text.find(firstField);
  if (at == std::string::npos) return text;
  std::string line;
  for (int i = 0; i < 20000; ++i) line += "0#$@";
  text.insert(at, line + "\r\n");
  return text;
}

bool WriteSeed(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  const std::string kind = argc == 3 ? argv[1] : "";
  if (kind != "project" && kind != "structure") {
    std::fprintf(stderr, "Usage: fuzz_seed_generator project|structure FOLDER\n");
    return 2;
  }
  const std::string folder = std::string(argv[2]) + "/";
  NullProgress progress;
  int written = 0;
  for (const TSeed& seed : Seeds()) {
    const TItemArray items = seed.items();
    const std::string text = kind == "project" ? WriteProjectText(DefaultAppletData(), items, progress)
                                               : WriteStructureText(items, progress);
    if (!WriteSeed(folder + seed.name, text)) {
      std::fprintf(stderr, "fuzz_seed_generator: cannot write %s%s\n", folder.c_str(), seed.name.c_str());
      return 1;
    }
    ++written;
  }
  const std::string wide = kind == "project" ? WriteProjectText(DefaultAppletData(), ItemsAtLevels({0}), progress)
                                             : WriteStructureText(ItemsAtLevels({0}), progress);
  if (!WriteSeed(folder + "many_fields", WithManyFields(wide, kind == "project" ? "i0#$@" : "#$@i0#$@"))) return 1;
  std::printf("wrote %d seeds into %s\n", written + 1, folder.c_str());
  return 0;
}
