#include "structure_file.h"

#include "applet_agent.h"
#include "file_io.h"
#include "project_file.h"
#include "text_lines.h"
#include "tree_math.h"
#include "vocabulary.h"

namespace {

constexpr std::string_view kSeparator = "#$@";

}  // namespace

std::string WriteStructureText(const TItemArray& items, const std::vector<int>& levels, Progress& progress) {
  ProgressScope scope(progress, "Saving Data ... ...", 20 * static_cast<int>(items.size()) + 15);
  std::string out;
  for (const char* line : {"<Generator_Name>", kProductName, "</Generator_Name>", "<Generator_Version>", "1.0",
                           "</Generator_Version>", "<Product_Name>", kStructureFormatName, "</Product_Name>",
                           "<Product_Version>", "1.0", "</Product_Version>"})
    AppendLine(out, line);
  scope.Advance(10);
  scope.Advance(5);
  AppendLine(out, "<Structure_Description>");
  tree_math::TLevelTexts levelTexts(items, levels);
  for (size_t k = 0; k < items.size(); ++k) {
    const TItemData& item = items[k];
    for (const std::string* v : {&item.IContent, &item.ICaption, &item.ILink, &item.ITarget, &levelTexts.Of(k)}) {
      out += *v;
      out += kSeparator;
    }
    out += "\r\n";
  }
  AppendLine(out, "</Structure_Description>");
  return out;
}

TResult ReadStructureText(std::string_view bytes, TLoadedStructure& out, Progress& progress) {
  TLineReader in(bytes);
  if (in.AtEnd() || !in.SkipTo("<Product_Name>") || in.AtEnd())
    return TResult::Fail(kIncompleteStructureMessage);
  if (in.ReadLine() != kStructureFormatName) return TResult::Fail(kWrongFormatMessage);

  TLoadedStructure loaded;
  if (!in.SkipTo("<Product_Version>") || in.AtEnd()) return TResult::Fail(kIncompleteStructureMessage);
  loaded.fileVersion = std::string(in.ReadLine());
  if (!in.SkipTo("<Structure_Description>")) return TResult::Fail(kIncompleteStructureMessage);

  ProgressScope scope(progress, "Loading Data ... ...", 100);
  const int firstItemLine = in.LinesRead() + 1;
  // Checked line by line; after the first bad line the rest is only looked
  // through for its end, so nothing is kept for it.
  TResult firstBad;
  for (;;) {
    if (in.AtEnd()) return TResult::Fail(kIncompleteStructureMessage);
    const std::string_view line = in.ReadLine();
    if (line == "</Structure_Description>") break;
    if (!firstBad) continue;
    std::vector<std::string> f = SplitFields(line, 5, kSeparator);
    if (!ParseWholeNumber(f[4])) {
      firstBad =
          TResult::FailAt(NotAnIntegerMessage(f[4]), "line " + std::to_string(in.LinesRead()) + ", field ILevel");
      loaded.items = TItemArray();
      continue;
    }
    TItemData item = DefaultItemData();
    item.IContent = std::move(f[0]);
    item.ICaption = std::move(f[1]);
    item.ILink = std::move(f[2]);
    item.ITarget = std::move(f[3]);
    item.ILevel = std::move(f[4]);
    loaded.items.push_back(std::move(item));
  }
  if (!firstBad) return firstBad;
  std::vector<int> levels;
  if (TResult r = tree_math::ParentsFromLevels(loaded.items, loaded.parents, levels); !r) return r;
  if (TResult r = tree_math::CheckNestingDepth(levels, firstItemLine); !r) return r;
  tree_math::StoreClampedLevels(loaded.items, levels);
  out = std::move(loaded);
  return TResult::Ok();
}

TResult TkvdAppletAgent::ExportStructure(const std::string& path, const std::vector<int>& levels) const {
  return WriteFileAtomically(path, WriteStructureText(items_, levels, progress()));
}

TResult TkvdAppletAgent::ImportStructure(const std::string& path, std::vector<int>& parents) {
  std::string bytes;
  if (TResult r = ReadFileBytes(path, bytes); !r) return r;
  TLoadedStructure loaded;
  if (TResult r = ReadStructureText(bytes, loaded, progress()); !r) return r;
  ReplaceProject(DefaultAppletData(), std::move(loaded.items), std::move(loaded.fileVersion));
  parents = std::move(loaded.parents);
  return TResult::Ok();
}
