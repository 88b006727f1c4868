#include <gtest/gtest.h>

#include <random>

#include "model/applet_agent.h"
#include "model/file_io.h"
#include "model/project_file.h"
#include "model_test_support.h"

namespace {

const char* const kAppletLine =
    "1000#$@240#$@120#$@1#$@3#$@000000#$@5#$@FFFFFF#$@1000#$@6#$@Ms Sans Serif,Georgia,Helvetica,Arial#$@0#$@"
    "000000#$@2#$@14#$@1#$@0#$@Ms Sans Serif,Georgia,Helvetica,Arial#$@0#$@000000#$@2#$@14#$@0#$@0#$@#$@#$@1#$@";

std::string Separators(int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += "#$@";
  return out;
}

TItemArray DefaultItemAtRoot() {
  TItemData item = DefaultItemData();
  item.ILevel = "0";
  return {item};
}

// A project that differs from every file below, to see that a failed load
// leaves it alone.
void FillWithOtherProject(TkvdAppletAgent& agent) {
  TAppletData applet = DefaultAppletData();
  applet.pWidth = "777";
  applet.pInternalUse_RootDir_Local = "/site";
  agent.ReplaceProject(applet, {MakeItem("Keep me", "k.html", "_blank", "kept<br />", 0)}, "9.9");
}

void ExpectOtherProject(const TkvdAppletAgent& agent) {
  EXPECT_EQ(agent.AppletData().pWidth, "777");
  EXPECT_EQ(agent.AppletData().pInternalUse_RootDir_Local, "/site");
  ASSERT_EQ(agent.ItemCount(), 1);
  EXPECT_EQ(agent.Items()[0].ICaption, "Keep me");
  EXPECT_EQ(agent.FileVersion, "9.9");
}

TEST(ProjectFile, WriterGivesTheWorkedExamplesByteForByte) {
  struct TCase {
    const char* golden;
    TItemArray items;
  };
  const TCase cases[] = {{"empty_project.jslr", {}},
                         {"default_item_project.jslr", DefaultItemAtRoot()},
                         {"nested_project.jslr", NestedItems()}};
  NullProgress progress;
  for (const TCase& c : cases) {
    const std::string golden = GoldenFile(c.golden);
    ASSERT_FALSE(golden.empty()) << c.golden;
    EXPECT_EQ(WriteProjectText(DefaultAppletData(), c.items, progress), golden) << c.golden;

    TTempFolder folder;
    TkvdAppletAgent agent;
    agent.SetDefaults();
    for (const TItemData& item : c.items) agent.InsertItem(agent.ItemCount(), item);
    ASSERT_TRUE(agent.SaveProject(folder.File("p.jslr"))) << c.golden;
    EXPECT_EQ(ReadAll(folder.File("p.jslr")), golden) << c.golden;
  }
  // The two lines the worked example spells out.
  const std::string text = GoldenFile("default_item_project.jslr");
  EXPECT_NE(text.find(std::string("\r\n") + kAppletLine + "\r\n"), std::string::npos);
  const std::string itemLine = "\r\nNews Title#$@#$@_self#$@Content here ...#$@0" + Separators(16);
  EXPECT_NE(text.find(itemLine + "\r\n</Item_Parameters>\r\n"), std::string::npos);
  EXPECT_NE(GoldenFile("empty_project.jslr").find("<Item_Parameters>\r\n</Item_Parameters>\r\n"), std::string::npos);
}

TEST(ProjectFile, SaveReportsProgressInTwentiesPerItem) {
  struct TRecorder : Progress {
    std::string hint;
    int maximum = -1, advanced = 0, ends = 0;
    void Begin(const std::string& h, int m) override { hint = h, maximum = m; }
    void Advance(int by) override { advanced += by; }
    void End() override { ++ends; }
  } recorder;
  WriteProjectText(DefaultAppletData(), NestedItems(), recorder);
  EXPECT_EQ(recorder.hint, "Saving Data ... ...");
  EXPECT_EQ(recorder.maximum, 20 * 5 + 15);
  EXPECT_EQ(recorder.advanced, recorder.maximum);
  EXPECT_EQ(recorder.ends, 1);
}

TEST(ProjectFile, GoldenFilesLoadBackWithTheirTree) {
  struct TCase {
    const char* golden;
    TItemArray items;
    std::vector<int> parents;
  };
  const TCase cases[] = {{"empty_project.jslr", {}, {}},
                         {"default_item_project.jslr", DefaultItemAtRoot(), {-1}},
                         {"nested_project.jslr", NestedItems(), NestedParents()}};
  for (const TCase& c : cases) {
    TkvdAppletAgent agent;
    FillWithOtherProject(agent);
    std::vector<int> parents{42};
    const TResult r = agent.LoadProject(std::string(LUMEROLL_GOLDEN_DIR) + "/" + c.golden, parents);
    ASSERT_TRUE(r) << c.golden << ": " << r.message;
    EXPECT_EQ(agent.AppletData(), DefaultAppletData());
    EXPECT_EQ(agent.Items(), c.items);
    EXPECT_EQ(parents, c.parents);
    EXPECT_EQ(agent.FileVersion, "1.0");
  }
}

TEST(ProjectFile, EveryValueRoundTrips) {
  TAppletData applet;
  for (int i = 0; i < TAppletData::FieldCount; ++i) applet.Field(i) = "v" + std::to_string(i) + " <x> \xA0";
  applet.Field(26) = "";
  TItemArray items = NestedItems();
  items[0].IContent = "line one<br />line two<br /><br />line four<br />";
  items[2].IReserved = "kept as read";
  TTempFolder folder;
  TkvdAppletAgent saver;
  saver.ReplaceProject(applet, items, "");
  ASSERT_TRUE(saver.SaveProject(folder.File("r.jslr")));
  TkvdAppletAgent loader;
  std::vector<int> parents;
  ASSERT_TRUE(loader.LoadProject(folder.File("r.jslr"), parents));
  EXPECT_EQ(loader.AppletData(), applet);
  EXPECT_EQ(loader.Items(), items);
  EXPECT_EQ(parents, NestedParents());
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

TEST(ProjectFile, FilesThatTheLineRulesAccept) {
  const std::string nested = GoldenFile("nested_project.jslr");
  const std::string megabyte(3 << 20, 'm');
  TItemArray longContent = NestedItems();
  longContent[1].IContent = megabyte;
  struct TCase {
    const char* what;
    std::string bytes;
    TItemArray items;
    std::vector<int> parents;
    std::string version = "1.0";
  };
  const TCase cases[] = {
      {"LF only", ReplaceAll(nested, "\r\n", "\n"), NestedItems(), NestedParents()},
      {"CR only", ReplaceAll(nested, "\r\n", "\r"), NestedItems(), NestedParents()},
      {"other version", Replace(nested, "<Product_Version>\r\n1.0", "<Product_Version>\r\n2.7"), NestedItems(),
       NestedParents(), "2.7"},
      {"no warning block", nested.substr(nested.find("<Product_Name>")), NestedItems(), NestedParents()},
      {"lines between blocks and after the end",
       Replace(Replace(nested, "</Product_Version>\r\n", "</Product_Version>\r\nstray\r\n\r\n"),
               "</Applet_Parameters>\r\n", "</Applet_Parameters>\r\n#$@junk#$@\r\n") +
           "after\r\n<Item_Parameters>\r\n",
       NestedItems(), NestedParents()},
      {"0x1A after the closing tag", nested + "\x1A garbage", NestedItems(), NestedParents()},
      {"a megabyte line in the warning block", Replace(nested, "</Warning_Info>", megabyte + "\r\n</Warning_Info>"),
       NestedItems(), NestedParents()},
      {"a megabyte content", Replace(nested, "Our products<br />", megabyte), longContent, NestedParents()},
      {"item line with more than 20 fields",
       Replace(nested, "Jobs#$@ jobs.html #$@#$@#$@0#$@", "Jobs#$@ jobs.html #$@#$@#$@0#$@#$@#$@#$@#$@#$@#$@x#$@y#$@z"),
       NestedItems(), NestedParents()},
      {"closing tag without a line end", nested.substr(0, nested.size() - 2), NestedItems(), NestedParents()},
  };
  std::vector<TCase> all(std::begin(cases), std::end(cases));
  // A file is read a megabyte at a time: line ends, a lone CR and the 0x1A
  // byte on either side of where one piece ends and the next begins.
  const size_t piece = 1 << 20;
  std::vector<std::string> cutShort;
  const std::string products = "Our products<br />";
  const size_t productsAt = nested.find(products);
  const size_t productsLineEnd = nested.find("\r\n", productsAt);
  for (size_t cr = piece - 2; cr <= piece + 1; ++cr) {
    // The content of the second item grows until its line ends at `cr`.
    TItemArray padded = NestedItems();
    padded[1].IContent = std::string(cr - productsLineEnd + products.size(), 'p');
    const std::string bytes = Replace(nested, products, padded[1].IContent);
    all.push_back({"CR LF around a piece's end", bytes, padded, NestedParents()});
    all.push_back({"lone CR around a piece's end", ReplaceAll(bytes, "\r\n", "\r"), padded, NestedParents()});
    // A 0x1A byte ends the file there, in a piece after the first too.
    std::string cut = bytes;
    cut.insert(cr + 3, "\x1A");
    cutShort.push_back(cut);
  }
  TTempFolder folder;
  const std::string path = folder.File("case.jslr");
  for (const TCase& c : all) {
    ASSERT_TRUE(WriteFileAtomically(path, c.bytes));
    for (const bool fromFile : {false, true}) {
      TLoadedProject loaded;
      NullProgress progress;
      const TResult r = fromFile ? ReadProjectFile(path, loaded, progress) : ReadProjectText(c.bytes, loaded, progress);
      const std::string what = std::string(c.what) + (fromFile ? " (file)" : " (memory)");
      ASSERT_TRUE(r) << what << ": " << r.message;
      EXPECT_EQ(loaded.applet, DefaultAppletData()) << what;
      EXPECT_EQ(loaded.items, c.items) << what;
      EXPECT_EQ(loaded.parents, c.parents) << what;
      EXPECT_EQ(loaded.fileVersion, c.version) << what;
    }
  }
  for (const std::string& bytes : cutShort) {
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
    for (const bool fromFile : {false, true}) {
      TLoadedProject loaded;
      NullProgress progress;
      const TResult r = fromFile ? ReadProjectFile(path, loaded, progress) : ReadProjectText(bytes, loaded, progress);
      EXPECT_EQ(r.message, kIncompleteProjectMessage) << (fromFile ? "file" : "memory");
    }
  }
}

// Read in pieces of any size, a file gives what its bytes give in memory:
// the same project, or the same refusal.
TEST(ProjectFile, PiecesOfAnySizeReadAsTheWholeText) {
  const std::string nested = GoldenFile("nested_project.jslr");
  const size_t closing = nested.find("</Item_Parameters>");
  const std::string texts[] = {nested,
                               ReplaceAll(nested, "\r\n", "\n"),
                               ReplaceAll(nested, "\r\n", "\r"),
                               ReplaceAll(nested, "\r\n", "\n\r"),
                               nested.substr(0, closing) + "\x1A" + nested.substr(closing),
                               nested.substr(0, closing + 5),
                               Replace(nested, "#$@2#$@", "#$@5#$@"),
                               ""};
  TTempFolder folder;
  const std::string path = folder.File("pieces.jslr");
  NullProgress progress;
  for (size_t t = 0; t < std::size(texts); ++t) {
    TLoadedProject whole;
    const TResult expected = ReadProjectText(texts[t], whole, progress);
    ASSERT_TRUE(WriteFileAtomically(path, texts[t]));
    for (size_t piece = 1; piece <= 48; ++piece) {
      TLoadedProject read;
      const TResult r = ReadProjectFile(path, read, progress, piece);
      ASSERT_EQ(r.ok, expected.ok) << "text " << t << ", pieces of " << piece << ": " << r.message;
      EXPECT_EQ(r.message, expected.message) << "text " << t << ", pieces of " << piece;
      EXPECT_EQ(read.items, whole.items) << "text " << t << ", pieces of " << piece;
      EXPECT_EQ(read.parents, whole.parents) << "text " << t << ", pieces of " << piece;
      EXPECT_EQ(read.applet, whole.applet) << "text " << t << ", pieces of " << piece;
    }
  }
}

TEST(ProjectFile, AppletLinesOfOtherWidthsLoad) {
  const std::string golden = GoldenFile("empty_project.jslr");
  NullProgress progress;
  TLoadedProject fewer, more, none;
  ASSERT_TRUE(ReadProjectText(Replace(golden, "#$@#$@#$@1#$@\r\n", "\r\n"), fewer, progress));
  TAppletData expected = DefaultAppletData();
  expected.pInternalUse_RootDir_Local_Checked = "";
  expected.pContentItalic = "";
  EXPECT_EQ(fewer.applet, expected);
  ASSERT_TRUE(ReadProjectText(Replace(golden, "#$@1#$@\r\n", "#$@1#$@extra#$@more#$@\r\n"), more, progress));
  EXPECT_EQ(more.applet, DefaultAppletData());
  // The item tag standing in place of the applet line: empty parameters.
  ASSERT_TRUE(ReadProjectText(Replace(golden, std::string(kAppletLine) + "\r\n</Applet_Parameters>\r\n", ""), none,
                              progress));
  EXPECT_EQ(none.applet, TAppletData{});
}

TEST(ProjectFile, LevelsFromOtherWritersAreClamped) {
  NullProgress progress;
  std::string text = GoldenFile("empty_project.jslr");
  std::string lines;
  for (const char* level : {"2", "-3", "1", "5", " 1", "+0", "1"}) lines += std::string("c#$@#$@#$@#$@") + level + "#$@\r\n";
  text = Replace(text, "</Item_Parameters>", lines + "</Item_Parameters>");
  TLoadedProject loaded;
  ASSERT_TRUE(ReadProjectText(text, loaded, progress));
  EXPECT_EQ(loaded.parents, (std::vector<int>{-1, -1, 1, 2, 1, -1, 5}));
  std::vector<std::string> stored;
  for (const TItemData& item : loaded.items) stored.push_back(item.ILevel);
  // Levels the tree shows; texts that already read as that level stay.
  EXPECT_EQ(stored, (std::vector<std::string>{"0", "0", "1", "2", " 1", "+0", "1"}));
}

struct TBadCase {
  std::string what;
  std::string bytes;
  std::string message;
};

std::vector<TBadCase> DamagedProjects() {
  const std::string nested = GoldenFile("nested_project.jslr");
  std::mt19937 rng(5);
  std::string noise(64 << 10, '\0');
  for (char& c : noise) c = static_cast<char>(rng());
  const std::string incomplete = kIncompleteProjectMessage, wrong = kWrongProductMessage;
  const size_t mid = nested.find("Products");
  return {
      {"empty", "", incomplete},
      {"binary noise", noise, incomplete},
      {"one line of megabytes", std::string(4 << 20, 'x'), incomplete},
      {"wrong product name", Replace(nested, "\r\nJavaScript Lumeroll\r\n", "\r\nJavaScript Lumeroll 2\r\n"), wrong},
      {"name line with a trailing blank", Replace(nested, "\r\nJavaScript Lumeroll\r\n", "\r\nJavaScript Lumeroll \r\n"),
       wrong},
      {"lower-case tag", Replace(nested, "<Product_Name>", "<product_name>"), incomplete},
      {"tag with a blank", Replace(nested, "<Item_Parameters>", "<Item_Parameters> "), incomplete},
      {"0x1A in the middle", nested.substr(0, mid) + "\x1A" + nested.substr(mid), incomplete},
      {"no closing item tag", Replace(nested, "</Item_Parameters>", "</Item_Parameter>"), incomplete},
      {"item line with too few fields",
       Replace(nested, "Prices#$@prices.html#$@_top#$@Content here ...#$@1" + Separators(16) + "\r\n",
               "Prices#$@prices.html#$@_top#$@\r\n"),
       "'' is not a valid integer value"},
      {"empty item line", Replace(nested, "<Item_Parameters>\r\n", "<Item_Parameters>\r\n\r\n"),
       "'' is not a valid integer value"},
      {"level not a number", Replace(nested, "_top#$@Content here ...#$@1#$@", "_top#$@Content here ...#$@one#$@"),
       "'one' is not a valid integer value"},
  };
}

TEST(ProjectFile, DamagedFilesChangeNothing) {
  TTempFolder folder;
  for (const TBadCase& c : DamagedProjects()) {
    WriteAll(folder.File("bad.jslr"), c.bytes);
    TkvdAppletAgent agent;
    FillWithOtherProject(agent);
    std::vector<int> parents{42};
    const TResult r = agent.LoadProject(folder.File("bad.jslr"), parents);
    EXPECT_FALSE(r) << c.what;
    EXPECT_EQ(r.message, c.message) << c.what;
    ExpectOtherProject(agent);
    EXPECT_EQ(parents, std::vector<int>{42}) << c.what;
  }
}

TEST(ProjectFile, UnopenableFilesChangeNothing) {
  TTempFolder folder;
  struct TCase {
    std::string path;
    std::string reason;
  };
  std::filesystem::create_directory(folder.File("folder.jslr"));
  const TCase cases[] = {{folder.File("missing.jslr"), MissingFileText()},
                         {folder.File("folder.jslr"), "Is a directory"},
                         {folder.File("missing/inner.jslr"), MissingFolderText()}};
  for (const TCase& c : cases) {
    TkvdAppletAgent agent;
    FillWithOtherProject(agent);
    std::vector<int> parents{42};
    const TResult r = agent.LoadProject(c.path, parents);
    EXPECT_FALSE(r) << c.path;
    EXPECT_NE(r.message.find(c.path), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(c.reason), std::string::npos) << r.message;
    ExpectOtherProject(agent);
  }
}

// Cut after every byte: all a prefix can give is the message of the place it
// stops at, until the closing item tag has been read whole.
TEST(ProjectFile, TruncatedAtEveryByteIsRefused) {
  const std::string nested = GoldenFile("nested_project.jslr");
  const size_t nameStart = nested.find("<Product_Name>\r\n") + 16;
  const size_t closingEnd = nested.find("</Item_Parameters>") + std::string("</Item_Parameters>").size();
  NullProgress progress;
  for (size_t cut = 0; cut < closingEnd; ++cut) {
    TLoadedProject loaded;
    const TResult r = ReadProjectText(std::string_view(nested).substr(0, cut), loaded, progress);
    ASSERT_FALSE(r) << "cut at " << cut;
    const bool insideName = cut > nameStart && cut < nameStart + 19;
    EXPECT_EQ(r.message, insideName ? kWrongProductMessage : kIncompleteProjectMessage) << "cut at " << cut;
    EXPECT_TRUE(loaded.items.empty());
  }
  TLoadedProject loaded;
  EXPECT_TRUE(ReadProjectText(std::string_view(nested).substr(0, closingEnd), loaded, progress));
}

}  // namespace
