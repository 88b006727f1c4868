#pragma once
// How a feed's bytes are encoded, in the order XML and HTTP give it
// (RFC 7303): a byte order mark first, then the charset of the answer's
// Content-Type, then what the document itself declares. JSON is told apart
// by RFC 8259's rules (UTF-8, or UTF-16/32 recognised by its zero bytes).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct TFeedEncoding {
  // An encoding name libxml2 and iconv know ("UTF-16LE"), or "" when the
  // bytes are ASCII-compatible (UTF-8 or an 8-bit or multi-byte code page)
  // or EBCDIC, whose exact code page only the declaration names.
  std::string name;
  // Bytes of a byte order mark at the start.
  size_t markLength = 0;
  // The width of one code unit (1, 2 or 4) and its byte order.
  int unitSize = 1;
  bool bigEndian = false;
  bool ebcdic = false;
};

// The encoding the first bytes show: a byte order mark, or the zero bytes
// of UTF-16/32 around an ASCII character, or EBCDIC's "<?xm".
TFeedEncoding DetectEncoding(std::string_view bytes);

// The first character past the mark and leading blanks ('\0' when there is
// none); `offset` is where it starts.
char FirstCharacter(std::string_view bytes, const TFeedEncoding& encoding, size_t& offset);

// The charset parameter of a Content-Type value, unquoted ("" when none).
std::string CharsetOf(std::string_view contentType);

// UTF-16 or UTF-32 text (without its mark) as UTF-8; false on a broken unit
// sequence.
bool WideToUtf8(std::string_view bytes, const TFeedEncoding& encoding, std::string& out);

// Appends a code point as UTF-8.
void AppendUtf8(std::string& out, uint32_t cp);
