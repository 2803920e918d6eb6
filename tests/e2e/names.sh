#!/usr/bin/env bash
# File names as typed: Greek, Cyrillic and Japanese names, and paths of 255 to 259 characters with
# short and long file names, written by quorvel-report and through the save dialog of the window.
# The code page here has none of these letters: a name must never become its look-alike, and no
# file but the named one may change.
set -uo pipefail
bin=${QUORVEL_BIN:?}
wine=${QUORVEL_WINE:?}
exe=$bin/quorvel-report.exe
export LANG=C.UTF-8 LC_ALL=C.UTF-8
work=$(mktemp -d "$bin/e2e-names.XXXXXX")
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }
names=("αφα.txt" "отчёт.txt" "レポート.txt")
lookalikes=("afa.txt" "otchet.txt" "report.txt")

# Each folder holds the look-alike with an old report; only the named file may appear or change.
check_folder() {   # folder, name, look-alike, what
  local listing
  [ "$(cat "$1/$3")" = "old" ] || fail "$4: $3 was changed"
  grep -q $'^QUORVEL [0-9-]*\r$' "$1/$2" 2>/dev/null || fail "$4: $2 holds no report"
  listing=$(cd "$1" && ls -A | sort | tr '\n' '|')
  [ "$listing" = "$(printf '%s\n' "$2" "$3" | sort | tr '\n' '|')" ] || fail "$4: folder holds $listing"
}

for i in 0 1 2; do
  dir=$work/tool$i
  mkdir -p "$dir"
  echo old >"$dir/${lookalikes[$i]}"
  "$wine" "$exe" --output "$(winpath "$dir/${names[$i]}")" >/dev/null 2>"$work/err"
  status=$?
  [ "$status" = 0 ] || fail "report tool, ${names[$i]}: exit $status: $(cat "$work/err")"
  check_folder "$dir" "${names[$i]}" "${lookalikes[$i]}" "report tool"
done

# Full Windows paths of 255 to 259 characters; the short name is shorter than a temporary name.
long_folder() {   # Windows length of the folder wanted; prints the Unix folder, made
  local base=$work/long room part dir
  room=$(( $1 - ${#base} - 2 ))   # "Z:" in front
  dir=$base
  while [ "$room" -gt 0 ]; do
    part=$(( room > 101 ? 100 : room - 1 ))
    [ $(( room - part - 1 )) = 1 ] && part=$(( part - 1 ))   # no room may be left for a lone "/"
    dir=$dir/$(head -c "$part" /dev/zero | tr '\0' d)
    room=$(( room - part - 1 ))
  done
  mkdir -p "$dir"
  echo "$dir"
}
longname=$(head -c 80 /dev/zero | tr '\0' L).txt
for total in 255 257 259; do
  for name in n.txt "$longname"; do
    dir=$(long_folder $(( total - ${#name} - 1 )))
    path=$(winpath "$dir/$name")
    [ "${#path}" = "$total" ] || { fail "made a path of ${#path}, not $total"; continue; }
    "$wine" "$exe" --output "$path" >/dev/null 2>"$work/err"
    status=$?
    [ "$status" = 0 ] || fail "report tool, $total characters ending in ${name:0:8}: exit $status: $(cat "$work/err")"
    [ "$(ls -A "$dir" | tr '\n' '|')" = "$name|" ] || fail "$total characters: folder holds $(ls -A "$dir")"
    rm -rf "$work/long"
  done
done

[ "$failures" = 0 ] && echo "names.sh: all checks passed"
exit $((failures > 0))
