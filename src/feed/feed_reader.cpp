#include "feed/feed_reader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/uri.h>

#include <cctype>
#include <cstdint>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>

#include "feed/feed_text.h"

namespace {

constexpr const char* kAtomNs = "http://www.w3.org/2005/Atom";
constexpr const char* kRss1Ns = "http://purl.org/rss/1.0/";
constexpr const char* kRdfNs = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr const char* kContentNs = "http://purl.org/rss/1.0/modules/content/";

const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }
std::string S(const xmlChar* s) { return s == nullptr ? std::string() : reinterpret_cast<const char*>(s); }

struct TXmlFree {
  void operator()(xmlChar* p) const { xmlFree(p); }
};
using TXmlString = std::unique_ptr<xmlChar, TXmlFree>;
std::string Take(xmlChar* s) { return S(TXmlString(s).get()); }

bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The bytes after a byte order mark and leading blanks.
std::string_view Trimmed(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  while (!bytes.empty() && IsBlankByte(bytes.front())) bytes.remove_prefix(1);
  return bytes;
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

bool Is(const xmlNode* n, const char* name, const char* ns) {
  if (n == nullptr || n->type != XML_ELEMENT_NODE || xmlStrcmp(n->name, X(name)) != 0) return false;
  if (ns == nullptr) return n->ns == nullptr || n->ns->href == nullptr;
  return n->ns != nullptr && xmlStrcmp(n->ns->href, X(ns)) == 0;
}

const xmlNode* Child(const xmlNode* parent, const char* name, const char* ns) {
  for (const xmlNode* c = parent->children; c != nullptr; c = c->next)
    if (Is(c, name, ns)) return c;
  return nullptr;
}

std::string Attribute(const xmlNode* n, const char* name) {
  return Take(xmlGetNoNsProp(const_cast<xmlNode*>(n), X(name)));
}

std::string Content(const xmlNode* n) { return n == nullptr ? std::string() : Take(xmlNodeGetContent(n)); }

// A link as the node's effective base (xml:base up the tree, then the
// document's own address) makes it.
std::string Resolved(const xmlDoc* doc, const xmlNode* n, const std::string& link) {
  if (link.empty()) return link;
  const std::string base = Take(xmlNodeGetBase(doc, n));
  if (base.empty()) return link;
  xmlChar* built = xmlBuildURI(X(link.c_str()), X(base.c_str()));
  return built == nullptr ? link : Take(built);
}

// RSS (both versions) marks its texts up as HTML.
std::string RssText(const xmlNode* n) { return HtmlToText(Content(n)); }

// An Atom text construct: type "text" (the default) is plain, "html" is
// escaped HTML, "xhtml" an inline XHTML tree.
std::string AtomText(const xmlNode* n) {
  if (n == nullptr) return std::string();
  const std::string type = Attribute(n, "type");
  if (type == "html") return HtmlToText(Content(n));
  if (type == "xhtml") return NodeText(n);
  return CollapseWhiteSpace(Content(n));
}

void ReadRssItem(const xmlDoc* doc, const xmlNode* item, const char* ns, TFeed& out) {
  TFeedEntry e;
  e.title = RssText(Child(item, "title", ns));
  const xmlNode* link = Child(item, "link", ns);
  std::string href = CollapseWhiteSpace(Content(link));
  if (href.empty() && ns == nullptr) {
    // RSS 2.0 may give only a permanent guid.
    if (const xmlNode* guid = Child(item, "guid", nullptr); guid && Attribute(guid, "isPermaLink") != "false") {
      href = CollapseWhiteSpace(Content(guid));
      link = guid;
    }
  }
  e.link = Resolved(doc, link != nullptr ? link : item, href);
  e.summary = RssText(Child(item, "description", ns));
  if (e.summary.empty()) e.summary = RssText(Child(item, "encoded", kContentNs));
  out.entries.push_back(std::move(e));
}

void ReadAtomEntry(const xmlDoc* doc, const xmlNode* entry, TFeed& out) {
  TFeedEntry e;
  e.title = AtomText(Child(entry, "title", kAtomNs));
  const xmlNode* chosen = nullptr;
  for (const xmlNode* c = entry->children; c != nullptr; c = c->next) {
    if (!Is(c, "link", kAtomNs)) continue;
    const std::string rel = Attribute(c, "rel");
    if (rel.empty() || rel == "alternate") {
      chosen = c;
      break;
    }
    if (chosen == nullptr) chosen = c;
  }
  if (chosen != nullptr) e.link = Resolved(doc, chosen, CollapseWhiteSpace(Attribute(chosen, "href")));
  e.summary = AtomText(Child(entry, "summary", kAtomNs));
  if (e.summary.empty()) {
    const xmlNode* content = Child(entry, "content", kAtomNs);
    // Content given by reference (src=) has nothing inline to show.
    if (content != nullptr && Attribute(content, "src").empty()) e.summary = AtomText(content);
  }
  out.entries.push_back(std::move(e));
}

void InitLibxml() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
}

TResult ReadXmlFeed(std::string_view bytes, const std::string& address, TFeed& out) {
  InitLibxml();
  std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> ctxt(xmlNewParserCtxt(), xmlFreeParserCtxt);
  if (!ctxt) return TResult::Fail("out of memory reading the feed");
  // No network, no external DTD, no entity substitution: the feed is data.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA;
  std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
      xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()),
                        address.empty() ? nullptr : address.c_str(), nullptr, options),
      xmlFreeDoc);
  if (!doc || !ctxt->wellFormed) {
    const xmlError* error = xmlCtxtGetLastError(ctxt.get());
    std::string what = error && error->message ? CollapseWhiteSpace(error->message) : "not well-formed";
    if (error && error->line > 0) what = "line " + std::to_string(error->line) + ": " + what;
    return TResult::Fail("the feed is not well-formed XML (" + what + ")");
  }
  if (doc->intSubset != nullptr && doc->intSubset->entities != nullptr)
    return TResult::Fail("the feed declares entities of its own, which a feed never needs; not read");

  const xmlNode* root = xmlDocGetRootElement(doc.get());
  if (Is(root, "rss", nullptr)) {
    const xmlNode* channel = Child(root, "channel", nullptr);
    if (channel == nullptr) return TResult::Fail("the RSS feed has no channel");
    for (const xmlNode* c = channel->children; c != nullptr; c = c->next)
      if (Is(c, "item", nullptr)) ReadRssItem(doc.get(), c, nullptr, out);
    return TResult::Ok();
  }
  if (Is(root, "RDF", kRdfNs)) {
    for (const xmlNode* c = root->children; c != nullptr; c = c->next)
      if (Is(c, "item", kRss1Ns)) ReadRssItem(doc.get(), c, kRss1Ns, out);
    return TResult::Ok();
  }
  if (Is(root, "feed", kAtomNs)) {
    for (const xmlNode* c = root->children; c != nullptr; c = c->next)
      if (Is(c, "entry", kAtomNs)) ReadAtomEntry(doc.get(), c, out);
    return TResult::Ok();
  }
  if (root != nullptr && xmlStrcasecmp(root->name, X("html")) == 0)
    return TResult::Fail("this is a web page (HTML), not a feed");
  return TResult::Fail("this is not an RSS, Atom or JSON feed (its root element is <" +
                       (root ? S(root->name) : std::string()) + ">)");
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

TResult ReadJsonFeed(std::string_view bytes, const std::string& address, TFeed& out) {
  const nlohmann::json feed = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (feed.is_discarded()) return TResult::Fail("the feed is not well-formed JSON");
  if (!feed.is_object() || JsonString(feed, "version").rfind("https://jsonfeed.org/version/", 0) != 0)
    return TResult::Fail("this JSON is not a JSON Feed (no jsonfeed.org version)");
  const auto items = feed.find("items");
  if (items == feed.end() || !items->is_array()) return TResult::Fail("the JSON Feed has no list of items");
  for (const nlohmann::json& item : *items) {
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

TResult ReadFeed(std::string_view bytes, const std::string& address, TFeed& out) {
  InitLibxml();
  const std::string_view text = Trimmed(bytes);
  if (text.empty()) return TResult::Fail("the feed is empty");
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) return TResult::Fail("the feed is too large");
  TFeed feed;
  TResult r;
  if (text.front() == '{') {
    r = ReadJsonFeed(text, address, feed);
  } else if (text.front() == '<') {
    if (LooksLikeHtmlPage(text)) return TResult::Fail("this is a web page (HTML), not a feed");
    // Blank lines before the XML declaration (a common fault of blog
    // software) would make the whole feed unreadable; they are skipped.
    r = ReadXmlFeed(text, address, feed);
  } else {
    r = TResult::Fail("this is not a feed (neither XML nor JSON)");
  }
  if (r) out = std::move(feed);
  return r;
}
