#!/usr/bin/env bash
# The same Quorvel.hlp in 64-bit Wine's own winhlp32.exe, in a 64-bit prefix of the build tree's
# own (made once): it must open at the contents topic, and a jump must change the topic.
set -euo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
[ -f "$QUORVEL_BIN/Quorvel.hlp" ] || { echo "FAIL: no Quorvel.hlp beside Quorvel.exe"; exit 1; }
wine64=/usr/lib/wine/wine64
[ -x $wine64 ] || { echo "FAIL: no 64-bit Wine ($wine64)"; exit 1; }

export WINEPREFIX=$QUORVEL_BIN/wineprefix64 WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "preparing the 64-bit prefix $WINEPREFIX (once per build tree)"
    $wine64 wineboot -i >/dev/null 2>&1 || true
    # No window manager on the tests' display: don't wait for one.
    $wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
) 9>"$WINEPREFIX.lock"

# The helper that reads the viewer is built for the tree's own architecture.
if [ "$("$QUORVEL_WINE" --arch)" = i686 ]; then helper_wine=/usr/lib/wine/wine; else helper_wine=$wine64; fi
helptext() { "$helper_wine" "$QUORVEL_BIN/quorvel-helptext.exe" "$@" 2>/dev/null | tr -d '\r'; }
fail=0; passed=0
check() { if eval "$2"; then passed=$((passed + 1)); else echo "FAIL: $1"; fail=$((fail + 1)); fi; }

file="Z:$(tr / '\\' <<<"$QUORVEL_BIN/Quorvel.hlp")"
$wine64 'C:\windows\system32\winhlp32.exe' "$file" >/dev/null 2>&1 &
pid=$!
cleanup() {
  helptext --close >/dev/null || true
  sleep 1
  kill $pid 2>/dev/null || true
  wineserver -k 2>/dev/null || true   # this test's own prefix
}
trap cleanup EXIT

viewer=""
for _ in $(seq 1 300); do
  viewer=$(xdotool search --onlyvisible --name '^Quorvel Help Wine Help' 2>/dev/null | head -1 || true)
  [ -n "$viewer" ] && break
  sleep 0.1
done
[ -n "$viewer" ] || { echo "FAIL: the 64-bit viewer did not open Quorvel.hlp"; exit 1; }
vpid=$(xdotool getwindowpid "$viewer" 2>/dev/null || true)
loader=$(readlink "/proc/$vpid/exe" 2>/dev/null || true)
echo "viewer: $(xdotool getwindowname "$viewer"), process $vpid running $loader"
check "the viewer is not 64-bit Wine's ($loader)" '[ "$loader" = "$wine64" ]'

contents=""
for _ in $(seq 1 50); do
  contents=$(helptext || true)
  grep -q 'Press Info, then read the pages' <<<"$contents" && break
  sleep 0.2
done
echo "viewer shows: $(sed -n 2p <<<"$contents")"
check "the 64-bit viewer does not show the contents topic" '[ "$(sed -n 2p <<<"$contents")" = "Quorvel Help" ]'

eval "$(xdotool getwindowgeometry --shell "$viewer")"
shot=$QUORVEL_BIN/help-win64.png
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
read -r jx jy < <(convert "$shot" -crop "${WIDTH}x$((HEIGHT - 110))+0+110" +repage txt:- |
  awk -F'[,: ]+' '/#008000/ { print $1, $2; exit }')
[ -n "${jx:-}" ] || { echo "FAIL: no jump drawn in the 64-bit viewer"; exit 1; }
xdotool mousemove $((X + jx + 8)) $((Y + 110 + jy + 4)) sleep 0.1 click 1
after=""
for _ in $(seq 1 50); do
  after=$(helptext || true)
  [ "$(sed -n 2p <<<"$after")" != "Quorvel Help" ] && break
  sleep 0.2
done
echo "after the jump: $(sed -n 2p <<<"$after")"
check "the jump did not change the topic in the 64-bit viewer" \
  '[ -n "$(sed -n 2p <<<"$after")" ] && [ "$(sed -n 2p <<<"$after")" != "Quorvel Help" ]'
echo "$passed passed, $fail failed"
exit $(( fail > 0 ))
