#!/usr/bin/env bash
# A hostile feed taken in with lumeroll-cli feed, published, and opened in
# headless Chromium: every headline shows, and nothing the feed carried runs.
# Each of the feed's payloads would set a data-pwned attribute on the page.
# A feed of letters and ampersands shows on the page as it does in the editor.
set -euo pipefail
cli=$1
feeds=$2
chromium=${LUMEROLL_CHROMIUM:-/usr/bin/chromium}

work=$(mktemp -d "${TMPDIR:-/tmp}/lumeroll-feed-browser-XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" feed "$feeds/hostile_rss.xml" "$work/news.jslr"
"$cli" publish "$work/news.jslr" >/dev/null

"$chromium" --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
  --disable-sync --no-first-run --user-data-dir="$work/profile" --virtual-time-budget=3000 \
  --dump-dom "file://$work/news.html" >"$work/dom.html" 2>"$work/chromium.log" ||
  { cat "$work/chromium.log" >&2; fail "chromium did not run"; }

dom=$(cat "$work/dom.html")
[[ -n $dom ]] || fail "empty page"
for headline in 'Quarterly results' 'Tag soup: and a "quote" &amp; more here' 'Data link' 'Attribute breakout' \
  'Entity-coded scheme' 'Profits rose 4%.' 'Text after svg' "Quote ' and backslash \\ stay text"; do
  grep -qF -- "$headline" <<<"$dom" || fail "headline missing: $headline"
done
if grep -qF 'data-pwned=' <<<"$dom"; then
  fail "a script of the feed ran: $(grep -oE '<[a-z]+ [^>]*data-pwned="[^"]*"' <<<"$dom" | head -1)"
fi
grep -qiE '<(img|svg|iframe|object)[ >]' <<<"$dom" && fail "markup of the feed reached the page"
grep -qiE 'href="(javascript|data|vbscript):' <<<"$dom" && fail "a script link reached the page"
scripts=$(grep -oi '<script' <<<"$dom" | wc -l)
[[ $scripts == 2 ]] || fail "expected the page's own two scripts, found $scripts"

mkdir "$work/letters"
"$cli" feed "$feeds/letters_rss.xml" "$work/letters/news.jslr" >/dev/null
"$cli" publish "$work/letters/news.jslr" >/dev/null
"$chromium" --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
  --disable-sync --no-first-run --user-data-dir="$work/profile2" --virtual-time-budget=3000 \
  --dump-dom "file://$work/letters/news.html" >"$work/letters.html" 2>"$work/chromium.log" ||
  { cat "$work/chromium.log" >&2; fail "chromium did not run"; }
# The dump writes text back with "&", "<" and ">" escaped.
for text in 'Grüße aus Köln' 'Fish &amp; Chips, AT&amp;T &amp; R&amp;D: 3 &lt; 4' 'Don’t miss it'; do
  grep -qF -- "$text" "$work/letters.html" || fail "text missing: $text"
done
echo "ok: headlines shown, no feed script ran, letters shown as letters"
