// The parts of the live preview that need no web view: Chromium's flags,
// the script call built from a project, which links go to a browser.
#include <gtest/gtest.h>

#include "model/applet_agent.h"
#include "preview/chromium_setup.h"
#include "preview/preview_call.h"
#include "app/live_preview_dock.h"

TEST(ChromiumFlags, RootTurnsTheSandboxOffOnceNoGpuMeansSoftwareAndNoSandboxNoZygote) {
  struct Case {
    const char* current;
    bool root;
    bool gpu;
    const char* flags;
    bool sandboxOff;
    bool note;
  };
  const Case cases[] = {
      {"", false, true, "", false, false},
      {"", true, true, "--no-sandbox --no-zygote", true, true},
      {"", false, false, "--disable-gpu", false, false},
      {"", true, false, "--no-sandbox --disable-gpu --no-zygote", true, true},
      // Already there: kept as the user wrote it, nothing said twice.
      {"--no-sandbox --disable-gpu", true, false, "--no-sandbox --disable-gpu --no-zygote", true, false},
      {"--no-zygote --no-sandbox", true, true, "--no-zygote --no-sandbox", true, false},
      {"--lang=de", true, true, "--lang=de --no-sandbox --no-zygote", true, true},
      // The user's own --no-sandbox: no zygotes either, the rest as given.
      {"--no-sandbox", false, true, "--no-sandbox --no-zygote", false, false},
      // A flag that only starts like ours is not ours.
      {"--no-sandboxing", true, true, "--no-sandboxing --no-sandbox --no-zygote", true, true},
      {"--no-sandboxing", false, true, "--no-sandboxing", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.current) + (c.root ? " root" : " user") + (c.gpu ? " gpu" : " no gpu"));
    const TChromiumFlags out = DecideChromiumFlags(c.current, c.root, c.gpu);
    EXPECT_EQ(out.flags, QByteArray(c.flags));
    EXPECT_EQ(out.disableSandbox, c.sandboxOff);
    EXPECT_EQ(!out.note.isEmpty(), c.note);
  }
}

TEST(PreviewCall, ScriptStringLiteralEscapesWhatWouldEndTheStringOrTheScript) {
  const struct {
    QString in;
    QString out;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\r\nnext", "\"line\\r\\nnext\""},
      {"</script>", "\"\\x3c/script>\""},
      {QString(QChar(0x2028)) + QChar(0x1), "\"\\u2028\\u0001\""},
      {QString::fromUtf8("caf\xc3\xa9"), QString::fromUtf8("\"caf\xc3\xa9\"")},
  };
  for (const auto& c : cases) EXPECT_EQ(ScriptStringLiteral(c.in), c.out) << c.in.toStdString();
}

TEST(PreviewCall, ShowsTheGeneratorsScriptOrItsConversionError) {
  TkvdAppletAgent agent;
  TPreviewSnapshot snapshot{DefaultAppletData(), {}, agent.ScriptFiles};
  TItemData item;
  item.ICaption = "Markets rise";
  snapshot.items.push_back(item);
  const TPreviewCall good = BuildPreviewCall(snapshot);
  EXPECT_TRUE(good.ok);
  EXPECT_TRUE(good.parts.isEmpty());
  EXPECT_TRUE(good.script.startsWith("lumerollPreview.show(\"jslumeroll1=new awkmanbSPM();\\r\\n")) << good.script.toStdString();
  EXPECT_TRUE(good.script.contains("Markets rise"));

  const struct {
    std::string TAppletData::*field;
    const char* value;
  } bad[] = {{&TAppletData::pBorderStyle, "x"}, {&TAppletData::pCursor, "2.5"}};
  for (const auto& b : bad) {
    TPreviewSnapshot broken = snapshot;
    broken.applet.*b.field = b.value;
    const TPreviewCall call = BuildPreviewCall(broken);
    EXPECT_FALSE(call.ok);
    EXPECT_EQ(call.script, QStringLiteral("lumerollPreview.fail(\"'%1' is not a valid integer value\")").arg(b.value));
  }
}

TEST(PreviewLinks, OnlyWebAddressesGoToTheBrowser) {
  const struct {
    const char* url;
    bool open;
  } cases[] = {
      {"https://example.org/news.html", true}, {"http://example.org", true},   {"mailto:desk@example.org", true},
      {"HTTPS://EXAMPLE.ORG", true},           {"javascript:alert(1)", false}, {"file:///etc/passwd", false},
      {"lumeroll-preview://box/news.html", false}, {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsOpenableLink(QUrl(QString::fromLatin1(c.url))), c.open) << c.url;
}

// A configuration too large for one short call goes in bounded parts that,
// joined, are the whole of it; the call that shows the box takes them.
TEST(PreviewCall, ALargeConfigurationGoesInBoundedParts) {
  TkvdAppletAgent agent;
  TPreviewSnapshot snapshot{DefaultAppletData(), {}, agent.ScriptFiles};
  for (int k = 0; k < 2000; ++k) {
    TItemData item;
    item.ICaption = "Item " + std::to_string(k);
    item.IContent = std::string(200, 'x');
    snapshot.items.push_back(item);
  }
  const TPreviewCall call = BuildPreviewCall(snapshot);
  ASSERT_TRUE(call.ok);
  ASSERT_GE(call.parts.size(), 2);
  EXPECT_EQ(call.script, QStringLiteral("lumerollPreview.show(lumerollPreview.takeParts())"));
  QString joined;
  for (const QString& part : call.parts) {
    ASSERT_TRUE(part.startsWith("lumerollPreview.part(\"") && part.endsWith("\")"));
    const QString literal = part.mid(21, part.size() - 22);
    EXPECT_LE(literal.size(), 2 * kPreviewPartChars);  // escaping at most doubles the common characters
    joined += literal.mid(1, literal.size() - 2);
  }
  snapshot.items.resize(1);
  const QString whole = BuildPreviewCall(snapshot).script;
  // The same start as a small project's literal, and every item in order.
  EXPECT_TRUE(joined.startsWith(whole.mid(22, 200))) << joined.left(200).toStdString();
  EXPECT_TRUE(joined.contains("Item 1999"));
  EXPECT_LT(joined.indexOf("Item 1000"), joined.indexOf("Item 1999"));
}
