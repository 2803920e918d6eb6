#!/usr/bin/env bash
# Two figures of quorvel-report, each in a Wine prefix of its own (build/wineprefix-bench-classes),
# since planted device classes must not reach the other figures:
#  - the clock: ten passes quiet and ten with every processor kept busy, against the kernel's TSC
#    frequency;
#  - the device-class scan: the whole run of quorvel-report with 0, 1,000 and 10,000 classes planted
#    ahead of the real ones (so that every look-up passes them all).
# scripts/bench runs it at its end; on its own:
#   bench/ClockAndClasses.sh [-n N] [--programs DIR]
# Not a test: it prints numbers and fails only when it cannot measure.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

runs=5; programs=""
while [ $# -gt 0 ]; do
  case "$1" in
    -n) runs=$2; shift 2 ;;
    --programs) programs=$(cd "$2" && pwd); shift 2 ;;
    *) echo "usage: bench/ClockAndClasses.sh [-n N] [--programs DIR]" >&2; exit 2 ;;
  esac
done
tree=$(scripts/wine --tree)
[ -n "$programs" ] || programs=$tree
report=$programs/quorvel-report.exe
[ -f "$report" ] || { echo "bench: no $report (run scripts/build)" >&2; exit 1; }
if [ "$(scripts/wine --arch)" = i686 ]; then loader=/usr/lib/wine/wine; winearch=win32
else loader=/usr/lib/wine/wine64; winearch=win64; fi

export WINEPREFIX=$repo/build/wineprefix-bench-classes WINEARCH=$winearch WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "bench: preparing $WINEPREFIX (once)" >&2
  "$loader" wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
wineserver -k 2>/dev/null || true
wineserver -p
burners=()
work=$(mktemp -d)
stop() {
  for pid in "${burners[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap stop EXIT

now() { date +%s.%N; }
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
winpath() { echo "Z:${1//\//\\}"; }

"$loader" "$report" >/dev/null 2>&1 || true   # the first run pays for the prefix's caches

# --- The clock against the kernel's TSC frequency ---
# The kernel's own calibration where it logged one, else the frequency it detected at boot.
tsc="" tscFrom=""
klog=$( { dmesg 2>/dev/null || journalctl -k -b 2>/dev/null || true; } )
if v=$(grep -o 'Refined TSC clocksource calibration: [0-9.]* MHz' <<<"$klog" | grep -o '[0-9.]* MHz' | head -n 1) && [ -n "$v" ]; then
  tsc=${v% MHz}; tscFrom="kernel log, tsc: Refined TSC clocksource calibration"
elif v=$(grep -o 'tsc: Detected [0-9.]* MHz' <<<"$klog" | grep -o '[0-9.]* MHz' | head -n 1) && [ -n "$v" ]; then
  tsc=${v% MHz}; tscFrom="kernel log, tsc: Detected ... MHz processor"
fi
clocks() {   # ten passes: the clockMHz of each
  for _ in $(seq 1 10); do
    "$loader" "$report" --json 2>/dev/null | grep -o '"clockMHz": [0-9.]*' | grep -o '[0-9.]*$' || echo 0
  done
}
spread() {   # label, then the ten clocks on standard input
  local label=$1 values min max med dev
  values=$(cat)
  min=$(sort -g <<<"$values" | head -n 1); max=$(sort -g <<<"$values" | tail -n 1)
  med=$(median <<<"$values")
  if [ -n "$tsc" ]; then
    dev=$(awk -v t="$tsc" '{ d = ($1 - t) / t * 100; if (d < 0) d = -d; if (d > m) m = d } END { printf "%.3f", m }' <<<"$values")
    printf '%-28s %10.2f %10.2f %10.2f %12s   %s\n' "$label" "$min" "$med" "$max" "$dev %" "<= 0.050 %"
  else
    printf '%-28s %10.2f %10.2f %10.2f %12s   %s\n' "$label" "$min" "$med" "$max" "-" "(no kernel TSC frequency)"
  fi
}
echo "bench: clock, quiet" >&2
quiet=$(clocks)
echo "bench: clock, every processor busy" >&2
for _ in $(seq 1 "$(nproc)"); do
  ( while :; do :; done ) &
  burners+=($!)
done
busy=$(clocks)
for pid in "${burners[@]}"; do kill "$pid" 2>/dev/null || true; done
burners=()

# --- The device-class scan ---
# Planted under the NT family's class root, each with a name no look-up asks for and one instance.
root='HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class'
plant() {   # from to [delete]: classes from .. to-1, or their removal
  root="$root" awk -v from="$1" -v to="$2" -v del="${3:-}" 'BEGIN {
    root = ENVIRON["root"]   # as it stands: -v would read its backslashes as escapes
    print "REGEDIT4"
    for (i = from; i < to; i++) {
      n = sprintf("%05d", i)
      if (del == "delete") { print "[-" root "\\{0000bench-" n "}]"; continue }
      print "[" root "\\{0000bench-" n "}]"; print "\"Class\"=\"BenchClass" n "\""
      print "[" root "\\{0000bench-" n "}\\0000]"; print "\"DriverDesc\"=\"Bench device " n "\""
    }
  }' >"$work/plant.reg"
  "$loader" regedit /s "$(winpath "$work/plant.reg")" >/dev/null 2>&1
}
pass() {   # median seconds of the whole quorvel-report run
  for _ in $(seq 1 "$runs"); do
    t0=$(now); "$loader" "$report" >/dev/null 2>&1; t1=$(now)
    calc "$t1 - $t0"; echo
  done | median
}
declare -A classes
plant 0 10000 delete
planted=0
for count in 0 1000 10000; do
  echo "bench: device classes, $count planted" >&2
  [ "$count" -gt "$planted" ] && plant "$planted" "$count"
  planted=$count
  classes[$count]=$(pass)
done
plant 0 10000 delete

echo "Quorvel bench, clock and device classes: $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "programs: $programs"
printf '%-28s %10s %10s %10s %12s   %s\n' "clock, MHz (10 passes)" "min" "median" "max" "worst dev." "goal"
spread "clock quiet" <<<"$quiet"
spread "clock, every processor busy" <<<"$busy"
echo "(kernel TSC frequency: ${tsc:-unknown} MHz, from ${tscFrom:-nowhere}; clockMHz of quorvel-report --json)"
printf '%-28s %10s %10s %10s\n' "device classes planted" "0" "1000" "10000"
printf '%-28s %10.3f %10.3f %10.3f\n' "quorvel-report run, s" "${classes[0]}" "${classes[1000]}" "${classes[10000]}"
echo "(medians of $runs runs; each class has a name no look-up asks for and one instance, and sorts ahead"
echo " of the prefix's own classes)"
