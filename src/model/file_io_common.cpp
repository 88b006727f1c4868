// The parts of file_io.h that are the same on every system, built on each
// system's TFileReader and TAtomicFileWriter.

#include "file_io.h"

TResult TFileReader::TooLarge() const {
  return TResult::Fail("Cannot open \"" + path_ + "\": the file is larger than 256 MB");
}

TResult ReadFileBytes(const std::string& path, std::string& out) {
  TFileReader file;
  if (TResult r = file.Open(path); !r) return r;
  // Read straight into the string, with room for the stated size and a
  // little more: the read that finds the end then needs no growth, which
  // would copy everything read so far.
  std::string data;
  data.reserve(static_cast<size_t>(file.StatedSize()) + 4096);
  PrefaultMemory(data.data(), data.capacity());
  data.resize(data.capacity());
  size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(2 * data.size());
    size_t got = 0;
    if (TResult r = file.Read(data.data() + used, data.size() - used, got); !r) return r;
    if (got == 0) break;
    used += got;
  }
  data.resize(used);
  out = std::move(data);
  return TResult::Ok();
}

TResult WriteFileAtomically(const std::string& path, const std::string& bytes) {
  TAtomicFileWriter writer(path);
  writer.Write(bytes);
  return writer.Commit();
}

TResult CopyFileReplacing(const std::string& from, const std::string& to) {
  std::string bytes;
  if (TResult r = ReadFileBytes(from, bytes); !r) return r;
  return WriteFileAtomically(to, bytes);
}
