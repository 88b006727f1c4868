// The readers check each item line as they read it: a bad line is refused
// with its line and field named, and nothing is kept for the lines of a
// damaged file (a file of blank lines used to grow an item for each).

#include <gtest/gtest.h>

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model/structure_file.h"
#include "model_test_support.h"

namespace {

// The number of the line after `tag` in `text`.
int LineAfter(const std::string& text, const std::string& tag) {
  const size_t at = text.find(tag);
  int line = 1;
  for (size_t i = 0; i < at; ++i)
    if (text[i] == '\n') ++line;
  return line + 1;
}

std::string Insert(std::string text, const std::string& before, const std::string& lines) {
  text.insert(text.find(before), lines);
  return text;
}

TEST(LineCheck, BadItemLinesAreNamedByLineAndField) {
  const std::string project = GoldenFile("empty_project.jslr");
  const std::string structure = GoldenFile("empty_structure.gms");
  const int firstProjectLine = LineAfter(project, "<Item_Parameters>");
  const int firstStructureLine = LineAfter(structure, "<Structure_Description>");
  const std::string good = "cap#$@#$@#$@text#$@0#$@\r\n";
  const std::string goodStructure = "text#$@cap#$@#$@#$@0#$@\r\n";
  std::string blankLines;
  for (int i = 0; i < 5 * 1024 * 1024; ++i) blankLines += "\r\n";  // 10 MB
  struct TCase {
    const char* name;
    bool isProject;
    std::string text;
    std::string message;
    int line;
  };
  const TCase cases[] = {
      {"10 MB of blank lines", true, Insert(project, "</Item_Parameters>", blankLines), "'' is not a valid integer value",
       firstProjectLine},
      {"10 MB of LF-only blank lines after a good item", true,
       Insert(project, "</Item_Parameters>", good + std::string(10 * 1024 * 1024, '\n')),
       "'' is not a valid integer value", firstProjectLine + 1},
      {"a level that is a word", true, Insert(project, "</Item_Parameters>", good + good + "a#$@#$@#$@#$@two#$@\r\n"),
       "'two' is not a valid integer value", firstProjectLine + 2},
      {"structure: 10 MB of blank lines", false, Insert(structure, "</Structure_Description>", blankLines),
       "'' is not a valid integer value", firstStructureLine},
      {"structure: a level that is a word", false,
       Insert(structure, "</Structure_Description>", goodStructure + "t#$@c#$@#$@#$@x1#$@\r\n"),
       "'x1' is not a valid integer value", firstStructureLine + 1},
  };
  TTempFolder folder;
  for (const TCase& c : cases) {
    NullProgress progress;
    std::vector<TResult> results;
    if (c.isProject) {
      TLoadedProject loaded;
      results.push_back(ReadProjectText(c.text, loaded, progress));
      const std::string path = folder.File("p.jslr");
      ASSERT_TRUE(WriteFileAtomically(path, c.text));
      results.push_back(ReadProjectFile(path, loaded, progress));
    } else {
      TLoadedStructure loaded;
      results.push_back(ReadStructureText(c.text, loaded, progress));
    }
    for (const TResult& r : results) {
      EXPECT_FALSE(r.ok) << c.name;
      EXPECT_EQ(r.message, c.message) << c.name;
      EXPECT_EQ(r.where, "line " + std::to_string(c.line) + ", field ILevel") << c.name;
    }
  }
}

// A file cut short is still told as incomplete, bad lines or not.
TEST(LineCheck, AFileCutShortAfterABadLineIsIncomplete) {
  std::string project = GoldenFile("empty_project.jslr");
  project = project.substr(0, project.find("</Item_Parameters>")) + "\r\n\r\nx#$@";
  TLoadedProject loaded;
  NullProgress progress;
  const TResult r = ReadProjectText(project, loaded, progress);
  EXPECT_EQ(r.message, kIncompleteProjectMessage);
}

}  // namespace
