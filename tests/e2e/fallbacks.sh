#!/usr/bin/env bash
# Windows 95 and NT 4 have no msimg32.dll, and a 95 system without networking or sound lacks the
# libraries only the pass loads (sockets, NetBIOS, sound, spooler). With all of them switched off
# for the program, Quorvel must start, run the Info pass (its busy window paints the transparent
# icon without msimg32) and show, pixel for pixel, the My Computer page it shows with them: the pass
# finds nothing there. Only the values that change by themselves (time, free memory) are blanked
# before the windows are compared.
set -euo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
scratch=$(mktemp -d "$QUORVEL_BIN/e2e-fallbacks.XXXXXX")
pid=""
trap '[ -n "$pid" ] && kill $pid 2>/dev/null; rm -rf "$scratch"' EXIT
# Wine draws its themed scroll bars with msimg32, which 95 and NT 4 neither have nor need: both
# runs draw them the classic way, as those Windows do, so that only the program's own use differs.
defaults="mscoree,mshtml=;winemenubuilder.exe=d;uxtheme=d"

# shot NAME OVERRIDES: starts the program, presses Info, and saves the window after the pass.
shot() {
  WINEDLLOVERRIDES="$defaults${2:+;$2}" WINEDEBUG=+loaddll \
    "$QUORVEL_WINE" "$QUORVEL_BIN/Quorvel.exe" 2>"$scratch/$1.log" &
  pid=$!
  local win=""
  for _ in $(seq 1 300); do
    win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAIL: no Quorvel window appeared ($1)"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove $((X + 59)) $((Y + 43)) sleep 0.1 click 1
  sleep 3
  kill -0 $pid 2>/dev/null || { echo "FAIL: the program ended during Info ($1)"; exit 1; }
  # The pointer off the window, so that no button shows its hover face.
  xdotool mousemove 0 0 sleep 0.1
  sleep 1
  import -window "$win" "$scratch/$1.png"
  xdotool mousemove $((X + 570)) $((Y + 11)) sleep 0.1 click 1
  for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && { echo "FAIL: Close did not end the program ($1)"; exit 1; }
  wait $pid 2>/dev/null || { echo "FAIL: the program did not end well after Close ($1)"; exit 1; }
  pid=""
  # Memory (text and bar) and the time of day: the rows the refresh keeps changing.
  convert "$scratch/$1.png" -fill black -draw 'rectangle 240,140 560,195' "$scratch/$1-still.png"
}

shot with ""
shot bare "msimg32,netapi32,wsock32,winmm,winspool.drv=d"
fail=0
for library in msimg32 netapi32 wsock32 winmm; do
  grep -qi "Loaded .*$library" "$scratch/with.log" ||
    { echo "FAIL: with $library, the pass never loaded it (nothing to compare)"; fail=1; }
  if grep -qi "Loaded .*$library" "$scratch/bare.log"; then
    echo "FAIL: $library was loaded although switched off"; fail=1
  fi
done
differ=$(compare -metric AE "$scratch/with-still.png" "$scratch/bare-still.png" null: 2>&1 || true)
echo "pixels that differ between the windows with everything and without: $differ"
if [ "$differ" != 0 ]; then
  cp "$scratch/with.png" "$scratch/bare.png" "$QUORVEL_BIN/"
  echo "FAIL: the windows differ (both kept in $QUORVEL_BIN as with.png and bare.png)"; fail=1
fi
[ $fail -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $fail
