// libFuzzer target for the project file reader: any bytes either load into a
// sound project or are refused with a message, and a loaded project survives
// being written and read again.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "model/project_file.h"
#include "model/vocabulary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NullProgress progress;
  TLoadedProject loaded;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TResult result = ReadProjectText(bytes, loaded, progress);
  if (!result) {
    FuzzCheck(!result.message.empty(), "a refusal carries a message");
    FuzzCheck(loaded.items.empty() && loaded.parents.empty(), "a refused load hands nothing over");
    return 0;
  }
  CheckTree(loaded.items, loaded.parents);

  const std::string written = WriteProjectText(loaded.applet, loaded.items, progress);
  TLoadedProject again;
  FuzzCheck(static_cast<bool>(ReadProjectText(written, again, progress)), "a written project loads");
  FuzzCheck(again.applet == loaded.applet, "applet parameters round-trip");
  FuzzCheck(again.items == loaded.items, "items round-trip");
  FuzzCheck(again.parents == loaded.parents, "tree round-trips");
  return 0;
}
