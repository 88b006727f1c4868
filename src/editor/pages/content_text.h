#pragma once
// The item content's two forms: stored, it is one line whose line breaks are
// "<br />" marks; on the Item page it is plain lines. Both directions work on
// bytes, so text the page did not change keeps every byte it had.

#include <string>
#include <string_view>

// Every line of `text` (lines end at CR LF, CR or LF) followed by "<br />".
// An empty text gives the empty text; an empty line after the last line
// break is not a line.
std::string JoinContentLines(std::string_view text);

// `content` with every "<br />", in any letter case, turned into LF.
std::string ContentToText(std::string_view content);
