// Fetching over http from a server the test starts on 127.0.0.1: what
// works, and each limit that must stop a transfer.

#include <gtest/gtest.h>

#include "feed/feed_fetch.h"
#include "feed/feed_import.h"
#include "feed_test_support.h"

namespace {

class FeedFetch : public TFeedServerSuite {};

TEST_F(FeedFetch, FeedsAndRedirectsUpToFiveAreRead) {
  for (const std::string path : {"/files/wordpress_rss.xml", "/redirect/1", "/redirect/5"}) {
    SCOPED_TRACE(path);
    TFetched fetched;
    const TResult r = FetchSource(Url(path), {}, fetched);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(fetched.bytes, ReadAll(FeedFile("wordpress_rss.xml")));
    // Relative links resolve against where the bytes finally came from.
    EXPECT_EQ(fetched.address, Url("/files/wordpress_rss.xml"));
  }
}

TEST_F(FeedFetch, RelativeLinksResolveAgainstTheFeedsAddress) {
  TItemArray items;
  ASSERT_TRUE(ReadFeedItems(Url("/files/feed.json"), 10, {}, items).ok);
  ASSERT_GE(items.size(), 2u);
  EXPECT_EQ(items[1].ILink, Url("/2026/11/storm"));
}

TEST_F(FeedFetch, EachLimitStopsTheTransferWithAMessage) {
  TFetchLimits quick;
  quick.timeoutMs = 700;
  TFetchLimits small;
  small.maxBytes = 64 * 1024;
  const struct {
    std::string path;
    TFetchLimits limits;
    std::string message;
  } cases[] = {
      {"/missing", {}, "the server answered 404"},
      {"/moved-without-location", {}, "the server answered 301"},
      {"/redirect/6", {}, "more than 5 redirects"},
      {"/loop", {}, "more than 5 redirects"},
      {"/to-file", {}, "not http or https"},
      {"/slow", quick, "no complete answer within 700 milliseconds"},
      {"/huge", small, "larger than 65536 bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    TFetched fetched;
    const TResult r = FetchSource(Url(c.path), c.limits, fetched);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(Url(c.path)), std::string::npos) << r.message;
  }
  // Credentials in the address are not repeated in the message.
  std::string withCredentials = Url("/missing");
  withCredentials.insert(withCredentials.find("://") + 3, "user:secret@");
  TFetched fetched;
  const TResult r = FetchSource(withCredentials, {}, fetched);
  EXPECT_NE(r.message.find("://***@"), std::string::npos) << r.message;
  EXPECT_EQ(r.message.find("secret"), std::string::npos) << r.message;
}

TEST_F(FeedFetch, ACancelledTransferStops) {
  std::atomic<bool> cancel{true};
  TFetchLimits limits;
  limits.cancel = &cancel;
  TFetched fetched;
  const TResult r = FetchSource(Url("/slow"), limits, fetched);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "cancelled");
}

// A self-signed certificate for 127.0.0.1: refused unless the test trusts it
// explicitly, which shows that certificates are checked and https works.
TEST(FeedFetchTls, CertificatesAreVerified) {
  TFeedServer server(true);
  ASSERT_FALSE(server.BaseUrl().empty()) << "the https test server did not start";
  const std::string url = server.BaseUrl() + "/files/rss1.rdf";
  TFetched fetched;
  const TResult refused = FetchSource(url, {}, fetched);
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.message.find("certificate"), std::string::npos) << refused.message;
  TFetchLimits trusting;
  trusting.caFile = TlsFile("localhost.crt");
  const TResult r = FetchSource(url, trusting, fetched);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(fetched.bytes, ReadAll(FeedFile("rss1.rdf")));
}

TEST(FeedFetchAddress, NothingButHttpHttpsAndFilesIsReached) {
  for (const std::string source : {"gopher://127.0.0.1/", "ftp://127.0.0.1/feed", "dict://127.0.0.1:11211/stat",
                                   "ldap://127.0.0.1/", "file://remote.example.com/feed.xml"}) {
    TFetched fetched;
    const TResult r = FetchSource(source, {}, fetched);
    EXPECT_FALSE(r.ok) << source;
  }
  EXPECT_TRUE(IsWebAddress("HTTPS://example.com/"));
  EXPECT_FALSE(IsWebAddress("C:\\feeds\\news.xml"));
  TFetched fetched;
  ASSERT_TRUE(FetchSource("file://" + FeedFile("rss1.rdf"), {}, fetched).ok);
  EXPECT_EQ(fetched.bytes, ReadAll(FeedFile("rss1.rdf")));
}

}  // namespace
