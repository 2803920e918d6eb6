#!/usr/bin/env bash
# Registered names in the system's own script: under a Japanese (code page 932) and a Russian (1251)
# locale, each in a scratch prefix of its own, names planted in the registry are drawn on the
# Operating System page glyph for glyph as a reference program made for that language draws them
# (tests/tools/RegisteredText_win32.cpp), and the window's texts still fit their boxes.
# QUORVEL_SHOTS=DIR keeps a picture of the Operating System page under each locale there.
set -uo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
work=$(mktemp -d "$QUORVEL_BIN/e2e-codepage.XXXXXX")
source "$(dirname "$0")/window-lib"
pid=""
ref=""
trap 'stop_quorvel; [ -z "$ref" ] || kill $ref 2>/dev/null; rm -rf "$work"' EXIT

failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { passes=$((passes + 1)); }

# locale, code page, the bitmap face a Windows of that language has in place of the Western one
# (none: the Japanese face comes from the system's fonts), owner, organisation. The Japanese names
# hold double-byte characters whose second byte is a backslash (0x5C) in code page 932.
cases=(
  "ja_JP.UTF-8|932||山田 表示|株式会社ソフト見本"
  "ru_RU.UTF-8|1251|sserifer.fon|Иван Петров|ООО «Пример»"
)
# A prefix of its own for each code page, beside the one this test was given.
base=${QUORVEL_WINEPREFIX:?}
for case in "${cases[@]}"; do
  IFS='|' read -r locale cp face owner company <<<"$case"
  if ! locale -a | grep -qix "${locale/UTF-8/utf8}"; then
    fail "the locale $locale is not generated (scripts/setup makes it)"
    continue
  fi
  export LANG=$locale LC_ALL=$locale
  export QUORVEL_WINEPREFIX=$base-cp$cp
  "$QUORVEL_WINE" cmd /c exit >/dev/null 2>&1   # makes the prefix on first use
  if [ -n "$face" ]; then cp -n "/usr/share/wine/fonts/$face" "$QUORVEL_WINEPREFIX/drive_c/windows/Fonts/"; fi
  cv='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
  "$QUORVEL_WINE" reg add "$cv" /v RegisteredOwner /d "$owner" /f >/dev/null 2>&1 &&
    "$QUORVEL_WINE" reg add "$cv" /v RegisteredOrganization /d "$company" /f >/dev/null 2>&1 ||
    { fail "$cp: could not plant the names"; continue; }
  WINEPREFIX=$QUORVEL_WINEPREFIX wineserver -w

  if out=$("$QUORVEL_WINE" "$QUORVEL_BIN/quorvel_win32_tests.exe" \
      --gtest_filter='ScreenFonts.*:MainWindow.AllSixTabsFitInTheTabControl' 2>&1) &&
      grep -q '^\[  PASSED  \] 2 tests' <<<"$out"; then
    pass
  else
    echo "$out" | grep -aE 'Failure|Expected|Which is|actual|\[  (FAILED|PASSED) ' | head -40
    fail "$cp: a text does not fit its box"
  fi

  # The reference, at the screen's top left, out of the centred window's way.
  "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel-regtext.exe" 10 10 >"$work/ref.out" 2>&1 &
  ref=$!
  start_quorvel || { fail "$cp: no Quorvel window appeared"; continue; }
  for _ in $(seq 1 50); do grep -q 'code page' "$work/ref.out" && break; sleep 0.1; done
  if grep -q "^code page $cp" "$work/ref.out"; then pass; else fail "$cp: the system's code page is $(cat "$work/ref.out")"; fi
  if press_info && click_tab 3; then
    sleep 0.5
    shot
    # Register Name and Company: 300 wide, 13 high, 16 apart, at 125, 136 on the page.
    convert "$work/shot.png" -crop "300x29+$((X + 124 + 125))+$((Y + 56 + 136))" +repage "$work/drawn.png"
    convert "$work/shot.png" -crop "300x29+10+10" +repage "$work/ref.png"
    ink=$(convert "$work/ref.png" -fill black +opaque white -fill white -opaque white -negate \
      -format '%[fx:round(mean*w*h)]' info:)
    differ=$(compare -metric AE "$work/drawn.png" "$work/ref.png" null: 2>&1)
    if [ "$ink" -gt 40 ] && [ "$differ" = 0 ]; then
      pass
    else
      fail "$cp: the names are drawn unlike the reference ($differ of 8700 pixels differ, $ink inked)"
      [ -z "${QUORVEL_KEEP:-}" ] || cp "$work/drawn.png" "$work/ref.png" "$QUORVEL_KEEP/"
    fi
    if [ -n "${QUORVEL_SHOTS:-}" ]; then
      convert "$work/shot.png" -crop "582x344+$X+$Y" +repage "$QUORVEL_SHOTS/codepage-$cp.png"
    fi
  else
    fail "$cp: the Operating System page could not be reached"
  fi
  stop_quorvel
  kill $ref 2>/dev/null
  wait $ref 2>/dev/null
  ref=""
  WINEPREFIX=$QUORVEL_WINEPREFIX wineserver -w
done

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
