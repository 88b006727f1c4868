#pragma once
// Helpers of the model tests: the temporary folder, whole-file reads and
// writes, and the golden files' folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "model/applet_data.h"
#include "model/system_folders.h"
#include "support/temp_folder.h"
#include "../system_error_texts.h"

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(FileSystemPath(path), std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(FileSystemPath(path), std::ios::binary);
  out << bytes;
}

inline std::string GoldenFile(const std::string& name) { return ReadAll(std::string(LUMEROLL_GOLDEN_DIR) + "/" + name); }

inline TItemData MakeItem(std::string caption, std::string link, std::string target, std::string content,
                          int level) {
  return TItemData{std::move(caption), std::move(link), std::move(target), std::move(content),
                   std::to_string(level), ""};
}

// The items of the nested golden files, in array order.
inline TItemArray NestedItems() {
  return {MakeItem("Company news", "http://example.com/news.html", "_blank", "First line<br />Second line<br />", 0),
          MakeItem("Products", "", "_self", "Our products<br />", 1),
          MakeItem("Caf\xE9 opening", "http://example.com/cafe", "_self",
                   "Opens <b>today</b><br /><br />Come along<br />", 2),
          MakeItem("Prices", "prices.html", "_top", "Content here ...", 1),
          MakeItem("Jobs", " jobs.html ", "", "", 0)};
}
// Parent entry of each of NestedItems().
inline std::vector<int> NestedParents() { return {-1, 0, 1, 0, -1}; }
