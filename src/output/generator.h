#pragma once
// The code generator: from a project to the configuration script (which
// hands every item and the box settings to the runtime script) and the small
// page whose body holds the snippet to paste into a web page. Pure: it reads
// nothing but its arguments and writes nothing.

#include <string>

#include "model/applet_data.h"
#include "model/vocabulary.h"

struct TGeneratedCode {
  bool ok = true;
  // On failure the conversion error; `script` then holds the first line and
  // the item lines only, and `page` is empty.
  std::string message;
  std::string script;
  std::string page;
};

// scriptFiles: the runtime script's name, then the configuration script's.
TGeneratedCode GenerateCode(const TAppletData& applet, const TItemArray& items, const TStringArray& scriptFiles);

// The item lines of entries [first, first + count) exactly as GenerateCode
// writes them (each ended with CR LF), appended to `out`: a long script can
// then be written a piece at a time.
void AppendItemLines(const TAppletData& applet, const TItemArray& items, size_t first, size_t count,
                     std::string& out);

// One item's call, without its line end.
std::string ItemLine(const TAppletData& applet, const TItemData& item);

// The box line without its line end, or the conversion error of the first
// value that cannot be rendered (a number that is not a whole number, a
// border style or cursor that is not a list position).
TConversion BoxLine(const TAppletData& applet);

// Whether applet field `field` (TAppletData::Field's order) is carried by the
// box line alone: a change of it leaves every item line as it was.
bool InBoxLineOnly(int field);

// Makes a text safe inside a single-quoted script string: backslash, quote,
// CR and LF become escapes; every other byte stays as it is.
std::string EscapeSingleQuoted(const std::string& text);
// The same for a double-quoted string: backslash and double quote.
std::string EscapeDoubleQuoted(const std::string& text);
