// Path replacement at publishing: which links change, into what, and that
// nothing changes unless both roots are set.

#include <gtest/gtest.h>

#include "model/applet_agent.h"
#include "output/generator.h"
#include "output/link_paths.h"
#include "test_support.h"

namespace {

const TStringArray kScripts = {kRuntimeScriptName, kConfigScriptName};
constexpr const char* kLocal = "file:///C:/projects/site/";
constexpr const char* kWeb = "https://www.example.com/";

TAppletData Roots(const std::string& local, const std::string& web, const std::string& checked) {
  TAppletData a = DefaultAppletData();
  a.pInternalUse_RootDir_Local = local;
  a.pInternalUse_RootDir_Remote = web;
  a.pInternalUse_RootDir_Local_Checked = checked;
  return a;
}

TItemArray RootedItems() {
  return {Item("Local", "Content here ...<br />", "file:///C:/projects/site/news/a.html", "_self"),
          Item("Drive bar", "Content here ...<br />", "file:///c|/Projects/Site/b.html", "_self"),
          Item("Web", "Content here ...<br />", "https://www.example.com/news/c.html", "_self"),
          Item("Relative", "Content here ...<br />", "news/d.html", "_self")};
}

TEST(PathReplacement, GeneratedScriptsMatchTheGoldenFiles) {
  const struct {
    std::string name;
    TAppletData applet;
    std::string golden;
  } cases[] = {
      // Either root empty: the output is what it always was.
      {"no roots", DefaultAppletData(), "rooted_links.js"},
      {"local root only, to web", Roots(kLocal, "", "0"), "rooted_links.js"},
      {"web root only, to local", Roots("", kWeb, "1"), "rooted_links.js"},
      {"blank web root", Roots(kLocal, "   ", "0"), "rooted_links.js"},
      {"upload to web server", Roots(kLocal, kWeb, "0"), "rooted_links_web.js"},
      {"test on local computer", Roots(kLocal, kWeb, "1"), "rooted_links_local.js"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TItemArray items = RootedItems();
    const TGeneratedCode code = GenerateCode(c.applet, items, kScripts);
    ASSERT_TRUE(code.ok) << code.message;
    EXPECT_EQ(code.script, Golden(c.golden));
    EXPECT_EQ(items, RootedItems());  // the stored links stay as typed
  }
}

TEST(PathReplacement, TheDefaultProjectsGoldenFilesAreUnchanged) {
  // The default box has both roots empty: the files of the worked example.
  const TGeneratedCode code =
      GenerateCode(DefaultAppletData(), {Item("News Title", "Content here ...<br />", "news.html", "_blank")}, kScripts);
  EXPECT_EQ(code.script, Golden("linked.js"));
}

TEST(PathReplacement, Cases) {
  const struct {
    std::string local, web, checked, link, published;
  } cases[] = {
      // To the web: the local root at the start of the link is replaced.
      {kLocal, kWeb, "0", "file:///C:/projects/site/a.html", "https://www.example.com/a.html"},
      {kLocal, kWeb, "0", "FILE:///c:/PROJECTS/site/a.html", "https://www.example.com/a.html"},
      {kLocal, kWeb, "0", "file:///C|/projects/site/x/y.html?q=1#top", "https://www.example.com/x/y.html?q=1#top"},
      {"file:///C|/projects/site/", kWeb, "0", "file:///C:/projects/site/a.html", "https://www.example.com/a.html"},
      {kLocal, kWeb, "0", "  file:///C:/projects/site/a.html ", "https://www.example.com/a.html"},
      {kLocal, kWeb, "0", "file:///C:/projects/site/", "https://www.example.com/"},
      // A root without its final slash still meets the link at a slash.
      {"file:///C:/projects/site", "https://www.example.com", "0", "file:///C:/projects/site/a.html",
       "https://www.example.com/a.html"},
      {"file:///C:/projects/site", kWeb, "0", "file:///C:/projects/site/a.html", "https://www.example.com/a.html"},
      {kLocal, "https://www.example.com", "0", "file:///C:/projects/site/a.html", "https://www.example.com/a.html"},
      // ...but not inside a name: site2 is another folder.
      {"file:///C:/projects/site", kWeb, "0", "file:///C:/projects/site2/a.html", "file:///C:/projects/site2/a.html"},
      // A Windows path as the local root; the rest of the link gets web slashes.
      {"C:\\projects\\site\\", kWeb, "0", "c:\\Projects\\site\\news\\a.html", "https://www.example.com/news/a.html"},
      // Links elsewhere, or under the other root, stay as they are.
      {kLocal, kWeb, "0", "https://www.example.com/a.html", "https://www.example.com/a.html"},
      {kLocal, kWeb, "0", "file:///D:/other/a.html", "file:///D:/other/a.html"},
      {kLocal, kWeb, "0", "news.html", "news.html"},
      {kLocal, kWeb, "0", "", ""},
      {kLocal, kWeb, "0", " ", " "},
      // To the local computer: the web root is replaced, its case counts.
      {kLocal, kWeb, "1", "https://www.example.com/news/a.html", "file:///C:/projects/site/news/a.html"},
      {kLocal, kWeb, "1", "https://www.example.com/News/A.html", "file:///C:/projects/site/News/A.html"},
      {kLocal, kWeb, "1", "https://www.example.org/a.html", "https://www.example.org/a.html"},
      {kLocal, kWeb, "1", "file:///C:/projects/site/a.html", "file:///C:/projects/site/a.html"},
      {"C:\\site", kWeb, "1", "https://www.example.com/a.html", "C:\\site\\a.html"},
      // Any choice other than "1" is the upload.
      {kLocal, kWeb, "", "file:///C:/projects/site/a.html", "https://www.example.com/a.html"},
      // Either root empty: nothing changes, blanks included.
      {"", kWeb, "1", " https://www.example.com/a.html", " https://www.example.com/a.html"},
      {kLocal, "", "0", "file:///C:/projects/site/a.html ", "file:///C:/projects/site/a.html "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PublishedLink(c.link, Roots(c.local, c.web, c.checked)), c.published)
        << c.local << " | " << c.web << " | " << c.checked << " | " << c.link;
  }
}

}  // namespace
