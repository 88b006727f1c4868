#pragma once
// Feed text is written by third parties. These helpers turn it into values
// that show in the news box exactly as the feed wrote them and that carry no
// markup of the feed onto the page: tags are dropped, entities decoded,
// white space collapsed, and what is left is stored with the characters HTML
// gives meaning to written as entities.

#include <cstddef>
#include <string>
#include <string_view>

struct _xmlNode;

// The visible text of an HTML fragment (UTF-8 in and out): tags removed,
// entities decoded, the insides of script and style dropped, block elements
// and <br> parted by a blank. White space is collapsed.
std::string HtmlToText(std::string_view html);

// The same walk over a parsed tree (an Atom xhtml construct, or the document
// the HTML parser built).
std::string NodeText(const _xmlNode* node);

// Runs of white space (and control characters) become one blank; none at
// either end.
std::string CollapseWhiteSpace(std::string_view text);

// The first `maxWords` blank-separated words of collapsed text; `cut` tells
// whether words were left off.
std::string FirstWords(std::string_view text, size_t maxWords, bool& cut);

// UTF-8 text as a collapsed stored value, written as a person would type it
// into the editor: letters as themselves in the project file's text (UTF-8;
// on Windows the ANSI code page, with a numeric reference for a letter it
// cannot hold), "<" and ">" as "&lt;" and "&gt;" so no text becomes markup,
// "&" as itself where HTML reads it so (before a blank, punctuation or the
// end) and "&amp;" elsewhere. U+0080 to U+009F become Windows-1252's letters
// as in HTML, other control characters are dropped, and the field separator
// "#$@" is removed, since no stored value may hold it.
std::string EncodeText(std::string_view text);

// Removes every "#$@" (also one that a removal brings together), in one pass.
std::string WithoutSeparator(std::string_view text);
