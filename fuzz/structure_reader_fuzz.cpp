// libFuzzer target for the menu structure reader: any bytes either import
// into a sound item tree or are refused with a message, and an imported
// structure survives being exported and imported again.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "model/structure_file.h"
#include "model/vocabulary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NullProgress progress;
  TLoadedStructure loaded;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TResult result = ReadStructureText(bytes, loaded, progress);
  if (!result) {
    FuzzCheck(!result.message.empty(), "a refusal carries a message");
    FuzzCheck(loaded.items.empty() && loaded.parents.empty(), "a refused import hands nothing over");
    return 0;
  }
  CheckTree(loaded.items, loaded.parents);
  for (const TItemData& item : loaded.items) FuzzCheck(item.IReserved.empty(), "IReserved is not exchanged");

  const std::string written = WriteStructureText(loaded.items, progress);
  TLoadedStructure again;
  FuzzCheck(static_cast<bool>(ReadStructureText(written, again, progress)), "an exported structure imports");
  FuzzCheck(again.items == loaded.items, "items round-trip");
  FuzzCheck(again.parents == loaded.parents, "tree round-trips");
  return 0;
}
