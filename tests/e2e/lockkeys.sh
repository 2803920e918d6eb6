#!/usr/bin/env bash
# The lock-key indicators under real key presses: Quorvel.exe under Wine, Info pressed, then Caps
# Lock, Num Lock and Insert typed through the X server, and the check marks read off the screen
# after each press and after a click on an indicator. Every key is pressed an even number of times,
# so the display's lock states are as they were when the script ends.
set -uo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
work=$(mktemp -d "$QUORVEL_BIN/e2e-lockkeys.XXXXXX")

"$QUORVEL_WINE" "$QUORVEL_BIN/Quorvel.exe" &
pid=$!
pressed=()
cleanup() {
  # Put the lock keys back before anything else can fail.
  for k in "${pressed[@]}"; do xdotool key "$k"; done
  kill $pid 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no Quorvel window appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"

failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The indicator boxes of the My Computer page, in window coordinates: the tab control at 120, 32,
# its page at 4, 24 inside it, the boxes at 360 on the page with their 11-pixel square at 53, 3.
box_x=$((120 + 4 + 360 + 53))
box_y() { echo $((32 + 24 + $1 + 3)); }
declare -A row=([NUM]=24 [CAPS]=40 [SCROLL]=56 [INS]=72)

# Pixels of the check mark's blue (0, 85, 234) inside an indicator's box: 0 when unchecked.
mark_pixels() {
  import -window root "$work/shot.png"
  convert "$work/shot.png" -crop "11x11+$((X + box_x))+$((Y + $(box_y "${row[$1]}")))" +repage \
    -fill black +opaque 'rgb(0,85,234)' -fill white -opaque 'rgb(0,85,234)' -format '%[fx:round(mean*w*h)]' info:
}
shown() { if [ "$(mark_pixels "$1")" -gt 0 ]; then echo on; else echo off; fi; }
# Caps Lock and Num Lock as the X server's keyboard has them.
server_lock() { xset q | grep -o "$1: *o[nf]*" | awk '{ print $NF }'; }

# Info, then wait for the My Computer page: the NUM box's black frame appears where the Welcome
# page has none.
xdotool mousemove $((X + 59)) $((Y + 43)) sleep 0.1 click 1
for _ in $(seq 1 100); do
  import -window root "$work/shot.png"
  corner=$(convert "$work/shot.png" -crop "1x1+$((X + box_x))+$((Y + $(box_y 24)))" -format '%[hex:p{0,0}]' info:)
  [ "$corner" = 000000 ] && break
  sleep 0.2
done
[ "$corner" = 000000 ] || { echo "FAIL: the My Computer page did not appear"; exit 1; }

# As a user would: click an empty part of the page, give the window the keyboard, press the key.
xdotool mousemove $((X + 300)) $((Y + 110)) sleep 0.1 click 1
xdotool windowfocus --sync "$win"
ins_before=$(shown INS)

# Waits up to 3 s for an indicator to show a state; prints what it shows in the end.
await() {
  local now
  for _ in $(seq 1 15); do
    now=$(shown "$1")
    [ "$now" = "$2" ] && break
    sleep 0.2
  done
  echo "$now"
}

press() {   # key, indicator: the indicator must flip
  local before after expected
  before=$(shown "$2")
  if [ "$before" = on ]; then expected=off; else expected=on; fi
  xdotool key "$1"
  pressed+=("$1")
  after=$(await "$2" "$expected")
  if [ "$after" = "$expected" ]; then passes=$((passes + 1)); else fail "$1: $2 shows $after, expected $expected"; fi
}

press Caps_Lock CAPS
[ "$(shown CAPS)" = "$(server_lock 'Caps Lock')" ] || fail "CAPS differs from the keyboard's Caps Lock"
press Num_Lock NUM
[ "$(shown NUM)" = "$(server_lock 'Num Lock')" ] || fail "NUM differs from the keyboard's Num Lock"
press Insert INS

# A click on an indicator toggles the box and puts it straight back: it keeps showing the key.
for name in CAPS INS; do
  before=$(shown $name)
  xdotool mousemove $((X + box_x + 5)) $((Y + $(box_y "${row[$name]}") + 5)) sleep 0.1 click 1
  sleep 1
  after=$(shown $name)
  [ "$after" = "$before" ] && passes=$((passes + 1)) || fail "a click on $name changed it to $after"
done
[ "$(shown CAPS)" = "$(server_lock 'Caps Lock')" ] || fail "the click changed Caps Lock itself"

# The clicked indicator holds the focus now; the keys still reach the monitor, and the second press
# of each key brings every lock state back to where it started.
press Caps_Lock CAPS
press Num_Lock NUM
press Insert INS
pressed=()
[ "$(shown INS)" = "$ins_before" ] || fail "INS did not return to $ins_before"

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
