#include "shell/recent_files.h"

#include "model/file_io.h"
#include "model/text_lines.h"
#include "model/vocabulary.h"

TResult TRecentFiles::ReadFirstLines(std::vector<std::string>& lines) const {
  lines.assign(kMaxEntries, std::string());
  if (!FileExists(filePath_)) {
    if (TResult r = WriteFileAtomically(filePath_, ""); !r) return r;
    return TResult::Ok();
  }
  std::string bytes;
  if (TResult r = ReadFileBytes(filePath_, bytes); !r) return r;
  TLineReader in(bytes);
  for (int i = 0; i < kMaxEntries && !in.AtEnd(); ++i) lines[i] = std::string(in.ReadLine());
  return TResult::Ok();
}

TResult TRecentFiles::Load(std::vector<std::string>& lines) const {
  std::vector<std::string> all;
  if (TResult r = ReadFirstLines(all); !r) return r;
  lines.clear();
  for (std::string& l : all)
    if (!l.empty()) lines.push_back(std::move(l));
  return TResult::Ok();
}

std::string TRecentFiles::PathOfLine(const std::string& line) { return line.size() > 3 ? line.substr(3) : ""; }

TResult TRecentFiles::Add(const std::string& path, bool& changed) const {
  changed = false;
  // One line per entry: a CR or LF in the path would split it in two.
  if (path.empty() || HasControlCharacter(path)) return TResult::Ok();
  std::vector<std::string> entries;
  if (TResult r = ReadFirstLines(entries); !r) return r;
  for (std::string& e : entries) {
    if (!e.empty()) e = PathOfLine(e);
    if (e == path) return TResult::Ok();
  }
  entries.pop_back();
  entries.insert(entries.begin(), path);
  std::string bytes;
  for (int i = 0; i < kMaxEntries; ++i)
    if (!entries[i].empty()) AppendLine(bytes, "&" + std::to_string(i + 1) + " " + entries[i]);
  if (TResult r = WriteFileAtomically(filePath_, bytes); !r) return r;
  changed = true;
  return TResult::Ok();
}
