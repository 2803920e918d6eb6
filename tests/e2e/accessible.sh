#!/usr/bin/env bash
# The window as a screen reader reads it through Active Accessibility (oleacc): quorvel-acctree
# walks the tree from the window's client and prints each element's role, name, value, states and
# place. Read before Info, after Info pressed through its default action, and with the Processor
# tab selected through its own; the tabs' and check boxes' places and states are held against the
# pixels on the screen.
set -uo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
work=$(mktemp -d "$QUORVEL_BIN/e2e-accessible.XXXXXX")
source "$(dirname "$0")/window-lib"
pid=""
trap 'stop_quorvel; rm -rf "$work"' EXIT

failures=0
passes=0
check() { if eval "$2"; then passes=$((passes + 1)); else echo "FAIL: $1"; failures=$((failures + 1)); fi; }
tree() { "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel-acctree.exe" "$@" 2>/dev/null | tr -d '\r'; }
await_tree() { # pattern: reads the tree into $t until a line matches
  for _ in $(seq 1 30); do
    t=$(tree)
    grep -qE "$1" <<<"$t" && return 0
    sleep 0.3
  done
  return 1
}

start_quorvel || { echo "FAIL: no Quorvel window appeared"; exit 1; }
t=$(tree)
check "Info is not the focused button: $t" 'grep -qxF "  push button|Info||focused,focusable|24,32,71,23" <<<"$t"'
check "Print is not unavailable" 'grep -qxF "  push button|Print||unavailable|24,64,71,22" <<<"$t"'
check "the Welcome tab is not the selected one" 'grep -q "^    page tab|Welcome||unavailable,selected," <<<"$t"'

tree --do Info >/dev/null
check "the default action of Info did not select My Computer" 'await_tree "^    page tab\|My Computer\|\|selected"'
check "Print is not available after Info" 'grep -qxF "  push button|Print||focusable|24,64,71,22" <<<"$t"'
check "no value named Computer Name" 'grep -qE "^      static text\|Computer Name\|[^-|][^|]*\|\|249,80," <<<"$t"'
check "no read-only memo named Drives" 'grep -qE "^      text\|Drives\|.+\|read only,focusable\|249,200,300,97$" <<<"$t"'
check "no NUM check box where it is drawn" 'grep -qE "^      check button\|NUM\|\|(checked,)?focusable\|484,80,65,15$" <<<"$t"'

tree --do Processor >/dev/null
check "the default action of the Processor tab did not select it" 'await_tree "^    page tab\|Processor\|\|selected"'
sleep 0.5
# Each tab where it is drawn: the selected one white inside its outline, the others filled.
spans=$(tab_spans)
i=0
while IFS='|' read -r _ name _ states place; do
  IFS=, read -r x _ w _ <<<"$place"
  if [[ $states == *selected,* ]]; then want="$((x + 1)) $((x + w - 2)) selected"; else want="$x $((x + w - 1)) unselected"; fi
  i=$((i + 1))
  check "tab $name is at $place, drawn at $(sed -n "${i}p" <<<"$spans")" '[ "$(sed -n "${i}p" <<<"$spans")" = "$want" ]'
done < <(grep '^    page tab|' <<<"$t")
check "not six tabs" '[ $i = 6 ]'
# Each feature box checked exactly where the screen shows a check mark in its box.
boxes=0
while IFS='|' read -r _ name _ states place; do
  IFS=, read -r x y _ _ <<<"$place"
  ink=$(convert "$work/shot.png" -crop "9x9+$((X + x + 2))+$((Y + y + 4))" +repage -fill black +opaque 'rgb(0,85,234)' \
    -fill white -opaque 'rgb(0,85,234)' -format '%[fx:round(mean*81)]' info:)
  drawn=unchecked; [ "$ink" -gt 0 ] && drawn=checked
  said=unchecked; [[ $states == checked,* ]] && said=checked
  boxes=$((boxes + 1))
  check "$name is $said but drawn $drawn" '[ "$said" = "$drawn" ]'
done < <(grep '^      check button|' <<<"$t")
check "not nine feature boxes" '[ $boxes = 9 ]'

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
