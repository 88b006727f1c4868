#include "feed/feed_xml.h"

#include <libxml/tree.h>
#include <libxml/uri.h>

#include <cctype>
#include <memory>

#include "feed/feed_text.h"

namespace {

constexpr const char* kAtomNs = "http://www.w3.org/2005/Atom";
constexpr const char* kAtom03Ns = "http://purl.org/atom/ns#";
constexpr const char* kRss1Ns = "http://purl.org/rss/1.0/";
constexpr const char* kRss090Ns = "http://my.netscape.com/rdf/simple/0.9/";
constexpr const char* kUserlandNs[] = {"http://backend.userland.com/rss2", "http://backend.userland.com/rss"};
constexpr const char* kRdfNs = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr const char* kContentNs = "http://purl.org/rss/1.0/modules/content/";
constexpr const char* kDcNs = "http://purl.org/dc/elements/1.1/";
constexpr const char* kMediaNs = "http://search.yahoo.com/mrss/";
constexpr const char* kItunesNs = "http://www.itunes.com/dtds/podcast-1.0.dtd";
constexpr const char* kXhtmlNs = "http://www.w3.org/1999/xhtml";

const xmlChar* X(const char* s) { return reinterpret_cast<const xmlChar*>(s); }
std::string S(const xmlChar* s) { return s == nullptr ? std::string() : reinterpret_cast<const char*>(s); }

struct TXmlFree {
  void operator()(xmlChar* p) const { xmlFree(p); }
};
std::string Take(xmlChar* s) { return S(std::unique_ptr<xmlChar, TXmlFree>(s).get()); }

std::string NamespaceOf(const xmlNode* n) { return n->ns != nullptr ? S(n->ns->href) : std::string(); }

bool Is(const xmlNode* n, const char* name, const char* ns) {
  if (n == nullptr || n->type != XML_ELEMENT_NODE || xmlStrcmp(n->name, X(name)) != 0) return false;
  if (ns == nullptr) return n->ns == nullptr || n->ns->href == nullptr;
  return n->ns != nullptr && xmlStrcmp(n->ns->href, X(ns)) == 0;
}

const xmlNode* Child(const xmlNode* parent, const char* name, const char* ns) {
  if (parent == nullptr) return nullptr;
  for (const xmlNode* c = parent->children; c != nullptr; c = c->next)
    if (Is(c, name, ns)) return c;
  return nullptr;
}

std::string Attribute(const xmlNode* n, const char* name) {
  return Take(xmlGetNoNsProp(const_cast<xmlNode*>(n), X(name)));
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A media type without parameters, lower case and trimmed.
std::string MediaType(const std::string& type) {
  std::string base = Lower(type.substr(0, type.find(';')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  while (!base.empty() && base.front() == ' ') base.erase(0, 1);
  return base;
}

bool IsHtmlType(const std::string& base) { return base == "html" || base.find("html") != std::string::npos; }
bool IsXmlType(const std::string& base) {
  return base.size() > 4 && (base.compare(base.size() - 4, 4, "+xml") == 0 || base.compare(base.size() - 4, 4, "/xml") == 0);
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

// Base64 as RFC 4648 writes it, line breaks allowed; "" when broken.
std::string Base64Decoded(const std::string& text) {
  std::string out;
  uint32_t bits = 0;
  int count = 0;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    int value;
    if (c >= 'A' && c <= 'Z') value = c - 'A';
    else if (c >= 'a' && c <= 'z') value = c - 'a' + 26;
    else if (c >= '0' && c <= '9') value = c - '0' + 52;
    else if (c == '+' || c == '-') value = 62;
    else if (c == '/' || c == '_') value = 63;
    else if (c == '=') break;
    else if (c <= 0x20) continue;
    else return std::string();
    bits = (bits << 6) | static_cast<uint32_t>(value);
    if (++count == 4) {
      out += static_cast<char>((bits >> 16) & 0xFF);
      out += static_cast<char>((bits >> 8) & 0xFF);
      out += static_cast<char>(bits & 0xFF);
      bits = 0;
      count = 0;
    }
  }
  if (count == 2) out += static_cast<char>((bits >> 4) & 0xFF);
  if (count == 3) {
    out += static_cast<char>((bits >> 10) & 0xFF);
    out += static_cast<char>((bits >> 2) & 0xFF);
  }
  return out;
}

// Text in a media type: HTML read as HTML, other text as it stands; any
// other type holds nothing a person reads.
std::string TextOfType(const std::string& base, const std::string& text) {
  if (IsHtmlType(base)) return HtmlToText(text);
  if (base.rfind("text/", 0) == 0) return CollapseWhiteSpace(text);
  return std::string();
}

// RSS marks its texts up as HTML.
std::string HtmlText(const xmlNode* n) { return n == nullptr ? std::string() : HtmlToText(Content(n)); }
std::string PlainText(const xmlNode* n) { return n == nullptr ? std::string() : CollapseWhiteSpace(Content(n)); }

// An Atom 1.0 text construct or content: "text" (the default) is plain,
// "html" escaped HTML, "xhtml" an inline XHTML tree. Content may name a media
// type instead: XML types inline, text types as text, any other base64.
std::string AtomText(const xmlNode* n) {
  if (n == nullptr) return std::string();
  const std::string type = MediaType(Attribute(n, "type"));
  if (type.empty() || type == "text") return PlainText(n);
  if (type == "html") return HtmlText(n);
  if (type == "xhtml") return NodeText(n);
  if (IsXmlType(type)) return IsHtmlType(type) ? NodeText(n) : std::string();
  if (type.rfind("text/", 0) == 0) return TextOfType(type, Content(n));
  return TextOfType(type, Base64Decoded(Content(n)));
}

// An Atom 0.3 content construct: a media type (text/plain by default) and a
// mode: "xml" (the default) inline, "escaped" as text, "base64" encoded.
std::string Atom03Text(const xmlNode* n) {
  if (n == nullptr) return std::string();
  std::string type = MediaType(Attribute(n, "type"));
  if (type.empty()) type = "text/plain";
  const std::string mode = Lower(Attribute(n, "mode"));
  if (mode == "escaped") return TextOfType(type, Content(n));
  if (mode == "base64") return TextOfType(type, Base64Decoded(Content(n)));
  if (type == "text/plain") return PlainText(n);
  return IsHtmlType(type) ? NodeText(n) : std::string();
}

// Media RSS texts say whether they are plain (the default) or HTML.
std::string MediaText(const xmlNode* n) {
  if (n == nullptr) return std::string();
  return Attribute(n, "type") == "html" ? HtmlText(n) : PlainText(n);
}

// A Media RSS element of the entry, of its media:group or of its first
// media:content.
const xmlNode* MediaChild(const xmlNode* entry, const char* name) {
  if (const xmlNode* own = Child(entry, name, kMediaNs)) return own;
  for (const char* holder : {"group", "content"}) {
    const xmlNode* h = Child(entry, holder, kMediaNs);
    if (const xmlNode* held = Child(h, name, kMediaNs)) return held;
    if (const xmlNode* deeper = Child(Child(h, "content", kMediaNs), name, kMediaNs)) return deeper;
  }
  return nullptr;
}

// Where the format's own title and summary are empty, the extensions that
// podcasts and older feeds use instead, in this order.
void FillFromExtensions(const xmlNode* entry, TFeedEntry& e) {
  if (e.title.empty()) e.title = PlainText(Child(entry, "title", kDcNs));
  if (e.title.empty()) e.title = MediaText(MediaChild(entry, "title"));
  if (e.summary.empty()) e.summary = HtmlText(Child(entry, "encoded", kContentNs));
  if (e.summary.empty()) e.summary = NodeText(Child(entry, "body", kXhtmlNs));
  if (e.summary.empty()) e.summary = PlainText(Child(entry, "description", kDcNs));
  if (e.summary.empty()) e.summary = HtmlText(Child(entry, "summary", kItunesNs));
  if (e.summary.empty()) e.summary = PlainText(Child(entry, "subtitle", kItunesNs));
  if (e.summary.empty()) e.summary = MediaText(MediaChild(entry, "description"));
}

void ReadRssItem(const xmlDoc* doc, const xmlNode* item, const char* ns, TFeed& out) {
  TFeedEntry e;
  e.title = HtmlText(Child(item, "title", ns));
  const xmlNode* link = Child(item, "link", ns);
  std::string href = CollapseWhiteSpace(Content(link));
  if (href.empty()) {
    // RSS 2.0 may give only a permanent guid.
    if (const xmlNode* guid = Child(item, "guid", ns); guid && Attribute(guid, "isPermaLink") != "false") {
      href = CollapseWhiteSpace(Content(guid));
      link = guid;
    }
  }
  e.link = Resolved(doc, link != nullptr ? link : item, href);
  e.summary = HtmlText(Child(item, "description", ns));
  FillFromExtensions(item, e);
  out.entries.push_back(std::move(e));
}

void ReadAtomEntry(const xmlDoc* doc, const xmlNode* entry, const char* ns, TFeed& out) {
  const bool old = ns == kAtom03Ns;
  const auto text = [old](const xmlNode* n) { return old ? Atom03Text(n) : AtomText(n); };
  TFeedEntry e;
  e.title = text(Child(entry, "title", ns));
  const xmlNode* chosen = nullptr;
  for (const xmlNode* c = entry->children; c != nullptr; c = c->next) {
    if (!Is(c, "link", ns)) continue;
    const std::string rel = Attribute(c, "rel");
    if (rel.empty() || rel == "alternate") {
      chosen = c;
      break;
    }
    if (chosen == nullptr) chosen = c;
  }
  if (chosen != nullptr) e.link = Resolved(doc, chosen, CollapseWhiteSpace(Attribute(chosen, "href")));
  e.summary = text(Child(entry, "summary", ns));
  // Content given by reference (src=) has nothing inline to show; Atom 0.3
  // may give several alternatives, of which the first readable one counts.
  for (const xmlNode* c = entry->children; c != nullptr && e.summary.empty(); c = c->next)
    if (Is(c, "content", ns) && Attribute(c, "src").empty()) e.summary = text(c);
  FillFromExtensions(entry, e);
  out.entries.push_back(std::move(e));
}

bool Cancelled(const std::atomic<bool>* cancel) { return cancel != nullptr && cancel->load(); }

// The items of a channel or an RDF document: the children named `name` in
// namespace `ns`.
TResult ReadChildren(const xmlDoc* doc, const xmlNode* parent, const char* name, const char* ns,
                     const std::atomic<bool>* cancel, TFeed& out) {
  const bool atom = ns == kAtomNs || ns == kAtom03Ns;
  for (const xmlNode* c = parent->children; c != nullptr; c = c->next) {
    if (!Is(c, name, ns)) continue;
    if (Cancelled(cancel)) return TResult::Fail("cancelled");
    if (atom) ReadAtomEntry(doc, c, ns, out);
    else ReadRssItem(doc, c, ns, out);
  }
  return TResult::Ok();
}

}  // namespace

TResult ReadXmlFormats(const xmlDoc* doc, const std::atomic<bool>* cancel, TFeed& out) {
  const xmlNode* root = xmlDocGetRootElement(const_cast<xmlDoc*>(doc));
  if (root == nullptr) return TResult::Fail("the feed has no root element");
  const std::string rootNs = NamespaceOf(root);
  if (xmlStrcmp(root->name, X("rss")) == 0 &&
      (rootNs.empty() || rootNs == kUserlandNs[0] || rootNs == kUserlandNs[1])) {
    const char* ns = rootNs.empty() ? nullptr : (rootNs == kUserlandNs[0] ? kUserlandNs[0] : kUserlandNs[1]);
    const std::string version = Attribute(root, "version");
    out.format = version.empty() ? "RSS" : "RSS " + version;
    const xmlNode* channel = Child(root, "channel", ns);
    if (channel == nullptr) return TResult::Fail("the " + out.format + " feed has no channel");
    return ReadChildren(doc, channel, "item", ns, cancel, out);
  }
  if (Is(root, "RDF", kRdfNs)) {
    // RSS 1.0 and its forerunner 0.90 differ, for a reader, in the namespace.
    const bool old = Child(root, "channel", kRss090Ns) != nullptr || Child(root, "item", kRss090Ns) != nullptr;
    out.format = old ? "RSS 0.90" : "RSS 1.0";
    return ReadChildren(doc, root, "item", old ? kRss090Ns : kRss1Ns, cancel, out);
  }
  if (Is(root, "feed", kAtomNs)) {
    out.format = "Atom";
    return ReadChildren(doc, root, "entry", kAtomNs, cancel, out);
  }
  if (Is(root, "feed", kAtom03Ns)) {
    out.format = "Atom 0.3";
    return ReadChildren(doc, root, "entry", kAtom03Ns, cancel, out);
  }
  if (xmlStrcasecmp(root->name, X("html")) == 0) return TResult::Fail("this is a web page (HTML), not a feed");
  std::string what = "<" + S(root->name) + ">";
  if (!rootNs.empty()) what += " in the namespace " + rootNs;
  return TResult::Fail("this is not an RSS, Atom or JSON feed (its root element is " + what + ")");
}
