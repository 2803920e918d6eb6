#!/usr/bin/env bash
# quorvel-report --cpuid on the hand-written dumps of tests/data, and --save-cpuid replaying.
set -uo pipefail
bin=${QUORVEL_BIN:?}
wine=${QUORVEL_WINE:?}
src=${QUORVEL_SOURCE:?}
exe=$bin/quorvel-report.exe
work=$(mktemp -d "$bin/e2e-cpuid.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }

# The Processor section of a report, without its CR.
section() { sed -n '/^\[ PROCESSOR \]/,/^\[ OPERATING SYSTEM \]/p' "$1" | tr -d '\r'; }

# dump | description | vendor | speed pattern | type | features
while IFS='|' read -r dump description vendor speed type features; do
  [ -z "$dump" ] && continue
  out=$work/$dump.out
  "$wine" "$exe" --cpuid "$(winpath "$src/tests/data/$dump")" >"$out" 2>"$work/$dump.err"
  status=$?
  [ "$status" = 0 ] || { fail "$dump: exit $status: $(cat "$work/$dump.err")"; continue; }
  s=$(section "$out")
  grep -qxF " Description: $description" <<<"$s" || fail "$dump: description in: $s"
  grep -qxF " Vendor: $vendor" <<<"$s" || fail "$dump: vendor in: $s"
  grep -qxE " Speed: $speed" <<<"$s" || fail "$dump: speed in: $s"
  grep -qxF " Type: $type" <<<"$s" || fail "$dump: type in: $s"
  grep -qxF " Features: $features" <<<"$s" || fail "$dump: features in: $s"
done <<'TABLE'
pentium3-dual.txt|intel Pentium III|GenuineIntel|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX iSSE APIC 
athlon-thunderbird.txt|AMD Athlon (THUNDERBIRD)|AuthenticAMD|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX MMX+ 3DNow! 3DNow!+ APIC 
amd-k5.txt|AMD K5 (PR75/PR90/PR100)|AuthenticAMD|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC PGE 
intel-486dx4-overdrive.txt|intel 80486 DX-4|GenuineIntel||Overdrive|FPU 
umc-u5s.txt|UMC 80486 *U5S*|UMC UMC UMC ||Primary|FPU 
pentium4.txt|intel Pentium 4|GenuineIntel|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX iSSE iSSE-2 APIC 
cyrix-m2.txt|IBM Cyrix M2 (6x86 MX)|CyrixInstead|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX MMX+ 
intel-core-i9-12900k.txt|12th Gen Intel(R) Core(TM) i9-12900K|GenuineIntel|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX iSSE iSSE-2 APIC 
intel-core-i9-13900k.txt|13th Gen Intel(R) Core(TM) i9-13900K|GenuineIntel|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX iSSE iSSE-2 APIC 
amd-ryzen9-5950x.txt|AMD Ryzen 9 5950X 16-Core Processor|AuthenticAMD|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX MMX+ iSSE iSSE-2 APIC 
amd-ryzen9-7950x.txt|AMD Ryzen 9 7950X 16-Core Processor|AuthenticAMD|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX MMX+ iSSE iSSE-2 APIC 
amd-ryzen9-9950x.txt|AMD Ryzen 9 9950X 16-Core Processor|AuthenticAMD|[0-9]+\.[0-9]{2} [MG]Hz|Primary|FPU RDTSC MMX MMX+ iSSE iSSE-2 APIC 
TABLE

# A dump without leaf 0, or none at all: status 2, a message on standard error, no report.
printf 'CPUID 00000001: 00000633-00000000-00000000-0080F9FF\r\n' >"$work/bad.txt"
for dump in "$work/bad.txt" "$work/missing.txt"; do
  "$wine" "$exe" --cpuid "$(winpath "$dump")" >"$work/bad.out" 2>"$work/bad.err"
  status=$?
  [ "$status" = 2 ] || fail "$(basename "$dump"): exit $status"
  grep -q '^quorvel-report: ' "$work/bad.err" || fail "$(basename "$dump"): message was '$(cat "$work/bad.err")'"
  [ -s "$work/bad.out" ] && fail "$(basename "$dump"): a report was written"
done

# This machine's leaves saved and replayed give the same section apart from Speed and Count.
"$wine" "$exe" --save-cpuid "$(winpath "$work/this.txt")" >"$work/save.out" 2>"$work/save.err"
status=$?
[ "$status" = 0 ] || fail "--save-cpuid exited $status: $(cat "$work/save.err")"
[ -s "$work/save.out" ] && fail "--save-cpuid also wrote a report"
head -n 1 "$work/this.txt" | grep -qE $'^CPUID 00000000: [0-9A-F]{8}(-[0-9A-F]{8}){3}\r$' || fail "saved dump starts '$(head -n 1 "$work/this.txt")'"
"$wine" "$exe" >"$work/plain.out" 2>/dev/null
"$wine" "$exe" --cpuid "$(winpath "$work/this.txt")" >"$work/replay.out" 2>"$work/replay.err" || fail "replay: $(cat "$work/replay.err")"
diff <(section "$work/plain.out" | grep -vE '^ (Speed|Count):') <(section "$work/replay.out" | grep -vE '^ (Speed|Count):') >"$work/diff" ||
  fail "replayed section differs: $(cat "$work/diff")"

# A Greek name is saved and read as typed; its look-alike in the code page stays as it was.
echo old >"$work/afa.txt"
greek=$work/$'\u03b1\u03c6\u03b1'.txt
LC_ALL=C.UTF-8 "$wine" "$exe" --save-cpuid "$(winpath "$greek")" 2>"$work/greek.err" || fail "Greek save: $(cat "$work/greek.err")"
[ "$(cat "$work/afa.txt")" = old ] || fail "--save-cpuid with a Greek name overwrote afa.txt"
head -n 1 "$greek" | grep -q '^CPUID 00000000: ' || fail "no dump under the Greek name: $(ls "$work")"
LC_ALL=C.UTF-8 "$wine" "$exe" --cpuid "$(winpath "$greek")" >/dev/null 2>"$work/greek.err" || fail "Greek replay: $(cat "$work/greek.err")"

[ "$failures" = 0 ] && echo "cpuid.sh: all checks passed"
exit $((failures > 0))
