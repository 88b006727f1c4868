#pragma once
// Small helpers shared by the output tests: golden files, file reading and a
// progress recorder.

#include <string>
#include <vector>

#include "model/applet_data.h"
#include "model/file_io.h"
#include "model/progress.h"

inline std::string ReadOrEmpty(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return "<missing " + path + ">";
  return bytes;
}

inline std::string Golden(const std::string& name) { return ReadOrEmpty(std::string(LUMEROLL_GOLDEN_DIR) + "/" + name); }

inline TItemData Item(const std::string& caption, const std::string& content, const std::string& link = "",
                      const std::string& target = "_self") {
  TItemData item = DefaultItemData();
  item.ICaption = caption;
  item.IContent = content;
  item.ILink = link;
  item.ITarget = target;
  return item;
}

// Records every hint shown, so a test can see which steps reported.
class TRecordingProgress final : public Progress {
 public:
  void Begin(const std::string& hint, int maximum) override {
    hints.push_back(hint);
    maxima.push_back(maximum);
    busy = true;
    advanced = 0;
  }
  void Advance(int by) override { advanced += by; }
  void End() override {
    busy = false;
    totals.push_back(advanced);
  }
  std::vector<std::string> hints;
  std::vector<int> maxima;
  std::vector<int> totals;
  int advanced = 0;
  bool busy = false;
};
