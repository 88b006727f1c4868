#!/usr/bin/env bash
# lumeroll-cli script, page and publish on the worked example, in a
# temporary folder: bytes to stdout, the five published files, a clear
# failure for a project that cannot be rendered, and exit 1 when the runtime
# script cannot be found beside a copied executable.
set -uo pipefail
cli=$1 golden=$2
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
fails=0
check() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; fails=$((fails + 1)); fi; }

cp "$golden/worked_example.jslr" "$work/news.jslr"
"$cli" script "$work/news.jslr" >"$work/script.out"
check "script prints the configuration script" 'cmp -s "$work/script.out" "$golden/worked_example.js"'
"$cli" page "$work/news.jslr" >"$work/page.out"
check "page prints the page" 'cmp -s "$work/page.out" "$golden/page.html"'

mkdir "$work/site"
"$cli" publish "$work/news.jslr" "$work/site" >/dev/null 2>"$work/publish.err"
check "publish succeeds" '[[ $? == 0 ]]'
check "publish writes the five files" \
  '[[ $(cd "$work/site" && ls | tr "\n" " ") == "news.html news.jslr news_PublishReport.txt orvantalumeroll.js orvantalumeroll_news1_cfg.js " ]]'
check "published script is the generated one" 'cmp -s "$work/site/orvantalumeroll_news1_cfg.js" "$golden/worked_example.js"'
check "published report" 'cmp -s "$work/site/news_PublishReport.txt" "$golden/publish_report.txt"'
check "no progress bar when stderr is not a terminal" '[[ ! -s $work/publish.err ]]'
"$cli" publish "$work/news.jslr" >/dev/null 2>&1
check "publish defaults to the project folder" '[[ -f $work/news.html && -f $work/orvantalumeroll.js ]]'

"$cli" script "$golden/bad_cursor.jslr" >"$work/bad.out" 2>"$work/bad.err"
check "unrenderable cursor fails" '[[ $? == 1 && ! -s $work/bad.out ]]'
check "with the conversion message" 'grep -q "'"'"'pointer'"'"' is not a valid integer value" "$work/bad.err"'

mkdir "$work/injected"
"$cli" publish "$golden/injected_delay.jslr" "$work/injected" >/dev/null 2>"$work/injected.err"
check "a delay that is no number fails publishing" '[[ $? == 1 && ! -e $work/injected/news.html ]]'
check "with the conversion message" \
  'grep -qF "'"'"'0);alert(document.domain);(0'"'"' is not a valid integer value" "$work/injected.err"'

mkdir "$work/lonely" "$work/out2"
cp "$cli" "$work/lonely/lumeroll-cli"
"$work/lonely/lumeroll-cli" publish "$work/news.jslr" "$work/out2" >/dev/null 2>"$work/lonely.err"
check "missing runtime script exits 1" '[[ $? == 1 ]]'
check "and names it" 'grep -q "orvantalumeroll.js was not copied" "$work/lonely.err"'
check "the rest is still published" '[[ -f $work/out2/news.html && -f $work/out2/orvantalumeroll_news1_cfg.js ]]'
check "nothing written beside the executable" '[[ $(ls "$work/lonely") == lumeroll-cli ]]'

"$cli" publish "$work/news.jslr" "$work/absent" >/dev/null 2>&1
check "a missing folder fails" '[[ $? == 1 && ! -e $work/absent ]]'
exit $((fails > 0))
