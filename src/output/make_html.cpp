#include "output/make_html.h"

#include "model/file_io.h"
#include "output/generator.h"

namespace {

constexpr const char* kMakingHint = "Making HTML Codes ... ...";

// Pieces of about this size go to the disk: large enough for the disk's
// speed, small enough that the script never has to be in memory whole.
constexpr size_t kPieceBytes = 1 << 20;
constexpr size_t kItemsPerStep = 256;

// Generates and writes the script; the page text goes to `page`.
TResult WriteScript(const TkvdAppletAgent& agent, const AppFolders& folders, ProgressScope& scope, std::string& page) {
  TAtomicFileWriter writer(ConfigScriptPath(folders), TAtomicFileWriter::TDurability::Scratch);
  if (TResult r = GenerateScriptInto(agent, {&writer}, page); !r) return r;
  if (TResult r = writer.Commit(); !r) return r;
  scope.Advance(1);
  return TResult::Ok();
}

}  // namespace

TResult GenerateScriptInto(const TkvdAppletAgent& agent, const std::vector<TAtomicFileWriter*>& writers,
                           std::string& page) {
  // The generator's own first and last lines: everything but the items.
  TGeneratedCode frame = GenerateCode(agent.AppletData(), TItemArray{}, agent.ScriptFiles);
  if (!frame.ok) return TResult::Fail(frame.message);
  const size_t firstLineEnd = frame.script.find("\r\n") + 2;
  auto emit = [&writers](std::string_view piece) {
    for (TAtomicFileWriter* w : writers) w->Write(piece);
  };
  emit(std::string_view(frame.script).substr(0, firstLineEnd));
  const TItemArray& items = agent.Items();
  std::string piece;
  piece.reserve(kPieceBytes + (kPieceBytes >> 2));
  for (size_t k = 0; k < items.size(); k += kItemsPerStep) {
    AppendItemLines(agent.AppletData(), items, k, kItemsPerStep, piece);
    if (piece.size() >= kPieceBytes) {
      emit(piece);
      piece.clear();
    }
  }
  emit(piece);
  emit(std::string_view(frame.script).substr(firstLineEnd));
  page = std::move(frame.page);
  return TResult::Ok();
}

std::string ConfigScriptPath(const AppFolders& folders) { return folders.WorkingFolder() + kConfigScriptName; }

TResult MakeHtmlCodes(const TkvdAppletAgent& agent, const AppFolders& folders, const std::string& pagePath) {
  ProgressScope scope(agent.progress(), kMakingHint, 2);
  std::string page;
  if (TResult r = WriteScript(agent, folders, scope, page); !r) return r;
  if (TResult r = WriteFileAtomically(pagePath, page); !r) return r;
  scope.Advance(1);
  return TResult::Ok();
}

TResult MakeHtmlCodesForView(const TkvdAppletAgent& agent, const AppFolders& folders, std::string& page) {
  ProgressScope scope(agent.progress(), kMakingHint, 2);
  std::string text;
  if (TResult r = WriteScript(agent, folders, scope, text); !r) return r;
  scope.Advance(1);
  page = std::move(text);
  return TResult::Ok();
}
