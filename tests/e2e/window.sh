#!/usr/bin/env bash
# Starts Quorvel.exe under Wine, finds its window, presses Info, then Close, and checks that the
# window had the skin's size in the centre of the screen and that Close ended the program.
set -euo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }

start=$(date +%s%N)
"$QUORVEL_WINE" "$QUORVEL_BIN/Quorvel.exe" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.1
done
[ -n "$win" ] || { echo "FAIL: no Quorvel window appeared"; exit 1; }
shown=$(date +%s%N)
echo "window shown $(( (shown - start) / 1000000 )) ms after start"

eval "$(xdotool getwindowgeometry --shell "$win")"
read -r sw sh < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
echo "window ${WIDTH}x${HEIGHT} at $X,$Y on a ${sw}x${sh} screen"
fail=0
[ "$WIDTH" -eq 582 ] && [ "$HEIGHT" -eq 344 ] || { echo "FAIL: window is ${WIDTH}x${HEIGHT}"; fail=1; }
[ "$X" -eq $(( (sw - 582) / 2 )) ] && [ "$Y" -eq $(( (sh - 344) / 2 )) ] || { echo "FAIL: not centred"; fail=1; }

# Info, then Close; coordinates are the buttons' centres inside the window.
xdotool mousemove $((X + 59)) $((Y + 43)) sleep 0.1 click 1
sleep 2
kill -0 $pid 2>/dev/null || { echo "FAIL: the program ended after Info"; exit 1; }
xdotool mousemove $((X + 570)) $((Y + 11)) sleep 0.1 click 1
for _ in $(seq 1 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then echo "FAIL: Close did not end the program"; fail=1; fi
status=0; wait $pid 2>/dev/null || status=$?
[ $status -eq 0 ] || { echo "FAIL: exit status $status"; fail=1; }
trap - EXIT
[ $fail -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $fail
