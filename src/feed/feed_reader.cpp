#include "feed/feed_reader.h"

#include <libxml/HTMLparser.h>
#include <libxml/SAX2.h>
#include <libxml/encoding.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/uri.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <vector>

#include "feed/feed_encoding.h"
#include "feed/feed_text.h"
#include "feed/feed_xml.h"

namespace {

const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }
std::string S(const xmlChar* s) { return s == nullptr ? std::string() : reinterpret_cast<const char*>(s); }

std::string Take(xmlChar* s) {
  std::string text = S(s);
  xmlFree(s);
  return text;
}

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlankByte(text.front())) text.remove_prefix(1);
  return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  return true;
}

// A web page where a feed was expected: after the XML declaration and
// comments, an HTML document type or <html> element.
bool LooksLikeHtmlPage(std::string_view text) {
  for (;;) {
    text = Trimmed(text);
    size_t end = std::string_view::npos;
    if (text.substr(0, 2) == "<?") end = text.find("?>");
    else if (text.substr(0, 4) == "<!--") end = text.find("-->");
    else break;
    if (end == std::string_view::npos) return false;
    text.remove_prefix(end + (text[1] == '?' ? 2 : 3));
  }
  return StartsWithNoCase(text, "<!doctype html") || StartsWithNoCase(text, "<html");
}

bool Cancelled(const std::atomic<bool>* cancel) { return cancel != nullptr && cancel->load(); }

void Silent(void*, const char*, ...) {}

void InitLibxml() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
  // libxml2 reports some encoding faults past the parser's own error
  // switch; the reader's message says what went wrong instead.
  xmlSetGenericErrorFunc(nullptr, Silent);
}

// The HTTP charset when libxml2 can read it and it can be right for bytes
// that are ASCII-compatible; "" otherwise, so the declaration decides.
std::string UsableCharset(const std::string& charset) {
  if (charset.empty()) return charset;
  std::string lower;
  for (const char c : charset) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  // A 16- or 32-bit charset would show in the bytes' zeros; US-ASCII is
  // what many servers name for any text, and every feed's encoding holds it.
  if (lower.rfind("utf-16", 0) == 0 || lower.rfind("utf-32", 0) == 0 || lower.rfind("ucs", 0) == 0 ||
      lower.rfind("iso-10646", 0) == 0 || lower == "us-ascii" || lower == "ascii")
    return std::string();
  xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(charset.c_str());
  if (handler == nullptr) return std::string();
  xmlCharEncCloseFunc(handler);
  return charset;
}

// Public identifiers whose document types declare HTML's entities: RSS 0.91
// (Netscape's, which names the Latin-1 ones) and HTML's and XHTML's own.
bool DeclaresHtmlEntities(const xmlDtd* dtd) {
  if (dtd == nullptr || dtd->ExternalID == nullptr) return false;
  const std::string id = S(dtd->ExternalID);
  return id == "-//Netscape Communications//DTD RSS 0.91//EN" || id.rfind("-//W3C//DTD HTML", 0) == 0 ||
         id.rfind("-//W3C//DTD XHTML", 0) == 0;
}

// HTML's entities as libxml2's own predefined ones ("&amp;"), which it puts
// in as characters: made once per name and kept for the program's life,
// each holding its own texts.
struct THtmlEntity {
  std::string name, letter;
  xmlEntity entity{};
};

xmlEntity* HtmlEntity(const xmlChar* name) {
  const htmlEntityDesc* known = htmlEntityLookup(name);
  if (known == nullptr) return nullptr;
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<THtmlEntity>> made;
  const std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<THtmlEntity>& held = made[known->name];
  if (!held) {
    held = std::make_unique<THtmlEntity>();
    held->name = known->name;
    AppendUtf8(held->letter, known->value);
    xmlEntity& e = held->entity;
    e.type = XML_ENTITY_DECL;
    e.etype = XML_INTERNAL_PREDEFINED_ENTITY;
    e.name = X(held->name.c_str());
    e.content = const_cast<xmlChar*>(X(held->letter.c_str()));
    e.orig = e.content;
    e.length = static_cast<int>(held->letter.size());
  }
  return &held->entity;
}

// Where the document type is one that declares HTML's entities, a reference
// nobody declared in the document (allowed when the document type is only
// named, not read) is looked up among them.
xmlEntity* GetEntity(void* context, const xmlChar* name) {
  if (xmlEntity* declared = xmlSAX2GetEntity(context, name)) return declared;
  const auto* ctxt = static_cast<xmlParserCtxt*>(context);
  if (ctxt->myDoc == nullptr || !DeclaresHtmlEntities(ctxt->myDoc->intSubset)) return nullptr;
  return HtmlEntity(name);
}

// Any reference left to an entity that nobody declared is refused: reading
// it would mean loading a document type from elsewhere.
TResult CheckEntityReferences(const xmlDoc* doc) {
  for (const xmlNode* n = doc->children; n != nullptr;) {
    if (n->type == XML_ENTITY_REF_NODE)
      return TResult::Fail("the feed uses the entity &" + S(n->name) +
                           "; without declaring it, which would mean loading a document type; not read");
    if (n->type == XML_ELEMENT_NODE && n->children != nullptr) {
      n = n->children;
      continue;
    }
    while (n != nullptr && n->next == nullptr) n = n->parent;
    if (n != nullptr) n = n->next;
  }
  return TResult::Ok();
}

TResult ReadXmlFeed(std::string_view bytes, const std::string& address, const std::string& encoding,
                    const std::atomic<bool>* cancel, TFeed& out) {
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> ctxt(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!ctxt) return TResult::Fail("out of memory reading the feed");
  ctxt->sax->getEntity = GetEntity;
  // No network, no external DTD, no entity substitution: the feed is data.
  int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
  // An encoding known before the declaration (a mark, the bytes' zeros,
  // HTTP's charset) wins over what the document says of itself.
  if (!encoding.empty()) options |= XML_PARSE_IGNORE_ENC;
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()),
                        address.empty() ? nullptr : address.c_str(), encoding.empty() ? nullptr : encoding.c_str(),
                        options),
      xmlFreeDoc);
  if (!doc || !ctxt->wellFormed) {
    const xmlError* error = xmlCtxtGetLastError(ctxt.get());
    std::string what = error && error->message ? CollapseWhiteSpace(error->message) : "not well-formed";
    if (error && error->line > 0) what = "line " + std::to_string(error->line) + ": " + what;
    if (!encoding.empty()) what += "; read as " + encoding;
    return TResult::Fail("the feed is not well-formed XML (" + what + ")");
  }
  if (Cancelled(cancel)) return TResult::Fail("cancelled");
  if (doc->intSubset != nullptr && (doc->intSubset->entities != nullptr || doc->intSubset->pentities != nullptr))
    return TResult::Fail("the feed declares entities of its own, which a feed never needs; not read");
  if (TResult r = CheckEntityReferences(doc.get()); !r) return r;
  return ReadXmlFormats(doc.get(), cancel, out);
}

std::string JsonString(const nlohmann::json& object, const char* key) {
  const auto it = object.find(key);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::string ResolvedAgainst(const std::string& address, const std::string& link) {
  if (link.empty() || address.empty()) return link;
  xmlChar* built = xmlBuildURI(X(link.c_str()), X(address.c_str()));
  return built == nullptr ? link : Take(built);
}

TResult ReadJsonFeed(std::string_view bytes, const std::string& address, const std::atomic<bool>* cancel,
                     TFeed& out) {
  const nlohmann::json feed = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (feed.is_discarded()) return TResult::Fail("the feed is not well-formed JSON");
  if (!feed.is_object() || JsonString(feed, "version").rfind("https://jsonfeed.org/version/", 0) != 0)
    return TResult::Fail("this JSON is not a JSON Feed (no jsonfeed.org version)");
  out.format = "JSON Feed";
  const auto items = feed.find("items");
  if (items == feed.end() || !items->is_array()) return TResult::Fail("the JSON Feed has no list of items");
  for (const nlohmann::json& item : *items) {
    if (Cancelled(cancel)) return TResult::Fail("cancelled");
    if (!item.is_object()) continue;
    TFeedEntry e;
    e.title = CollapseWhiteSpace(JsonString(item, "title"));
    std::string url = JsonString(item, "url");
    if (url.empty()) url = JsonString(item, "external_url");
    e.link = ResolvedAgainst(address, CollapseWhiteSpace(url));
    e.summary = CollapseWhiteSpace(JsonString(item, "summary"));
    if (e.summary.empty()) e.summary = HtmlToText(JsonString(item, "content_html"));
    if (e.summary.empty()) e.summary = CollapseWhiteSpace(JsonString(item, "content_text"));
    out.entries.push_back(std::move(e));
  }
  return TResult::Ok();
}

}  // namespace

TResult ReadFeed(std::string_view bytes, const std::string& address, TFeed& out, const TFeedReadOptions& options) {
  InitLibxml();
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) return TResult::Fail("the feed is too large");
  const TFeedEncoding encoding = DetectEncoding(bytes);
  size_t start = 0;
  const char first = FirstCharacter(bytes, encoding, start);
  if (first == '\0') return TResult::Fail("the feed is empty");
  // Blank lines before the XML declaration (a common fault of blog
  // software) would make the whole feed unreadable; they are skipped.
  const std::string_view text = bytes.substr(start);
  TFeed feed;
  TResult r;
  if (first == '{') {
    if (encoding.unitSize == 1) {
      r = ReadJsonFeed(text, address, options.cancel, feed);
    } else {
      std::string utf8;
      if (!WideToUtf8(text, encoding, utf8)) return TResult::Fail("the feed is not well-formed JSON (broken " + encoding.name + ")");
      r = ReadJsonFeed(utf8, address, options.cancel, feed);
    }
  } else if (first == '<') {
    if (encoding.unitSize == 1 && !encoding.ebcdic && LooksLikeHtmlPage(text))
      return TResult::Fail("this is a web page (HTML), not a feed");
    std::string name = encoding.name;
    if (name.empty() && !encoding.ebcdic) name = UsableCharset(options.charset);
    r = ReadXmlFeed(text, address, name, options.cancel, feed);
  } else {
    r = TResult::Fail("this is not a feed (neither XML nor JSON)");
  }
  if (r) out = std::move(feed);
  return r;
}
