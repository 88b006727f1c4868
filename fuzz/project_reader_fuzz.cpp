// libFuzzer target for the project file reader: any bytes either load into a
// sound project or are refused with a message, and a loaded project survives
// being written and read again. The same bytes read from a file in small
// pieces give the same answer as in memory.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "model/project_file.h"
#include "model/system_folders.h"
#include "model/vocabulary.h"

namespace {

// One file rewritten for every input, in a folder removed at exit.
struct TScratch {
  TScratch() : folder(CreateTemporaryFolder("lumeroll-fuzz-")), file(folder + "input.jslr") {
    FuzzCheck(!folder.empty(), "a scratch folder can be made");
  }
  ~TScratch() { RemoveFolderTree(folder); }
  std::string folder;
  std::string file;
};

const std::string& ScratchFile() {
  static const TScratch scratch;
  return scratch.file;
}

// Pieces of 1 to 61 bytes, so that line ends fall on every side of a
// piece's end in inputs far smaller than the reader's usual megabyte.
void CheckReadInPieces(std::string_view bytes, const TResult& expected, const TLoadedProject& whole) {
  {
    std::ofstream out(FileSystemPath(ScratchFile()), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FuzzCheck(static_cast<bool>(out.flush()), "the scratch file is written");
  }
  NullProgress progress;
  TLoadedProject read;
  const TResult r = ReadProjectFile(ScratchFile(), read, progress, 1 + bytes.size() % 61);
  FuzzCheck(r.ok == expected.ok && r.message == expected.message, "a file read in pieces gives the same answer");
  FuzzCheck(read.items == whole.items && read.parents == whole.parents && read.applet == whole.applet &&
                read.fileVersion == whole.fileVersion,
            "a file read in pieces gives the same project");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NullProgress progress;
  TLoadedProject loaded;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TResult result = ReadProjectText(bytes, loaded, progress);
  CheckReadInPieces(bytes, result, loaded);
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
