#!/usr/bin/env bash
# The window at 120 and 144 dpi, in a scratch prefix set to each DPI in turn, with the
# 120-dpi "MS Sans Serif" that Windows has there (scripts/wine puts it beside the 96-dpi one), and
# at 96 dpi in a prefix as Wine makes it, without that face, as Linux users run the release:
#  - every label holds its text after Info (the window tests' ScreenFonts check, at that DPI);
#  - the window keeps the skin's size, all six tabs fit the strip, and a click through the X server
#    on each tab selects it and brings up a page of its own.
# QUORVEL_SHOTS=DIR keeps pictures of the Operating System and More ... pages at each DPI there.
set -uo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
work=$(mktemp -d "$QUORVEL_BIN/e2e-dpi.XXXXXX")
source "$(dirname "$0")/window-lib"
pid=""
trap 'stop_quorvel; rm -rf "$work"' EXIT

failures=0
passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { passes=$((passes + 1)); }

# One prefix serves both DPIs: the DPI is read as each session starts. The stock case gets a prefix
# as Wine makes it, from scratch, without the faces scripts/wine adds.
base=${QUORVEL_WINEPREFIX:?}
for dpi in 120 144 stock; do
  if [ $dpi = stock ]; then
    export QUORVEL_WINEPREFIX=$base-stock QUORVEL_STOCK_FACES=1 QUORVEL_EXPECT_DPI=96 QUORVEL_WINE_TEMPLATE=""
    "$QUORVEL_WINE" wineboot >/dev/null 2>&1
    [ -f "$QUORVEL_WINEPREFIX/drive_c/windows/Fonts/sserife.fon" ] && fail "stock: the prefix holds the bitmap face"
  else
    export QUORVEL_EXPECT_DPI=$dpi
    "$QUORVEL_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1 ||
      { fail "$dpi dpi: could not set the DPI"; continue; }
  fi
  WINEPREFIX=$QUORVEL_WINEPREFIX wineserver -w

  if out=$("$QUORVEL_WINE" "$QUORVEL_BIN/quorvel_win32_tests.exe" \
      --gtest_filter='ScreenFonts.*:MainWindow.AllSixTabsFitInTheTabControl' 2>&1) &&
      grep -q '^\[  PASSED  \] 2 tests' <<<"$out"; then
    pass
  else
    echo "$out" | grep -E 'Failure|Expected|Which is|actual|\[  (FAILED|PASSED) ' | head -40
    fail "$dpi dpi: a text does not fit its box"
  fi

  start_quorvel || { fail "$dpi dpi: no Quorvel window appeared"; continue; }
  if [ "$WIDTH" -eq 582 ] && [ "$HEIGHT" -eq 344 ]; then pass; else fail "$dpi dpi: window is ${WIDTH}x${HEIGHT}"; fi
  if ! press_info; then
    fail "$dpi dpi: Info did not bring up the My Computer page"
    stop_quorvel
    continue
  fi
  spans=$(tab_spans)
  if [ "$(wc -l <<<"$spans")" -eq 6 ]; then pass; else fail "$dpi dpi: $(wc -l <<<"$spans") tabs drawn: $spans"; fi
  # Each tab, clicked, becomes the selected one and shows a page unlike the others'.
  declare -A seen=()
  for tab in 5 4 3 2 1 0; do
    click_tab $tab || { fail "$dpi dpi: tab $tab is not drawn"; continue; }
    selected=""
    for _ in $(seq 1 20); do
      selected=$(tab_spans | awk '$3 == "selected" { print NR - 1 }')
      [ "$selected" = "$tab" ] && break
      sleep 0.1
    done
    [ "$selected" = "$tab" ] || { fail "$dpi dpi: a click on tab $tab selected '${selected}'"; continue; }
    sleep 0.3
    shot
    page=$(convert "$work/shot.png" -crop "440x250+$((X + 124))+$((Y + 56))" +repage -format '%#' info:)
    if [ -n "${seen[$page]:-}" ]; then
      fail "$dpi dpi: tab $tab shows the page of tab ${seen[$page]}"
    else
      seen[$page]=$tab
      pass
    fi
    if [ -n "${QUORVEL_SHOTS:-}" ]; then
      case $tab in
        3) convert "$work/shot.png" -crop "582x344+$X+$Y" +repage "$QUORVEL_SHOTS/dpi-$dpi.png" ;;
        5) convert "$work/shot.png" -crop "582x344+$X+$Y" +repage "$QUORVEL_SHOTS/dpi-$dpi-more.png" ;;
      esac
    fi
  done
  unset seen
  stop_quorvel
  WINEPREFIX=$QUORVEL_WINEPREFIX wineserver -w
done

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
