#!/usr/bin/env bash
# The window by keyboard alone, through the X server: no focus mark before the first key; Tab and
# Shift+Tab move it and Enter presses Info; the tab strip's arrows and Ctrl+Tab, Ctrl+Shift+Tab,
# Ctrl+PgDn and Ctrl+PgUp change the page, through all six; Alt+E exports a report through the save
# dialog, F1 opens Help and Alt+F4 ends the program.
set -uo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
work=$(mktemp -d "$QUORVEL_BIN/e2e-keyboard.XXXXXX")
source "$(dirname "$0")/window-lib"
pid=""
helptext() { "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel-helptext.exe" "$@" >/dev/null 2>&1; }
trap 'xdotool search --name "Wine Help" >/dev/null 2>&1 && helptext --close; stop_quorvel; rm -rf "$work"' EXIT

failures=0
passes=0
check() { if eval "$2"; then passes=$((passes + 1)); else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
# Dots of the focus mark on the bottom row inside a left-column button whose top is at $1.
mark() { shot; convert "$work/shot.png" -crop "65x1+$((X + 27))+$((Y + $1 + 18))" +repage \
  -fill black +opaque white -fill white -opaque white -format '%[fx:round(mean*w)]' info:; }
await_tab() {
  for _ in $(seq 1 30); do
    [ "$(tab_spans | awk '$3 == "selected" { print NR - 1 }')" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
await_window() { for _ in $(seq 1 100); do xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep . && return 0; sleep 0.1; done; return 1; }

start_quorvel || { echo "FAIL: no Quorvel window appeared"; exit 1; }
xdotool windowfocus --sync "$win"
sleep 1
check "a focus mark before any key" '[ "$(mark 32)" = 0 ] && [ "$(mark 128)" = 0 ]'
xdotool key Tab # past the disabled Print and Export
sleep 0.3
check "Tab did not mark Help" '[ "$(mark 128)" -gt 20 ] && [ "$(mark 32)" = 0 ]'
xdotool key shift+Tab
sleep 0.3
check "Shift+Tab did not mark Info" '[ "$(mark 32)" -gt 20 ] && [ "$(mark 128)" = 0 ]'
xdotool key Return
check "Enter on Info did not bring up My Computer" 'await_tab 1'

# Print, Export, Help, then the tab strip.
xdotool key Tab Tab Tab Tab Right
check "Right on the strip" 'await_tab 2'
xdotool key Left
check "Left on the strip" 'await_tab 1'
for keys in "ctrl+Tab 2" "ctrl+shift+Tab 1" "ctrl+Next 2" "ctrl+Prior 1" "ctrl+Tab 2" "ctrl+Tab 3" "ctrl+Tab 4" \
  "ctrl+Tab 5" "ctrl+Tab 0"; do
  xdotool key "${keys% *}"
  check "${keys% *} did not select tab ${keys#* }" "await_tab ${keys#* }"
done

report=$work/keys.txt
xdotool key alt+e
if dialog=$(await_window '^Quorvel export$'); then
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 10 "Z:${report//\//\\}"
  xdotool key Return
  for _ in $(seq 1 50); do [ -s "$report" ] && break; sleep 0.1; done
fi
check "Alt+E wrote no report" 'grep -q "MY COMPUTER" "$report"'

xdotool windowfocus --sync "$win"
xdotool key F1
check "F1 opened no help" 'await_window "Wine Help" >/dev/null'
helptext --close
sleep 1

xdotool windowfocus --sync "$win"
xdotool key alt+F4
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
check "Alt+F4 did not end the program" '! kill -0 "$pid" 2>/dev/null'

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
