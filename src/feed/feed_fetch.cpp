#include "feed/feed_fetch.h"

#include <curl/curl.h>

#include <cctype>
#include <fstream>
#include <memory>
#include <mutex>

#include "model/vocabulary.h"

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The scheme of an address ("" for a path). A single letter before the
// colon is a Windows drive, not a scheme.
std::string SchemeOf(const std::string& source) {
  const size_t colon = source.find(':');
  if (colon == std::string::npos || colon < 2) return std::string();
  if (!std::isalpha(static_cast<unsigned char>(source[0]))) return std::string();
  for (size_t i = 1; i < colon; ++i) {
    const char c = source[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') return std::string();
  }
  return Lower(source.substr(0, colon));
}

std::string MegaBytes(size_t bytes) {
  if (bytes >= 1024 * 1024 && bytes % (1024 * 1024) == 0) return std::to_string(bytes / (1024 * 1024)) + " MB";
  return std::to_string(bytes) + " bytes";
}

std::string Seconds(long ms) {
  if (ms % 1000 == 0) return std::to_string(ms / 1000) + " seconds";
  return std::to_string(ms) + " milliseconds";
}

// file:///path (or file://localhost/path) to a path, %XX decoded.
bool FileAddressToPath(const std::string& source, std::string& path) {
  std::string rest = source.substr(5);
  if (rest.rfind("//", 0) != 0) return false;
  rest.erase(0, 2);
  if (Lower(rest.substr(0, 9)) == "localhost") rest.erase(0, 9);
  if (rest.empty() || rest[0] != '/') return false;
  path.clear();
  for (size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && std::isxdigit(static_cast<unsigned char>(rest[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(rest[i + 2]))) {
      path += static_cast<char>(std::stoi(rest.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      path += rest[i];
    }
  }
  return true;
}

TResult ReadFile(const std::string& path, const TFetchLimits& limits, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return TResult::Fail("cannot open " + path);
  // Read at most one byte past the limit, so a huge file (or a device that
  // never ends) is told apart without reading all of it.
  std::string bytes;
  constexpr size_t kChunk = 64 * 1024;
  while (bytes.size() <= limits.maxBytes) {
    if (limits.cancel != nullptr && limits.cancel->load()) return TResult::Fail("cancelled");
    const size_t old = bytes.size();
    bytes.resize(old + kChunk);
    in.read(bytes.data() + old, static_cast<std::streamsize>(kChunk));
    bytes.resize(old + static_cast<size_t>(in.gcount()));
    if (in.bad()) return TResult::Fail("cannot read " + path);
    if (in.eof()) break;
    if (in.fail()) return TResult::Fail("cannot read " + path);
  }
  if (bytes.size() > limits.maxBytes) return TResult::Fail(path + " is larger than " + MegaBytes(limits.maxBytes));
  out = std::move(bytes);
  return TResult::Ok();
}

struct TTransfer {
  std::string body;
  size_t maxBytes = 0;
  bool tooLarge = false;
  const std::atomic<bool>* cancel = nullptr;
  bool cancelled = false;
};

size_t OnData(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<TTransfer*>(user);
  const size_t n = size * count;
  if (t->body.size() + n > t->maxBytes) {
    t->tooLarge = true;
    return 0;  // anything short of n stops the transfer
  }
  t->body.append(data, n);
  return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<TTransfer*>(user);
  if (t->cancel != nullptr && t->cancel->load()) {
    t->cancelled = true;
    return 1;
  }
  return 0;
}

void InitCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

TResult Download(const std::string& url, const TFetchLimits& limits, TFetched& out) {
  InitCurl();
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) return TResult::Fail("cannot start a transfer");
  TTransfer t;
  t.maxBytes = limits.maxBytes;
  t.cancel = limits.cancel;
  char error[CURL_ERROR_SIZE] = {0};
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  // Only http and https, also where a redirect points.
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, limits.maxRedirects);
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, limits.timeoutMs);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!limits.caFile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, limits.caFile.c_str());
  curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
  // Compressed answers are welcome; the size limit counts the unpacked bytes.
  curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_USERAGENT, "JavaScript Lumeroll/1.0");
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, OnData);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);

  const CURLcode code = curl_easy_perform(c);
  const std::string where = "cannot read " + HideAddressCredentials(url) + ": ";
  if (t.cancelled) return TResult::Fail("cancelled");
  if (t.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
    return TResult::Fail(where + "the feed is larger than " + MegaBytes(limits.maxBytes));
  switch (code) {
    case CURLE_OK: break;
    case CURLE_OPERATION_TIMEDOUT:
      return TResult::Fail(where + "no complete answer within " + Seconds(limits.timeoutMs));
    case CURLE_TOO_MANY_REDIRECTS:
      return TResult::Fail(where + "more than " + std::to_string(limits.maxRedirects) + " redirects");
    case CURLE_UNSUPPORTED_PROTOCOL:
      return TResult::Fail(where + "redirected to an address that is not http or https");
    default:
      return TResult::Fail(where + (error[0] ? std::string(error) : std::string(curl_easy_strerror(code))));
  }
  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  // A redirect that could not be followed (a 301 without Location) or any
  // other answer outside 2xx carries no feed, whatever its body holds.
  if (status < 200 || status > 299) return TResult::Fail(where + "the server answered " + std::to_string(status));
  char* effective = nullptr;
  curl_easy_getinfo(c, CURLINFO_EFFECTIVE_URL, &effective);
  out.address = effective != nullptr ? effective : url;
  char* type = nullptr;
  curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &type);
  out.contentType = type != nullptr ? type : "";
  out.bytes = std::move(t.body);
  return TResult::Ok();
}

}  // namespace

bool IsWebAddress(const std::string& source) {
  const std::string scheme = SchemeOf(source);
  return scheme == "http" || scheme == "https";
}

TResult FetchSource(const std::string& source, const TFetchLimits& limits, TFetched& out) {
  const std::string scheme = SchemeOf(source);
  if (scheme == "http" || scheme == "https") return Download(source, limits, out);
  std::string path = source;
  if (scheme == "file") {
    if (!FileAddressToPath(source, path))
      return TResult::Fail("cannot read " + HideAddressCredentials(source) + ": not a local file address");
  } else if (!scheme.empty()) {
    return TResult::Fail("cannot read " + HideAddressCredentials(source) +
                         ": only http and https addresses and files can be read");
  }
  out.address.clear();
  out.contentType.clear();
  return ReadFile(path, limits, out.bytes);
}
