#!/usr/bin/env bash
# Presses Help in the real window and checks that Wine's help viewer opens Quorvel.hlp at its
# contents topic; then clicks the first jump in the viewer and checks that the topic changed.
# The viewer's text is read through its window by quorvel-helptext.exe; the screenshots are kept
# in the build tree (help-contents.png, help-jump.png).
set -euo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}" "${QUORVEL_SOURCE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
[ -f "$QUORVEL_BIN/Quorvel.hlp" ] || { echo "FAIL: no Quorvel.hlp beside Quorvel.exe"; exit 1; }

helptext() { "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel-helptext.exe" "$@" 2>/dev/null | tr -d '\r'; }
fail=0; passed=0
check() { if eval "$2"; then passed=$((passed + 1)); else echo "FAIL: $1"; fail=$((fail + 1)); fi; }

"$QUORVEL_WINE" "$QUORVEL_BIN/Quorvel.exe" &
pid=$!
viewer_pid=""
cleanup() {
  helptext --close >/dev/null || true
  sleep 1
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
  kill $pid 2>/dev/null || true
}
trap cleanup EXIT

win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no Quorvel window appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
qx=$X; qy=$Y

# Help is the fourth button: 24, 128, 71 x 23 inside the window.
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool mousemove $((qx + 59)) $((qy + 139)) sleep 0.1 click 1
start=$(date +%s%N)
viewer=""
for _ in $(seq 1 200); do
  viewer=$(xdotool search --onlyvisible --name 'Wine Help' 2>/dev/null | head -1 || true)
  [ -n "$viewer" ] && break
  sleep 0.1
done
[ -n "$viewer" ] || { echo "FAIL: no help viewer appeared after Help"; exit 1; }
viewer_pid=$(xdotool getwindowpid "$viewer" 2>/dev/null || true)
echo "viewer shown $(( ($(date +%s%N) - start) / 1000000 )) ms after the click"

# The topic text, once the viewer has drawn it.
contents=""
for _ in $(seq 1 50); do
  contents=$(helptext || true)
  grep -q 'Press Info, then read the pages' <<<"$contents" && break
  sleep 0.2
done
title=$(sed -n 2p <<<"$contents")
echo "viewer shows: $title"
check "the viewer does not show the contents topic (got: $title)" '[ "$title" = "Quorvel Help" ]'
check "the contents text is missing" 'grep -q "Press Info, then read the pages" <<<"$contents"'

eval "$(xdotool getwindowgeometry --shell "$viewer")"
vx=$X; vy=$Y; vw=$WIDTH; vh=$HEIGHT
shot=$QUORVEL_BIN/help-contents.png
import -window root -crop "${vw}x${vh}+${vx}+${vy}" +repage "$shot"
# The title line is drawn in the window's blue (0, 51, 187).
blue=$(convert "$shot" -crop "${vw}x60+0+40" +repage txt:- | grep -c '#0033BB' || true)
echo "title-line pixels in blue: $blue"
check "no title line in blue in the viewer" '[ "$blue" -gt 50 ]'

# The first jump: the first green (hotspot) pixel below the title line.
read -r jx jy < <(convert "$shot" -crop "${vw}x$((vh - 110))+0+110" +repage txt:- |
  awk -F'[,: ]+' '/#008000/ { print $1, $2; exit }')
[ -n "${jx:-}" ] || { echo "FAIL: no jump in the contents topic"; exit 1; }
xdotool mousemove $((vx + jx + 8)) $((vy + 110 + jy + 4)) sleep 0.1 click 1
after=""
for _ in $(seq 1 50); do
  after=$(helptext || true)
  [ "$(sed -n 2p <<<"$after")" != "Quorvel Help" ] && break
  sleep 0.2
done
import -window root -crop "${vw}x${vh}+${vx}+${vy}" +repage "$QUORVEL_BIN/help-jump.png"
landed=$(sed -n 2p <<<"$after")
echo "after the jump: $landed"
check "the jump did not change the topic" '[ -n "$landed" ] && [ "$landed" != "Quorvel Help" ]'
check "the jump landed on no topic of the help source ($landed)" \
  'grep -qxF "$landed" < <(sed -n "s/^== [^ ]* //p" "$QUORVEL_SOURCE/res/help/Quorvel.help.txt")'

helptext --close >/dev/null || true
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name 'Wine Help' >/dev/null 2>&1 || break
  sleep 0.1
done
check "the viewer did not close" '! xdotool search --onlyvisible --name "Wine Help" >/dev/null 2>&1'

# Close ends the program.
xdotool mousemove $((qx + 570)) $((qy + 11)) sleep 0.1 click 1
for _ in $(seq 1 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
check "Close did not end the program" '! kill -0 $pid 2>/dev/null'
echo "$passed passed, $fail failed"
exit $(( fail > 0 ))
