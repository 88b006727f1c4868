#!/usr/bin/env bash
# The Windows build of lumeroll-cli writes the same bytes as the host's:
# script, page, publish, export and import on every golden project and
# structure file, compared file by file (outline's text is checked on both by
# model_cli_tests). The Windows side runs as one
# batch file, so Wine starts once for all its commands.
#   cli_same_bytes.sh HOST_CLI WINDOWS_CLI WINE GOLDEN_FOLDER...
set -uo pipefail
host=$1 windows=$2 wine=$3
shift 3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

# Wine shows the host's root as drive Z:.
winpath() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

projects=() structures=()
for folder in "$@"; do
  for f in "$folder"/*.jslr; do [[ -e $f ]] && projects+=("$f"); done
  for f in "$folder"/*.gms; do [[ -e $f ]] && structures+=("$f"); done
done
if ((${#projects[@]} == 0 || ${#structures[@]} == 0)); then
  echo "FAIL no golden files found"
  exit 1
fi

# Both sides get the same tree of inputs; each command's standard output and
# exit code go into files beside its outputs.
for side in host windows; do
  for p in "${projects[@]}"; do
    mkdir -p "$work/$side/$(basename "$p" .jslr)"
    cp "$p" "$work/$side/$(basename "$p" .jslr)/"
  done
  for s in "${structures[@]}"; do
    mkdir -p "$work/$side/gms_$(basename "$s" .gms)"
    cp "$s" "$work/$side/gms_$(basename "$s" .gms)/"
  done
done

# Prints the commands as lines of "COMMAND ARGUMENTS|STDOUT_FILE|CODE_FILE",
# paths relative to a side's folder.
commands() {
  local p name s
  for p in "${projects[@]}"; do
    name=$(basename "$p" .jslr)
    for c in script page; do echo "$c $name/$name.jslr|$name/$c.out|$name/$c.code"; done
    echo "publish $name/$name.jslr|-|$name/publish.code"
    echo "export $name/$name.jslr $name/exported.gms|-|$name/export.code"
  done
  for s in "${structures[@]}"; do
    name=gms_$(basename "$s" .gms)
    echo "import $name/$(basename "$s") $name/imported.jslr|-|$name/import.code"
  done
}

while IFS='|' read -r args out code; do
  read -r -a words <<<"$args"
  argv=("${words[0]}")
  for w in "${words[@]:1}"; do argv+=("$work/host/$w"); done
  if [[ $out == - ]]; then "$host" "${argv[@]}" >/dev/null 2>&1; else "$host" "${argv[@]}" >"$work/host/$out" 2>/dev/null; fi
  echo $? >"$work/host/$code"
done < <(commands)

batch=$work/run.bat
{
  echo "@echo off"
  while IFS='|' read -r args out code; do
    read -r -a words <<<"$args"
    line="\"$(winpath "$windows")\" ${words[0]}"
    for w in "${words[@]:1}"; do line+=" \"$(winpath "$work/windows/$w")\""; done
    if [[ $out == - ]]; then line+=" >NUL 2>NUL"; else line+=" >\"$(winpath "$work/windows/$out")\" 2>NUL"; fi
    echo "$line"
    echo ">\"$(winpath "$work/windows/$code")\" echo %ERRORLEVEL%"
  done < <(commands)
} | sed 's/$/\r/' >"$batch"
"$wine" cmd /c "$(winpath "$batch")"

# cmd writes "echo" lines with CR LF; the exit codes are compared as numbers.
for f in "$work"/windows/*/*.code; do tr -d '\r ' <"$f" >"$f.n" && mv "$f.n" "$f"; done

fails=0
while IFS= read -r rel; do
  if [[ ! -e $work/windows/$rel ]]; then
    echo "FAIL $rel: missing on Windows"
    fails=$((fails + 1))
  elif cmp -s "$work/host/$rel" "$work/windows/$rel"; then
    echo "ok   $rel"
  else
    echo "FAIL $rel differs: $(cmp "$work/host/$rel" "$work/windows/$rel" 2>&1 | head -1)"
    fails=$((fails + 1))
  fi
done < <(cd "$work/host" && find . -type f | sed 's|^\./||' | sort)
# The hidden file that LockFileEx locks stays in a folder published on Windows.
extra=$(cd "$work/windows" && find . -type f ! -name .lumeroll.lock | sed 's|^\./||' | sort | comm -13 <(cd "$work/host" && find . -type f | sed 's|^\./||' | sort) -)
if [[ -n $extra ]]; then
  echo "FAIL only on Windows: $extra"
  fails=$((fails + 1))
fi
exit $((fails > 0))
