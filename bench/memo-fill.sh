#!/usr/bin/env bash
# The window's gathering pass against the report tool's on a machine with 2,000 ports, in a Wine
# prefix of its own (build/wineprefix-bench-ports) with the ports planted in the registry: the
# window must fill its memos in time proportional to their lines.
#   bench/memo-fill.sh [-n N] [--programs DIR]   (scripts/bench runs it; it builds nothing)
# Prints the medians of N runs (default 3) of each, and their difference.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
runs=3; programs=""
while [ $# -gt 0 ]; do
  case "$1" in
    -n) runs=$2; shift 2 ;;
    --programs) programs=$(cd "$2" && pwd); shift 2 ;;
    *) echo "usage: bench/memo-fill.sh [-n N] [--programs DIR]" >&2; exit 2 ;;
  esac
done
if [ -z "${QUORVEL_MEMO_BENCH_INNER:-}" ]; then
  exec env QUORVEL_MEMO_BENCH_INNER=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" -n "$runs" ${programs:+--programs "$programs"}
fi
[ -n "$programs" ] || programs=$(scripts/wine --tree)
ports=2000

export QUORVEL_WINEPREFIX=$repo/build/wineprefix-bench-ports QUORVEL_WINE_MANAGED=N
scripts/wine cmd /c exit >/dev/null 2>&1 || true   # makes the prefix once
if [ "$(scripts/wine --arch)" = i686 ]; then loader=/usr/lib/wine/wine; else loader=/usr/lib/wine/wine64; fi
export WINEPREFIX=$QUORVEL_WINEPREFIX WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

# One class of ports with 2,000 instances, each with its description.
reg=$(mktemp --suffix=.reg)
{
  printf 'REGEDIT4\r\n\r\n'
  key='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{00000004-quorvel-bench-ports}'
  printf '[%s]\r\n"Class"="Ports"\r\n\r\n' "$key"
  for i in $(seq 0 $((ports - 1))); do
    printf '[%s\\%04d]\r\n"DriverDesc"="Bench port %04d"\r\n\r\n' "$key" "$i" "$i"
  done
} >"$reg"
"$loader" regedit /s "$(winepath -w "$reg" 2>/dev/null || echo "Z:${reg//\//\\}")" >/dev/null 2>&1
rm -f "$reg"
count=$("$loader" "$programs/quorvel-report.exe" 2>/dev/null | grep -c '^    Bench port ' || true)
[ "$count" = "$ports" ] || { echo "memo-fill: the report shows $count planted ports, not $ports" >&2; exit 1; }

now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# The Export button, disabled until the pass ends.
export_button() { import -window root -crop 60x14+$((X + 29))+$((Y + 100)) +repage rgb:- | md5sum; }

tool=(); window=()
for i in $(seq 1 "$runs"); do
  t0=$(now); "$loader" "$programs/quorvel-report.exe" >/dev/null 2>&1; t1=$(now)
  tool+=("$(awk "BEGIN { print $t1 - $t0 }")")

  "$loader" "$programs/Quorvel.exe" >/dev/null 2>&1 &
  pid=$!
  win=""
  for _ in $(seq 1 600); do
    win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "memo-fill: no Quorvel window" >&2; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # A click while the window is still starting up may be lost: the pointer rests on Info first.
  xdotool mousemove --sync $((X + 59)) $((Y + 43))
  sleep 3
  disabled=$(export_button)
  t0=$(now)
  xdotool click 1   # Info, under the pointer (a move --sync to where it is would wait)
  for _ in $(seq 1 3000); do [ "$(export_button)" != "$disabled" ] && break; sleep 0.02; done
  t1=$(now)
  window+=("$(awk "BEGIN { print $t1 - $t0 }")")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  sleep 0.5
done
mt=$(printf '%s\n' "${tool[@]}" | median); mw=$(printf '%s\n' "${window[@]}" | median)
printf '%-28s %12.3f %14.3f %16s   %s\n' "pass, $ports port lines, s" "$mw" "$mt" \
  "+$(awk "BEGIN { printf \"%.3f\", $mw - $mt }")" "<= +1.000 (report tool, same registry)"
echo "(window: Info pressed until Export is enabled; report tool: start to exit; medians of $runs;"
echo " every run: $(printf '%s ' "${window[@]}")/ $(printf '%s ' "${tool[@]}"))"
