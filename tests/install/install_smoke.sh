#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed copy as
# an ordinary user who cannot write there: lumeroll-cli publishes a template,
# and the editor, started on the offscreen platform with a project, must set
# up its per-user folder and the file association and leave the prefix as
# installed.
#   install_smoke.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/lumeroll bin/lumeroll-cli share/javascript-lumeroll/orvantalumeroll.js \
         share/applications/javascript-lumeroll.desktop share/mime/packages/javascript-lumeroll.xml \
         share/icons/hicolor/scalable/apps/javascript-lumeroll.svg; do
  [[ -e $prefix/$f ]] || fail "not installed: $f"
done
ls "$prefix"/share/javascript-lumeroll/templates/*.jslr >/dev/null || fail "no seed templates installed"

# Every file of the prefix with its checksum, to see that nothing changed.
snapshot() { (cd "$prefix" && find . -printf '%y %m %p\n' | sort && find . -type f -exec md5sum {} + | sort); }
before=$(snapshot)

home=$tmp/home
mkdir -p "$home/projects" "$home/run"
chmod 700 "$home/run"
template=$(ls "$prefix"/share/javascript-lumeroll/templates/*.jslr | head -n 1)
cp "$template" "$home/projects/news.jslr"

# Run as nobody when we are root, else as ourselves; either way the prefix
# must not be writable by the user.
as_user=()
if [[ $(id -u) == 0 ]]; then
  chown -R nobody:nogroup "$home"
  chmod -R go-w "$prefix"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
  chmod -R a-w "$prefix"
fi
run() {
  env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen "${as_user[@]}" "$@"
}
run test ! -w "$prefix/bin" || fail "the prefix is writable by the test user"

# The command-line tool finds its runtime script under share/ and publishes.
run mkdir "$home/published"
run "$prefix/bin/lumeroll-cli" publish "$home/projects/news.jslr" "$home/published" >/dev/null
for f in news.html orvantalumeroll.js orvantalumeroll_news1_cfg.js news.jslr news_PublishReport.txt; do
  [[ -s $home/published/$f ]] || fail "lumeroll-cli publish did not write $f"
done
cmp -s "$home/published/orvantalumeroll.js" "$prefix/share/javascript-lumeroll/orvantalumeroll.js" ||
  fail "the published runtime script is not the installed one"

# The editor runs until the timeout ends it.
status=0
run timeout 5 "$prefix/bin/lumeroll" "$home/projects/news.jslr" >"$tmp/editor.log" 2>&1 || status=$?
[[ $status == 0 || $status == 124 ]] || { cat "$tmp/editor.log" >&2; fail "lumeroll exited with $status"; }

working="$home/.local/share/KVD/JavaScript Lumeroll"
[[ -f $working/recentfile.dat ]] || fail "no recentfile.dat in the per-user folder"
grep -qF "&1 $home/projects/news.jslr" "$working/recentfile.dat" || fail "the project did not open (recent list)"
[[ $(ls "$working"/templates/*.jslr | wc -l) == $(ls "$prefix"/share/javascript-lumeroll/templates/*.jslr | wc -l) ]] ||
  fail "the seed templates were not copied into the per-user folder"
[[ -f $home/.local/share/mime/packages/javascript-lumeroll.xml ]] || fail "no mime package under XDG_DATA_HOME"
desktop=$home/.local/share/applications/javascript-lumeroll.desktop
[[ -f $desktop ]] || fail "no desktop entry under XDG_DATA_HOME"
grep -qF "Exec=\"$prefix/bin/lumeroll\" %f" "$desktop" || fail "the desktop entry does not start the installed program"

[[ $(snapshot) == "$before" ]] || fail "the installed copy wrote into its prefix"
echo "install smoke test passed"
