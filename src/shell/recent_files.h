#pragma once
// The recent files list "recentfile.dat": at most four lines, each "&", the
// entry's position digit, a blank and the full path, most recent first. The
// line as stored is also the caption of its menu entry.

#include <string>
#include <vector>

#include "model/result.h"

class TRecentFiles {
 public:
  static constexpr int kMaxEntries = 4;

  explicit TRecentFiles(std::string filePath) : filePath_(std::move(filePath)) {}

  // The non-empty lines among the first four, as stored; creates the file
  // empty when it is missing.
  TResult Load(std::vector<std::string>& lines) const;

  // Puts the path in position 1 unless it is already listed (then nothing
  // changes and `changed` is false).
  TResult Add(const std::string& path, bool& changed) const;

  // The path a stored line names: the line without "&", digit and blank.
  static std::string PathOfLine(const std::string& line);

  const std::string& FilePath() const { return filePath_; }

 private:
  TResult ReadFirstLines(std::vector<std::string>& lines) const;
  std::string filePath_;
};
