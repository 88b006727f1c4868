#include "output/generator.h"

#include <algorithm>

#include "model/applet_agent.h"
#include "model/text_lines.h"
#include "model/vocabulary.h"
#include "output/product_info.h"

namespace {

std::string EscapeBytes(const std::string& text, bool singleQuoted) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\'': out += singleQuoted ? "\\'" : "'"; break;
      case '"': out += singleQuoted ? "\"" : "\\\""; break;
      case '\r': out += singleQuoted ? "\\r" : "\r"; break;
      case '\n': out += singleQuoted ? "\\n" : "\n"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string PageText(const std::string& runtimeScript) {
  std::string page;
  for (const std::string& line :
       {std::string("<html>"), std::string("<head>"), std::string("<title>Preview</title>"), std::string("</head>"),
        std::string("<body>"), std::string(), std::string("<!-- JavaScript Lumeroll 1.0 -->"),
        std::string("<!-- ") + kCopyrightNotice + " -->", std::string("<!-- ") + kHomePageAddress + " -->",
        std::string("<!-- NOTE: Please insert these codes into <body> section of web pages. -->"),
        "<script language=\"javascript\" src=\"" + runtimeScript + "\"></script>",
        std::string("<script language=\"javascript\" src=\"") + kConfigScriptName + "\"></script>",
        std::string("<!-- END -->"), std::string(), std::string("</body>"), std::string("</html>")})
    AppendLine(page, line);
  return page;
}

}  // namespace

std::string EscapeSingleQuoted(const std::string& text) { return EscapeBytes(text, true); }
std::string EscapeDoubleQuoted(const std::string& text) { return EscapeBytes(text, false); }

namespace {

// The parts of an item line that depend on the box settings alone, built
// and escaped once per generation.
struct TItemTemplate {
  explicit TItemTemplate(const TAppletData& a)
      : head("jslumeroll1.awkmaNBSPm('" +
             EscapeSingleQuoted("<p align=\"" + AlignKeyword(a.pTitleAlign) + "\" style=\"padding:" +
                                PixelValue(a.pTitlePadding) + ";\"><a style=\"font-family:" + a.pTitleFontFamily +
                                ";font-size:" + PixelValue(a.pTitleSize) + ";font-weight:" +
                                WeightKeyword(a.pTitleBold) + ";font-style:" + StyleKeyword(a.pTitleItalic) +
                                ";color:" + ColorValue(a.pTitleColor) + ";\"")),
        middle(EscapeSingleQuoted("</a></p><p align=\"" + AlignKeyword(a.pContentAlign) +
                                  "\" style=\"font-family:" + a.pContentFontFamily + ";font-size:" +
                                  PixelValue(a.pContentSize) + ";font-weight:" + WeightKeyword(a.pContentBold) +
                                  ";font-style:" + StyleKeyword(a.pContentItalic) + ";padding:" +
                                  PixelValue(a.pContentPadding) + ";color:" + ColorValue(a.pContentColor) + ";\">")) {}

  void Append(std::string& out, const TItemData& item) const {
    out += head;
    out += EscapeSingleQuoted(LinkAttributes(item.ILink, item.ITarget));
    out += '>';
    out += EscapeSingleQuoted(item.ICaption);
    out += middle;
    out += EscapeSingleQuoted(item.IContent);
    out += "</p>');";
  }

  std::string head;
  std::string middle;
};

}  // namespace

std::string ItemLine(const TAppletData& a, const TItemData& item) {
  std::string line;
  TItemTemplate(a).Append(line, item);
  return line;
}

void AppendItemLines(const TAppletData& a, const TItemArray& items, size_t first, size_t count, std::string& out) {
  const TItemTemplate itemTemplate(a);
  const size_t end = std::min(items.size(), first + count);
  for (size_t k = first; k < end; ++k) {
    itemTemplate.Append(out, items[k]);
    out += "\r\n";
  }
}

TGeneratedCode GenerateCode(const TAppletData& a, const TItemArray& items, const TStringArray& scriptFiles) {
  TGeneratedCode out;
  AppendLine(out.script, "jslumeroll1=new awkmanbSPM();");
  const TItemTemplate itemTemplate(a);
  size_t estimate = 0;
  for (const TItemData& item : items)
    estimate += itemTemplate.head.size() + itemTemplate.middle.size() + item.ICaption.size() + item.IContent.size() + 64;
  out.script.reserve(estimate + 256);
  for (const TItemData& item : items) {
    itemTemplate.Append(out.script, item);
    out.script += "\r\n";
  }

  const TConversion borderStyle = BorderStyleKeyword(a.pBorderStyle);
  const TConversion cursor = borderStyle.ok ? CursorKeyword(a.pCursor) : TConversion{};
  for (const TConversion* c : {&borderStyle, &cursor}) {
    if (!c->ok) {
      out.ok = false;
      out.message = c->text;
      return out;
    }
  }
  AppendLine(out.script, "jslumeroll1.awkmbnbspm(" + a.pDelay + "," + a.pWidth + "," + a.pHeight + "," +
                             a.pBorderWidth + "," + Quoted(borderStyle.text) + "," +
                             Quoted(EscapeDoubleQuoted(ColorValue(a.pBorderColor))) + "," + a.pPadding + "," +
                             Quoted(EscapeDoubleQuoted(ColorValue(a.pBackgroundColor))) + "," + a.pZIndex + "," +
                             Quoted(cursor.text) + ");");
  out.page = PageText(scriptFiles.empty() ? std::string(kRuntimeScriptName) : scriptFiles[0]);
  return out;
}
