#include "project_file.h"

#include <algorithm>

#include "applet_agent.h"
#include "file_io.h"
#include "text_lines.h"
#include "tree_math.h"
#include "vocabulary.h"

namespace {

constexpr std::string_view kSeparator = "#$@";

void AppendValues(std::string& out, const TStringArray& values) {
  for (const std::string& v : values) {
    out += v;
    out += kSeparator;
  }
  out += "\r\n";
}

}  // namespace

std::string WriteProjectText(const TAppletData& applet, const TItemArray& items, Progress& progress) {
  std::string out;
  WriteProjectPieces(applet, items, progress, [&out](std::string_view piece) { out.append(piece); });
  return out;
}

void WriteProjectPieces(const TAppletData& applet, const TItemArray& items, Progress& progress,
                        const std::function<void(std::string_view)>& sink) {
  WriteProjectPieces(applet, items, {}, progress, sink);
}

void WriteProjectPieces(const TAppletData& applet, const TItemArray& items, const std::vector<int>& levels,
                        Progress& progress, const std::function<void(std::string_view)>& sink) {
  constexpr size_t kPieceBytes = 1 << 20;
  ProgressScope scope(progress, "Saving Data ... ...", 20 * static_cast<int>(items.size()) + 15);
  std::string out;
  for (const char* line : {"<Warning_Info>", "Note: This file be created and maintained by JavaScript Lumeroll 1.0.",
                           "It may cause the project file can't be opened correctly if you modify "
                           "it by yourself!",
                           "</Warning_Info>", "<Product_Name>", kProductName, "</Product_Name>", "<Product_Version>",
                           "1.0", "</Product_Version>"})
    AppendLine(out, line);
  scope.Advance(10);
  TStringArray flat;
  AppendLine(out, "<Applet_Parameters>");
  TkvdAppletAgent::AppletDataToStrings(applet, flat);
  AppendValues(out, flat);
  AppendLine(out, "</Applet_Parameters>");
  scope.Advance(5);
  AppendLine(out, "<Item_Parameters>");
  tree_math::TLevelTexts levelTexts(items, levels);
  for (size_t k = 0; k < items.size(); ++k) {
    const TItemData& item = items[k];
    // The six fields, then the empty ones the format keeps room for.
    for (int i = 0; i < TItemData::FieldCount; ++i) {
      const std::string& value = item.Field(i);
      out += &value == &item.ILevel ? levelTexts.Of(k) : value;
      out += kSeparator;
    }
    for (int i = TItemData::FieldCount; i < TItemData::FlatWidth; ++i) out += kSeparator;
    out += "\r\n";
    scope.Advance(TItemData::FlatWidth);
    if (out.size() >= kPieceBytes) {
      sink(out);
      out.clear();
    }
  }
  AppendLine(out, "</Item_Parameters>");
  sink(out);
}

namespace {

TResult ReadProjectLines(TLineReader& in, TLoadedProject& out, Progress& progress) {
  if (in.AtEnd() || !in.SkipTo("<Product_Name>") || in.AtEnd())
    return TResult::Fail(kIncompleteProjectMessage);
  if (in.ReadLine() != kProductName) return TResult::Fail(kWrongProductMessage);

  TLoadedProject loaded;
  if (!in.SkipTo("<Product_Version>") || in.AtEnd()) return TResult::Fail(kIncompleteProjectMessage);
  loaded.fileVersion = std::string(in.ReadLine());
  if (!in.SkipTo("<Applet_Parameters>") || in.AtEnd()) return TResult::Fail(kIncompleteProjectMessage);

  std::string_view line = in.ReadLine();
  TkvdAppletAgent::StringsToAppletData(SplitFields(line, TAppletData::FieldCount, kSeparator), loaded.applet);

  // The item tag may stand on the applet line itself in a damaged file.
  while (line != "<Item_Parameters>") {
    if (in.AtEnd()) return TResult::Fail(kIncompleteProjectMessage);
    line = in.ReadLine();
  }
  ProgressScope scope(progress, "Loading Data ... ...", 100);
  const int firstItemLine = in.LinesRead() + 1;
  // Each line is checked as it is read, so a file of bare line ends keeps
  // no item for every line. After the first bad line the rest is only
  // looked through for its end: a file cut short is still told as such.
  TResult firstBad;
  for (;;) {
    if (in.AtEnd()) return TResult::Fail(kIncompleteProjectMessage);
    line = in.ReadLine();
    if (line == "</Item_Parameters>") break;
    if (!firstBad) continue;
    TItemData item;
    ForEachField(line, TItemData::FieldCount, kSeparator,
                 [&item](int i, std::string_view field) { item.Field(i).assign(field); });
    if (!ParseWholeNumber(item.ILevel)) {
      firstBad = TResult::FailAt(NotAnIntegerMessage(item.ILevel),
                                 "line " + std::to_string(in.LinesRead()) + ", field ILevel");
      loaded.items = TItemArray();
      continue;
    }
    if (loaded.items.empty()) {
      // One entry a line: room for all of them at once spares a large
      // project the vector's repeated moves, and asking for the memory in
      // one go spares it a page fault for every few items. An item line of
      // this program's holds at least its twenty separators, so the room
      // stays in proportion to the bytes that are left.
      loaded.items.reserve(std::min(in.LineEndsAhead(), in.BytesAhead() / (3 * TItemData::FlatWidth)) + 1);
      PrefaultMemory(loaded.items.data(), loaded.items.capacity() * sizeof(TItemData));
    }
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

// A read that failed part way tells more than the incomplete file it leaves.
TResult ReadProjectFrom(TLineReader& in, TLoadedProject& out, Progress& progress) {
  TLoadedProject loaded;
  const TResult r = ReadProjectLines(in, loaded, progress);
  if (!in.ReadState()) return in.ReadState();
  if (r) out = std::move(loaded);
  return r;
}

}  // namespace

TResult ReadProjectText(std::string_view bytes, TLoadedProject& out, Progress& progress) {
  TLineReader in(bytes);
  return ReadProjectFrom(in, out, progress);
}

TResult ReadProjectFile(const std::string& path, TLoadedProject& out, Progress& progress, size_t pieceBytes) {
  TFileReader file;
  if (TResult r = file.Open(path); !r) return r;
  TLineReader in(file, pieceBytes);
  return ReadProjectFrom(in, out, progress);
}

TResult TkvdAppletAgent::SaveProject(const std::string& path) const {
  // No other program publishes into the folder or rewrites the project
  // while it is written.
  TFolderLock lock;
  if (TResult r = lock.Acquire(FolderPart(path)); !r) return r;
  TAtomicFileWriter writer(path);
  WriteProjectPieces(applet_, items_, progress(), [&writer](std::string_view piece) { writer.Write(piece); });
  return writer.Commit();
}

TResult TkvdAppletAgent::LoadProject(const std::string& path, std::vector<int>& parents) {
  TLoadedProject loaded;
  if (TResult r = ReadProjectFile(path, loaded, progress()); !r) return r;
  ReplaceProject(loaded.applet, std::move(loaded.items), std::move(loaded.fileVersion));
  parents = std::move(loaded.parents);
  return TResult::Ok();
}
