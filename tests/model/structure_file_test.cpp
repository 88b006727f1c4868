#include <gtest/gtest.h>

#include "model/applet_agent.h"
#include "model/structure_file.h"
#include "model_test_support.h"

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::vector<int> Levels(const TItemArray& items) {
  std::vector<int> levels;
  for (const TItemData& item : items) levels.push_back(std::stoi(item.ILevel));
  return levels;
}

TEST(StructureFile, ExportGivesTheFormatByteForByte) {
  struct TCase {
    const char* golden;
    TItemArray items;
  };
  const TCase cases[] = {{"empty_structure.gms", {}}, {"nested_structure.gms", NestedItems()}};
  for (const TCase& c : cases) {
    TTempFolder folder;
    TkvdAppletAgent agent;
    agent.SetDefaults();
    // Levels empty: the export writes the tree's levels it is given, and
    // leaves the project's own texts as they were.
    for (TItemData item : c.items) {
      item.ILevel.clear();
      item.IReserved = "not exchanged";
      agent.InsertItem(agent.ItemCount(), item);
    }
    ASSERT_TRUE(agent.ExportStructure(folder.File("s.gms"), Levels(c.items)));
    EXPECT_EQ(ReadAll(folder.File("s.gms")), GoldenFile(c.golden)) << c.golden;
    for (int k = 0; k < agent.ItemCount(); ++k) EXPECT_EQ(agent.Items()[k].ILevel, "");
  }
  EXPECT_NE(GoldenFile("empty_structure.gms").find("<Structure_Description>\r\n</Structure_Description>\r\n"),
            std::string::npos);
}

TEST(StructureFile, ImportGivesTheTreeAndTheDefaultApplet) {
  struct TCase {
    const char* golden;
    TItemArray items;
    std::vector<int> parents;
  };
  const TCase cases[] = {{"empty_structure.gms", {}, {}}, {"nested_structure.gms", NestedItems(), NestedParents()}};
  for (const TCase& c : cases) {
    TkvdAppletAgent agent;
    TAppletData changed = DefaultAppletData();
    changed.pHeight = "9";
    agent.ReplaceProject(changed, {MakeItem("old", "", "", "", 0)}, "");
    std::vector<int> parents{42};
    const TResult r = agent.ImportStructure(std::string(LUMEROLL_GOLDEN_DIR) + "/" + c.golden, parents);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(agent.AppletData(), DefaultAppletData());
    EXPECT_EQ(agent.Items(), c.items);
    EXPECT_EQ(parents, c.parents);
    EXPECT_EQ(agent.FileVersion, "1.0");
  }
}

TEST(StructureFile, LinesOfOtherShapesImport) {
  const std::string nested = GoldenFile("nested_structure.gms");
  TItemArray shortTarget = NestedItems();
  shortTarget[4].ITarget = "";
  struct TCase {
    const char* what;
    std::string bytes;
    TItemArray items;
  };
  const TCase cases[] = {
      {"other generator", Replace(nested, "\r\nJavaScript Lumeroll\r\n", "\r\nSome Other Tool 3\r\n"), NestedItems()},
      {"no generator block", nested.substr(nested.find("<Product_Name>")), NestedItems()},
      {"values past the fifth", Replace(nested, "_top#$@1#$@", "_top#$@1#$@more#$@and more"), NestedItems()},
      {"LF only", [&] {
         std::string s = nested;
         for (size_t at = s.find("\r\n"); at != std::string::npos; at = s.find("\r\n", at)) s.erase(at, 1);
         return s;
       }(), NestedItems()},
  };
  NullProgress progress;
  for (const TCase& c : cases) {
    TLoadedStructure loaded;
    const TResult r = ReadStructureText(c.bytes, loaded, progress);
    ASSERT_TRUE(r) << c.what << ": " << r.message;
    EXPECT_EQ(loaded.items, c.items) << c.what;
    EXPECT_EQ(loaded.parents, NestedParents()) << c.what;
  }
}

TEST(StructureFile, DamagedFilesChangeNothing) {
  const std::string nested = GoldenFile("nested_structure.gms");
  const std::string incomplete = kIncompleteStructureMessage, wrong = kWrongFormatMessage;
  struct TCase {
    const char* what;
    std::string bytes;
    std::string message;
  };
  const TCase cases[] = {
      {"empty", "", incomplete},
      {"a project file", GoldenFile("nested_project.jslr"), wrong},
      {"format name with a trailing blank",
       Replace(nested, "Description Format\r\n", "Description Format \r\n"), wrong},
      {"0x1A in the middle", Replace(nested, "Prices", "Pri\x1A" "ces"), incomplete},
      {"no closing tag", nested.substr(0, nested.find("</Structure_Description>")), incomplete},
      {"line with fewer than five fields", Replace(nested, "#$@Jobs#$@ jobs.html #$@#$@0#$@", "#$@Jobs#$@"),
       "'' is not a valid integer value"},
      {"level not a number", Replace(nested, "_top#$@1#$@", "_top#$@1.0#$@"), "'1.0' is not a valid integer value"},
      {"one line of megabytes", std::string(3 << 20, '#'), incomplete},
  };
  TTempFolder folder;
  for (const TCase& c : cases) {
    WriteAll(folder.File("bad.gms"), c.bytes);
    TkvdAppletAgent agent;
    TAppletData changed = DefaultAppletData();
    changed.pHeight = "9";
    agent.ReplaceProject(changed, {MakeItem("old", "", "", "", 0)}, "0.5");
    std::vector<int> parents{42};
    const TResult r = agent.ImportStructure(folder.File("bad.gms"), parents);
    EXPECT_FALSE(r) << c.what;
    EXPECT_EQ(r.message, c.message) << c.what;
    EXPECT_EQ(agent.AppletData(), changed) << c.what;
    ASSERT_EQ(agent.ItemCount(), 1) << c.what;
    EXPECT_EQ(agent.Items()[0].ICaption, "old");
    EXPECT_EQ(agent.FileVersion, "0.5");
    EXPECT_EQ(parents, std::vector<int>{42});
  }
  TkvdAppletAgent agent;
  std::vector<int> parents;
  const TResult missing = agent.ImportStructure(folder.File("none.gms"), parents);
  EXPECT_FALSE(missing);
  EXPECT_NE(missing.message.find(MissingFileText()), std::string::npos) << missing.message;
}

TEST(StructureFile, TruncatedAtEveryByteIsRefused) {
  const std::string nested = GoldenFile("nested_structure.gms");
  const size_t nameStart = nested.find("<Product_Name>\r\n") + 16;
  const size_t nameLength = std::string(kStructureFormatName).size();
  const size_t closingEnd = nested.find("</Structure_Description>") + 24;
  NullProgress progress;
  for (size_t cut = 0; cut < closingEnd; ++cut) {
    TLoadedStructure loaded;
    const TResult r = ReadStructureText(std::string_view(nested).substr(0, cut), loaded, progress);
    ASSERT_FALSE(r) << "cut at " << cut;
    const bool insideName = cut > nameStart && cut < nameStart + nameLength;
    EXPECT_EQ(r.message, insideName ? kWrongFormatMessage : kIncompleteStructureMessage) << "cut at " << cut;
  }
  TLoadedStructure loaded;
  EXPECT_TRUE(ReadStructureText(std::string_view(nested).substr(0, closingEnd), loaded, progress));
}

}  // namespace
