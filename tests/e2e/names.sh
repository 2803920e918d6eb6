#!/usr/bin/env bash
# File names as typed: Greek, Cyrillic and Japanese names, and paths of 255 to 259 characters with
# short and long file names, written by quorvel-report and through the save dialog of the window.
# The code page here has none of these letters: a name must never become its look-alike, and no
# file but the named one may change.
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"; fi
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

# The same through the window: Info, then Export, the name typed or pasted into the save dialog
# through the X server.
await_window() {   # title, tenths of a second; prints the id of a window not yet known
  local id
  for _ in $(seq 1 "$2"); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "${win:-none}" | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1; }
"$wine" "$bin/Quorvel.exe" >/dev/null 2>&1 &
pid=$!
win=$(await_window Quorvel 300) || { echo "FAIL: no Quorvel window appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
click 59 43   # Info
sleep 3
# A name with letters the keyboard lacks is pasted: xdotool would type each through a key mapped
# only for the moment of its press, gone before Wine looks the key up.
paste_text() {   # text
  "$wine" "$bin/quorvel-helptext.exe" --clipboard "$1" || fail "the clipboard cannot take $1"
  xdotool key ctrl+v
}
export_as() {   # Unix path; gives it to the save dialog
  local dialog=""
  for _ in 1 2 3 4; do
    click 59 107   # Export (a click while the pass still runs is lost)
    dialog=$(await_window 'Quorvel export' 100) && break
  done
  [ -n "$dialog" ] || { fail "no save dialog"; return 1; }
  xdotool windowfocus --sync "$dialog"
  if LC_ALL=C grep -q '[^ -~]' <<<"$1"; then paste_text "$(winpath "$1")"; else xdotool type --delay 10 "$(winpath "$1")"; fi
  xdotool key Return
  for _ in $(seq 1 50); do [ -s "$1" ] && break; sleep 0.1; done
  sleep 0.5
}
for i in 0 1 2; do
  dir=$work/window$i
  mkdir -p "$dir"
  echo old >"$dir/${lookalikes[$i]}"
  export_as "$dir/${names[$i]}"
  check_folder "$dir" "${names[$i]}" "${lookalikes[$i]}" "window"
done
for name in n.txt "$longname"; do
  dir=$(long_folder $(( 259 - ${#name} - 1 )))
  export_as "$dir/$name"
  [ "$(ls -A "$dir" | tr '\n' '|')" = "$name|" ] || fail "window, 259 characters: folder holds $(ls -A "$dir")"
  rm -rf "$work/long"
done

# A long path that cannot be written: the message box that says so fits the screen.
dir=$(long_folder $(( 259 - 6 )))
echo old >"$dir/r.txt"
chmod 444 "$dir/r.txt"
export_as "$dir/r.txt"
prompt=$(await_window 'Quorvel export' 30) && { xdotool windowfocus --sync "$prompt"; xdotool key y; }   # replace it?
if box=$(await_window Quorvel 50); then
  eval "$(xdotool getwindowgeometry --shell "$box" | sed 's/^/BOX_/')"
  read -r sw _ < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
  echo "error box ${BOX_WIDTH}x${BOX_HEIGHT} on a screen $sw wide"
  [ "$BOX_WIDTH" -le "$sw" ] || fail "the error box is $BOX_WIDTH pixels wide"
  [ -n "${QUORVEL_SHOT:-}" ] && import -window root "$QUORVEL_SHOT"
  xdotool windowfocus --sync "$box"
  xdotool key Return
else
  fail "no error box for a read-only target"
fi
[ "$(cat "$dir/r.txt")" = old ] || fail "the read-only report was changed"

[ "$failures" = 0 ] && echo "names.sh: all checks passed"
exit $((failures > 0))
