#!/usr/bin/env bash
# The Media memo paints exactly what it holds: text typed through the X server that wraps, lines
# typed until it scrolls, 500 pasted lines, and scrolling with the keys. After each step the memo's
# pixels are compared with a plain multi-line edit of the same font, colours and size showing the
# same lines from the same first line (quorvel-memoref); only the caret is left out.
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"; fi
bin=${QUORVEL_BIN:?}
wine=${QUORVEL_WINE:?}
work=$(mktemp -d "$bin/e2e-memo.XXXXXX")
pid=""; clip=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$clip" ] && kill "$clip" 2>/dev/null
  if [ "${failures:-1}" = 0 ]; then rm -rf "$work"; else echo "kept for a look: $work"; fi
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$wine" "$bin/Quorvel.exe" >/dev/null 2>&1 &
pid=$!
win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no Quorvel window appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1; }
click 59 43    # Info
sleep 4
click 482 41   # the Devices tab
sleep 0.5
click 300 270  # the Media memo
xdotool windowfocus --sync "$win"
xdotool key ctrl+End

# Until the memo has taken every key: its text and caret stay the same for a while.
settle() {
  local last="" now
  for _ in $(seq 1 120); do
    now=$("$wine" "$bin/quorvel-memoref.exe" 0 2>/dev/null | tr -d '\r')
    [ -n "$now" ] && [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.5
  done
  return 1
}

check_step() {   # name of the step
  local out=$work/$1.ref ref shot=$work/$1.png
  settle || { fail "$1: the memo did not settle"; return; }
  "$wine" "$bin/quorvel-memoref.exe" 8 >"$out" 2>/dev/null &
  ref=$!
  for _ in $(seq 1 100); do [ -s "$out" ] && break; sleep 0.1; done
  read -r mx my rx ry w h cx cy cw ch _ < <(tr -d '\r' <"$out") || { fail "$1: no reference"; kill $ref; return; }
  sleep 1.5
  import -window root "$shot"
  kill $ref 2>/dev/null; wait $ref 2>/dev/null
  # The caret blinks in the memo and the reference has none: blank it out of both.
  local mask="rectangle $((cx - 1)),$((cy - 1)) $((cx + cw)),$((cy + ch))"
  convert "$shot" -crop "${w}x${h}+$mx+$my" +repage -fill white -draw "$mask" "$work/$1.memo.png"
  convert "$shot" -crop "${w}x${h}+$rx+$ry" +repage -fill white -draw "$mask" "$work/$1.reference.png"
  local differ
  differ=$(compare -metric AE "$work/$1.memo.png" "$work/$1.reference.png" null: 2>&1)
  echo "$1: ${w}x${h} memo pixels, $differ differ from the reference"
  [ "$differ" = 0 ] || fail "$1: the memo's pixels differ from its lines ($differ pixels)"
}

xdotool type --delay 20 "Long $(printf 'word%02d ' $(seq 1 30))"
check_step wrapped
xdotool key Return
xdotool type --delay 10 "$(printf 'typed line %02d\n' $(seq 1 30))"
check_step typed

# While keys are still coming: the program is stopped in the middle of a fast burst of typing and
# the memo looked at as it stands. Every typed line is different, so two rows of the memo that are
# the same picture are stale copies, and rows all blank while it holds lines show only the caret.
# The program's own process: among those this script started, the one running Quorvel.exe.
program_process() {
  local p=$1 child
  # Wine names the process after the program: its first argument is the program's path.
  [ -r "/proc/$p/cmdline" ] && tr '\0' '\n' <"/proc/$p/cmdline" | head -1 | grep -q 'Quorvel\.exe$' && { echo "$p"; return 0; }
  for child in $(pgrep -P "$p"); do program_process "$child" && return 0; done
  return 1
}
qpid=$(program_process "$pid") || { fail "cannot find the program's process"; exit 1; }
read -r mx my _ _ w _ < <(tr -d '\r' <"$work/typed.ref")
xdotool type --delay 1 "$(printf 'burst line %03d\n' $(seq 1 60))" &
typing=$!
for look in 1 2 3; do
  sleep 1
  kill -STOP "$qpid"
  import -window root "$work/burst$look.png"
  kill -CONT "$qpid"
  rows=()
  for r in 0 1 2 3; do
    convert "$work/burst$look.png" -crop "${w}x13+$mx+$((my + 13 * r))" +repage "$work/burst$look-$r.png"
    colours=$(convert "$work/burst$look-$r.png" -format %k info:)
    [ "$colours" -gt 1 ] && rows+=("$r")
  done
  [ ${#rows[@]} -gt 0 ] || fail "burst $look: the memo shows no line while typing"
  for a in "${rows[@]}"; do
    for b in "${rows[@]}"; do
      [ "$a" -lt "$b" ] || continue
      same=$(compare -metric AE "$work/burst$look-$a.png" "$work/burst$look-$b.png" null: 2>&1)
      [ "$same" = 0 ] && fail "burst $look: rows $a and $b of the memo are the same picture"
    done
  done
done
wait $typing
check_step burst

# 500 lines pasted at once (the X clipboard's owner stays until the end).
python3 -c '
import tkinter
root = tkinter.Tk()
root.withdraw()
root.clipboard_clear()
root.clipboard_append("".join("pasted line %03d\n" % i for i in range(1, 501)))
root.update()
root.after(300000, root.destroy)
root.mainloop()' &
clip=$!
sleep 2
xdotool key ctrl+v
check_step pasted
xdotool key ctrl+Home
check_step top
xdotool key Next Next Next
check_step paged
xdotool key ctrl+End
check_step end

[ "$failures" = 0 ] && echo "memo.sh: all checks passed"
exit $((failures > 0))
