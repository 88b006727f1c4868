#include "output/link_paths.h"

#include <cctype>
#include <string_view>

#include "model/vocabulary.h"

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool IsSlash(char c) { return c == '/' || c == '\\'; }

// A file: address or a path that starts with a drive ("C:\", "C|/"): the
// local file system's spelling, where case does not count on the systems
// such paths come from.
bool IsLocalSpelling(std::string_view s) {
  if (StartsWithNoCase(s, "file:")) return true;
  return s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && (s[1] == ':' || s[1] == '|');
}

// The text compared: the same length as `s`, so a match's length is the
// length of the original prefix. A drive bar "C|" (after the start or a
// slash) reads as "C:", and local spellings are lower-cased.
std::string ComparisonKey(std::string_view s, bool local) {
  std::string key(s);
  for (size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '|' && i >= 1 && std::isalpha(static_cast<unsigned char>(key[i - 1])) &&
        (i == 1 || IsSlash(key[i - 2])))
      key[i] = ':';
    if (local) key[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(key[i])));
  }
  return key;
}

// Where `root` is a prefix of `link` that ends at a boundary (the root ends
// with a slash, or the link goes on with one or ends), its length; else 0.
size_t RootPrefix(const std::string& link, const std::string& root) {
  const bool local = IsLocalSpelling(root) || IsLocalSpelling(link);
  const std::string l = ComparisonKey(link, local), r = ComparisonKey(root, local);
  if (l.compare(0, r.size(), r) != 0) return 0;
  if (IsSlash(r.back()) || l.size() == r.size()) return r.size();
  const char next = l[r.size()];
  return IsSlash(next) || next == '?' || next == '#' ? r.size() : 0;
}

}  // namespace

std::string PublishedLink(const std::string& link, const TAppletData& applet) {
  const std::string local = TrimBlanksAndControls(applet.pInternalUse_RootDir_Local);
  const std::string web = TrimBlanksAndControls(applet.pInternalUse_RootDir_Remote);
  if (local.empty() || web.empty()) return link;
  const bool toLocal = applet.pInternalUse_RootDir_Local_Checked == "1";
  const std::string& from = toLocal ? web : local;
  const std::string& to = toLocal ? local : web;

  const std::string trimmed = TrimBlanksAndControls(link);
  const size_t length = RootPrefix(trimmed, from);
  if (length == 0) return link;
  std::string rest = trimmed.substr(length);
  // A web address has forward slashes only.
  if (!toLocal)
    for (char& c : rest)
      if (c == '\\') c = '/';
  if (!rest.empty() && IsSlash(rest.front()) && IsSlash(to.back())) rest.erase(0, 1);
  if (!rest.empty() && !IsSlash(rest.front()) && rest.front() != '?' && rest.front() != '#' && !IsSlash(to.back()))
    rest.insert(0, 1, toLocal ? (to.find('\\') != std::string::npos ? '\\' : '/') : '/');
  return to + rest;
}
