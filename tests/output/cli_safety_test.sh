#!/usr/bin/env bash
# lumeroll-cli against hostile files, failing disks and other users: every
# failure ends with a message and exit 1, nothing is half-written, nothing of
# another user is replaced. Cases that need root (another user's link, a
# write as an ordinary user) are skipped with a note when not run as root.
set -uo pipefail
cli=$1 tests=$2
golden=$tests/output/golden structures=$tests/model/golden
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fails=0
check() { if eval "$2"; then echo "ok   $1"; else echo "FAIL $1"; fails=$((fails + 1)); fi; }
skip() { echo "skip $1"; }
temps_in() { find "$@" -name '.*.tmp*' | grep -q . && return 1 || return 0; }

header='<Warning_Info>\r\nx\r\nx\r\n</Warning_Info>\r\n<Product_Name>\r\nJavaScript Lumeroll\r\n</Product_Name>\r\n<Product_Version>\r\n1.0\r\n</Product_Version>\r\n<Applet_Parameters>\r\n'
applet=$(sed -n '12p' "$golden/worked_example.jslr" | tr -d '\r')
# project NAME COUNT LEVEL-EXPR [CONTENT]: items at levels given by an awk
# expression of i (the item's index).
project() {
  { printf "$header"; printf '%s\r\n' "$applet"; printf '</Applet_Parameters>\r\n<Item_Parameters>\r\n'
    awk -v n="$2" -v c="${4:-text}" "BEGIN { for (i = 0; i < n; i++) printf \"cap%d#\$@#\$@_self#\$@%s#\$@%d#\$@\\r\\n\", i, c, $3 }"
    printf '</Item_Parameters>\r\n'; } >"$1"
}

# Two projects, one folder.
mkdir "$work/site"
project "$work/site/A.jslr" 2 0
project "$work/site/B.jslr" 3 0
"$cli" publish "$work/site/A.jslr" >/dev/null 2>&1
cp "$work/site/orvantalumeroll_news1_cfg.js" "$work/a.js"
"$cli" publish "$work/site/B.jslr" >/dev/null 2>"$work/b.err"
check "a second project's publish is refused" '[[ $? == 1 ]]'
check "with the question's text" 'grep -qF "The folder already holds the published box of \"A.jslr\". Both use orvantalumeroll_news1_cfg.js, so A.html will show this project'"'"'s items. Save anyway?" "$work/b.err"'
check "and the first one's script is kept" 'cmp -s "$work/a.js" "$work/site/orvantalumeroll_news1_cfg.js" && [[ ! -e $work/site/B.html ]]'
"$cli" publish --force "$work/site/B.jslr" >/dev/null 2>&1
check "--force publishes anyway" '[[ $? == 0 && -f $work/site/B.html ]]'

# Depth.
project "$work/deep1000.jslr" 1000 i
project "$work/deep1001.jslr" 1001 i
"$cli" outline "$work/deep1000.jslr" >"$work/out" 2>&1
check "1000 levels are shown" '[[ $? == 0 && $(wc -l <"$work/out") == 1001 ]]'
"$cli" outline "$work/deep1001.jslr" >"$work/out" 2>"$work/err"
check "1001 levels are refused, naming the line" '[[ $? == 1 ]] && grep -qF "Items are nested deeper than 1000 levels (line 1015), open failed!" "$work/err"'
project "$work/deep.jslr" 100000 i
"$cli" outline "$work/deep.jslr" >"$work/out" 2>"$work/err"
check "100000 levels are refused too, without output" '[[ $? == 1 && ! -s $work/out ]]'

# Inputs that are not regular files.
mkfifo "$work/fifo.jslr"
timeout 20 "$cli" outline "$work/fifo.jslr" >/dev/null 2>"$work/err"
check "a FIFO is refused at once" '[[ $? == 1 ]] && grep -q "not a regular file" "$work/err"'
"$cli" outline /dev/zero >/dev/null 2>"$work/err"
check "/dev/zero is refused" '[[ $? == 1 ]] && grep -q "not a regular file" "$work/err"'
truncate -s 257M "$work/huge.jslr"
"$cli" outline "$work/huge.jslr" >/dev/null 2>"$work/err"
check "a file over 256 MB is refused" '[[ $? == 1 ]] && grep -q "larger than 256 MB" "$work/err"'
truncate -s 200M "$work/big.jslr"
if (ulimit -v 120000; "$cli" --help) >/dev/null 2>&1; then
  (ulimit -v 120000; "$cli" outline "$work/big.jslr") >/dev/null 2>"$work/err"
  check "running out of memory is a message and exit 1" '[[ $? == 1 ]] && grep -q "out of memory" "$work/err"'
else
  skip "running out of memory (this build cannot start in 120 MB of address space, as under a sanitizer)"
fi

# The tool keeps no copy in TMPDIR, so a missing or full one does not matter.
mkdir "$work/tmp"
for tmp in "$work/absent" "$work/a.js" "$work/tmp"; do
  TMPDIR=$tmp "$cli" publish --force "$work/site/A.jslr" "$work/site" >/dev/null 2>"$work/err"
  check "TMPDIR=${tmp##*/} is not used" '[[ $? == 0 && ! -e $work/absent && -z $(ls -A "$work/tmp") ]]'
done

# Export and import onto the file they read.
cp "$work/site/A.jslr" "$work/same.jslr"
"$cli" export "$work/same.jslr" "$work/../${work##*/}/same.jslr" 2>"$work/err"
check "export onto its own project is refused" '[[ $? == 1 ]] && cmp -s "$work/same.jslr" "$work/site/A.jslr"'
cp "$structures/nested_structure.gms" "$work/self.gms"
"$cli" import "$work/self.gms" "$work/self.gms" 2>/dev/null
check "import onto its own structure file is refused" '[[ $? == 1 ]] && cmp -s "$work/self.gms" "$structures/nested_structure.gms"'

# Control characters in messages.
project "$work/esc.jslr" 1 0
sed -i 's/text#\$@0#\$@/text#$@\x1b[2J#$@/' "$work/esc.jslr"
"$cli" outline "$work/esc.jslr" 2>"$work/err" >/dev/null
check "an escape sequence in a level is shown escaped" '[[ $? == 1 ]] && grep -qF "\\x1B[2J" "$work/err" && ! grep -q $'"'"'\x1b'"'"' "$work/err"'

# A structure file that names another format gets the structure message.
sed 's/^General Menu Structure Description Format/Other Format/' "$structures/nested_structure.gms" >"$work/wrong.gms"
"$cli" outline "$work/wrong.gms" 2>"$work/err" >/dev/null
check "outline of a wrong structure file" '[[ $? == 1 ]] && grep -qF "This file wasn'"'"'t saved by specified format, open failed!" "$work/err"'

# A file-size limit: the write fails with the system's message, nothing
# half-written stays, the old files are whole.
mkdir "$work/limit"
project "$work/limit/big.jslr" 200 0 "$(printf '%0300d' 0)"
cp "$work/limit/big.jslr" "$work/big.before"
(ulimit -f 16; TMPDIR=$work/limit "$cli" publish "$work/limit/big.jslr") >/dev/null 2>"$work/err"
check "a file-size limit is exit 1, not a signal" '[[ $? == 1 ]]'
check "with the system's message" 'grep -q "File too large" "$work/err"'
check "naming the script that was not copied" 'grep -q "orvantalumeroll_news1_cfg.js was not copied" "$work/err"'
check "no temporary file is left" 'temps_in "$work/limit"'
check "the project is whole" 'cmp -s "$work/limit/big.jslr" "$work/big.before"'

# What reaches the disk: every published file is flushed before it is
# renamed into place, and its folder after the rename, so that a power cut
# leaves the old file or the new one; all five are flushed before the first
# rename, so a failure part way leaves the folder as it was.
mkdir "$work/sync"
project "$work/sync/s.jslr" 3 0
if strace -f -qq -e trace=openat,fsync,rename -o "$work/trace" "$cli" publish "$work/sync/s.jslr" >/dev/null 2>&1; then
  python3 - "$work/sync/" "$work/trace" >"$work/sync.txt" <<'PY'
import re, sys
folder, trace = sys.argv[1], sys.argv[2]
fds, synced, pending, report = {}, set(), {}, []
for line in open(trace):
    m = re.search(r'openat\(AT_FDCWD, "([^"]*)".*\s= (\d+)$', line)
    if m: fds[m.group(2)] = m.group(1); continue
    m = re.search(r'fsync\((\d+)\)\s+= 0', line)
    if m:
        path = fds.get(m.group(1), '')
        synced.add(path)
        for target, where in list(pending.items()):
            if path.rstrip('/') == where.rstrip('/'): report.append('folder synced after ' + target); del pending[target]
        continue
    m = re.search(r'rename\("([^"]*)", "([^"]*)"\)\s+= 0', line)
    if m:
        temp, target = m.groups()
        name = target[target.rfind('/') + 1:]
        inside = target.startswith(folder)
        report.append(('published ' if inside else 'working ') + name + (' flushed' if temp in synced else ' not flushed'))
        pending[name if inside else 'working ' + name] = target[:target.rfind('/') + 1]
for target in pending: report.append('folder not synced after ' + target)
print('\n'.join(report))
PY
  check "each published file is flushed before its rename" '! grep -q "^published .* not flushed" "$work/sync.txt" && [[ $(grep -c "^published .* flushed" "$work/sync.txt") == 5 ]]'
  check "and its folder after the rename" '[[ $(grep -c "^folder synced after [^w]" "$work/sync.txt") == 5 ]] && ! grep -q "^folder not synced after [^w]" "$work/sync.txt"'
  check "no working copy is written" '! grep -q "^working" "$work/sync.txt"'
  check "every file is flushed before the first rename" 'awk "/^published/ && !/ flushed/ {bad=1} END {exit bad}" "$work/sync.txt" && [[ $(python3 -c "
import re,sys
t=open(sys.argv[1]).read()
r=[m.start() for m in re.finditer(r\"rename\\(\", t)]
f=[m.start() for m in re.finditer(r\"fsync\\(\", t)]
print(sum(1 for x in f if x < r[0]))" "$work/trace") -ge 5 ]]'
else
  skip "what reaches the disk (strace cannot trace here)"
fi

if [[ $(id -u) == 0 ]]; then
  # A link planted by another user in a shared folder.
  mkdir -m 1777 "$work/shared"
  project "$work/shared/news.jslr" 1 0
  printf 'private' >"$work/private"
  ln -s "$work/private" "$work/shared/orvantalumeroll_news1_cfg.js"
  chown -h nobody "$work/shared/orvantalumeroll_news1_cfg.js"
  "$cli" publish "$work/shared/news.jslr" >/dev/null 2>"$work/err"
  check "another user's link is not followed" '[[ $? == 1 && $(cat "$work/private") == private ]]'
  check "and is named" 'grep -q "orvantalumeroll_news1_cfg.js was not copied.*belongs to another user" "$work/err"'

  # A read-only project of an ordinary user.
  mkdir "$work/user"
  cp "$structures/nested_structure.gms" "$work/user/in.gms"
  printf 'kept' >"$work/user/out.jslr"
  chmod 444 "$work/user/out.jslr"
  chown -R nobody:nogroup "$work/user"
  setpriv --reuid=nobody --regid=nogroup --clear-groups "$cli" import "$work/user/in.gms" "$work/user/out.jslr" 2>"$work/err"
  check "a write-protected file is refused" '[[ $? == 1 && $(cat "$work/user/out.jslr") == kept ]]'
  check "with Permission denied" 'grep -q "Permission denied" "$work/err"'

  # A folder shared by a group: u2's files (u2:web, 664), published over by
  # u1 and then again by u2. Numeric ids stand in for the users and group.
  mkdir -m 775 "$work/group"
  project "$work/group/news.jslr" 2 0
  "$cli" publish "$work/group/news.jslr" >/dev/null 2>&1
  chown -R 4302:4300 "$work/group" && chmod 664 "$work/group"/*
  as() { setpriv --reuid="$1" --regid="$1" --groups=4300 "${@:2}"; }
  as 4301 "$cli" publish "$work/group/news.jslr" >/dev/null 2>"$work/err"
  check "u1 publishes into the group's folder" '[[ $? == 0 ]]'
  check "and every file keeps the group and mode 664" '[[ $(stat -c "%g %a" "$work/group"/* | sort -u) == "4300 664" ]]'
  as 4302 "$cli" publish "$work/group/news.jslr" >/dev/null 2>"$work/err"
  check "u2 can still publish there" '[[ $? == 0 ]]'
else
  skip "another user's link (needs root to make a link of another user)"
  skip "a folder shared by a group (needs root to switch users)"
  skip "write-protected file as an ordinary user (needs root to switch users)"
fi
exit $((fails > 0))
