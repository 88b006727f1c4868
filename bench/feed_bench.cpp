// The feed reader against hostile and huge feeds within the 10 MB cap. Each
// case reads a feed whose one title is 1 or 3 MB of a given kind of text
// and turns it into items; the plain title is the baseline the others are
// compared with in the same run. Work that grows faster than the text shows
// as a ratio far above 1.

#include <benchmark/benchmark.h>

#include <string>

#include "feed/feed_items.h"
#include "feed/feed_reader.h"

namespace {

// The title's size in MB is the argument: 1 and 3, so that each case shows
// its own growth as well as its ratio to the plain title.
size_t TitleBytes(const benchmark::State& state) { return static_cast<size_t>(state.range(0)) * 1024 * 1024; }

std::string Repeated(const std::string& unit, size_t bytes) {
  std::string out;
  out.reserve(bytes + unit.size());
  while (out.size() < bytes) out += unit;
  return out;
}

std::string RssWithTitle(const std::string& escapedTitle) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel><title>t</title>"
         "<item><title>" + escapedTitle + "</title><link>https://example.com/1</link>"
         "<description>Short summary</description></item></channel></rss>\n";
}

void ReadTitle(benchmark::State& state, const std::string& feed) {
  for (auto _ : state) {
    TFeed read;
    const TResult r = ReadFeed(feed, "", read);
    if (!r) state.SkipWithError(r.message.c_str());
    TItemArray items = ItemsFromFeed(read, 10);
    benchmark::DoNotOptimize(items);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(feed.size()));
}

// The baseline: words and blanks.
void BM_PlainTitle(benchmark::State& state) { ReadTitle(state, RssWithTitle(Repeated("plain words ", TitleBytes(state)))); }

// Nothing but field separators, each of which must go.
void BM_SeparatorTitle(benchmark::State& state) { ReadTitle(state, RssWithTitle(Repeated("#$@", TitleBytes(state)))); }

// Separators that only meet once the inner ones are gone: "##...#$@...$@".
void BM_NestedSeparatorTitle(benchmark::State& state) {
  const size_t n = TitleBytes(state) / 3;
  ReadTitle(state, RssWithTitle(std::string(n, '#') + Repeated("$@", 2 * n)));
}

// Ampersands, half of which must be written "&amp;".
void BM_AmpersandTitle(benchmark::State& state) {
  ReadTitle(state, RssWithTitle(Repeated("&amp; &amp;x", TitleBytes(state))));
}

// Escaped HTML tags, nested and left open.
void BM_TagTitle(benchmark::State& state) {
  ReadTitle(state, RssWithTitle(Repeated("&lt;b&gt;x&lt;i&gt;y", TitleBytes(state))));
}

// Letters past ASCII and references HTML maps to Windows-1252.
void BM_LetterTitle(benchmark::State& state) {
  ReadTitle(state, RssWithTitle(Repeated("Gr\xC3\xBC\xC3\x9F" "e &amp;#146; ", TitleBytes(state))));
}

// HTML's entities under the RSS 0.91 document type, each a node of its own
// until the reader puts its letter in.
void BM_EntityTitle(benchmark::State& state) {
  ReadTitle(state, "<?xml version=\"1.0\"?><!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD RSS 0.91//EN\" "
                   "\"rss-0.91.dtd\"><rss version=\"0.91\"><channel><title>t</title><item><title>" +
                       Repeated("caf&eacute; ", TitleBytes(state)) +
                       "</title><link>https://example.com/1</link></item></channel></rss>");
}

// 10 MB of small entries, of which the box takes ten.
void BM_ManyEntries(benchmark::State& state) {
  std::string items;
  for (int k = 0; items.size() < 10 * 1024 * 1024 - 200; ++k)
    items += "<item><title>Entry " + std::to_string(k) + "</title><link>https://example.com/" + std::to_string(k) +
             "</link><description>Its &lt;b&gt;summary&lt;/b&gt;</description></item>\n";
  ReadTitle(state, "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel>" + items + "</channel></rss>");
}

}  // namespace

BENCHMARK(BM_PlainTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeparatorTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NestedSeparatorTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AmpersandTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LetterTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntityTitle)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManyEntries)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
