#!/usr/bin/env bash
# quorvel-report --json under Wine: one UTF-8 document that python's json module reads, whose page
# values are the text report's field by field, with the raw numbers beside them; --cpuid fills the
# processor's raw numbers from a dump; --output and the exit statuses as for the other formats.
set -uo pipefail
bin=${QUORVEL_BIN:?}
wine=${QUORVEL_WINE:?}
source=${QUORVEL_SOURCE:?}
exe=$bin/quorvel-report.exe
work=$(mktemp -d "$bin/e2e-json.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }

"$wine" "$exe" --json >"$work/out.json" 2>"$work/err.txt" || fail "--json exited $?: $(cat "$work/err.txt")"
python3 -m json.tool "$work/out.json" >/dev/null || fail "python3 -m json.tool rejects the document"
"$wine" "$exe" >"$work/out.txt" 2>/dev/null || fail "the text report exited $?"

# Field by field against the text report of a second pass. The clock is measured afresh by each
# pass, so Speed is compared by its form only.
python3 - "$work/out.json" "$work/out.txt" <<'PY' || failures=$((failures + 1))
import json, re, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
text = open(sys.argv[2], encoding='cp1252', newline='').read().split('\r\n')
faults = []
if doc['program'] != 'Quorvel' or doc['version'] != '1.0':
    faults.append(f"program and version are {doc['program']!r} {doc['version']!r}")
if text[0] != 'QUORVEL ' + doc['date']:
    faults.append(f"date {doc['date']!r} is not the report's {text[0]!r}")
if not re.fullmatch(r'\d{1,2}:\d\d:\d\d', doc['time']):
    faults.append(f"time {doc['time']!r}")
headings = ['[ MY COMPUTER ]', '[ PROCESSOR ]', '[ OPERATING SYSTEM ]', '[ DEVICES ]', '[ MORE ... ]', '[ ABOUT ]']
pages = doc['pages']
if list(pages) != ['My Computer', 'Processor', 'Operating System', 'Devices', 'More ...', 'About']:
    faults.append(f'pages are {list(pages)}')
at = 2
for heading, (page, members) in zip(headings[:5], pages.items()):
    if text[at] != heading:
        faults.append(f'{heading} expected at line {at + 1}, found {text[at]!r}')
        break
    lines = []
    for name, value in members.items():
        if isinstance(value, list):
            lines.append(' ' + name + ':')
            lines += ['    ' + item for item in value]
        elif name == 'Version':
            lines.append(f" Version: {value} (Build: {members['Build']})")
        elif name != 'Build':
            lines.append(f' {name}: {value}')
    body = text[at + 2:at + 2 + len(lines)]
    for want, got in zip(lines, body):
        if want.startswith(' Speed: '):
            if not re.fullmatch(r' Speed: (\d+\.\d\d (MHz|GHz))?', got):
                faults.append(f'{page}: {got!r}')
        elif want != got:
            faults.append(f'{page}: JSON gives {want!r}, the report {got!r}')
    if len(body) != len(lines) or text[at + 2 + len(lines)] != '':
        faults.append(f'{page}: the report has other lines than the JSON')
    at += 2 + len(lines) + 1
about = pages['About']
if text[at + 2:at + 9] != [' Quorvel v' + about['Version'], ' ' + about['Credits'], '', ' ' + about['Licence'], '',
                           ' ' + about['Notice'], ' ' + about['Home Page']]:
    faults.append(f'About differs: {text[at + 2:at + 9]}')
raw = doc['raw']
mem = raw['memory']
if not (isinstance(mem['totalBytes'], int) and 0 < mem['availableBytes'] <= mem['totalBytes']):
    faults.append(f'memory {mem}')
shift = 30 if mem['totalBytes'] >> 20 > 1024 else 20 if mem['totalBytes'] >> 10 > 1024 else 10
unit = {30: 'Gb', 20: 'Mb', 10: 'Kb'}[shift]
if pages['My Computer']['Memory'] != f"{mem['totalBytes'] >> shift} {unit}":
    faults.append(f"Memory text {pages['My Computer']['Memory']!r} does not follow {mem['totalBytes']} bytes")
win = raw['windows']
if pages['Operating System']['Version'] != f"{win['major']}.{win['minor']}" or pages['Operating System']['Build'] != str(win['build']):
    faults.append(f'windows {win} against the page')
scr = raw['screen']
if pages['More ...']['Screen Resolution'] != f"{scr['width']} x {scr['height']} pixels":
    faults.append(f'screen {scr} against the page')
cpu = raw['processor']
if cpu['cpuid'] and cpu['cpuid']['vendor'] != pages['Processor']['Vendor']:
    faults.append(f"vendor {cpu['cpuid']['vendor']!r} against the page")
if not isinstance(cpu['clockMHz'], float) or cpu['clockMHz'] <= 0:
    faults.append(f"clock {cpu['clockMHz']!r}")
if list(cpu['features']) != ['FPU', 'RDTSC', 'MMX', 'MMX+', '3DNow!', '3DNow!+', 'iSSE', 'iSSE-2', 'APIC']:
    faults.append(f"features {cpu['features']}")
for f in faults:
    print('FAIL: ' + f)
sys.exit(1 if faults else 0)
PY

# A recorded processor with a brand string in its extended leaves.
python3 - "$source/tests/data/athlon-thunderbird.txt" >"$work/athlon.txt" <<'PY'
import struct, sys
print(open(sys.argv[1]).read().rstrip())
brand = b'AMD Athlon(tm) Processor'.ljust(48, b'\0')
for i in range(3):
    words = struct.unpack('<4I', brand[16 * i:16 * i + 16])
    print(f'ext_cpuid[{2 + i}]=' + ' '.join(f'{w:08x}' for w in words))
PY
"$wine" "$exe" --json --cpuid "$(winpath "$work/athlon.txt")" --output "$(winpath "$work/athlon.json")" \
  >"$work/out2.txt" 2>"$work/err2.txt" || fail "--json --cpuid --output exited $?: $(cat "$work/err2.txt")"
[ -s "$work/out2.txt" ] && fail "--output also wrote to standard output"
python3 - "$work/athlon.json" <<'PY' || failures=$((failures + 1))
import json, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
cpuid = doc['raw']['processor']['cpuid']
want = {'vendor': 'AuthenticAMD', 'signature': 0x642, 'family': 6, 'model': 4, 'baseFamily': 6, 'baseModel': 4,
        'stepping': 2, 'type': 0, 'brand': 'AMD Athlon(tm) Processor'}
if cpuid != want:
    print(f'FAIL: cpuid from the dump is {cpuid}')
    sys.exit(1)
features = doc['raw']['processor']['features']
if not (features['3DNow!'] and features['3DNow!+'] and features['MMX+'] and not features['iSSE']):
    print(f'FAIL: features from the dump are {features}')
    sys.exit(1)
PY

# --json and --html together: status 2, the usage, no report.
"$wine" "$exe" --json --html >"$work/out3.txt" 2>"$work/err3.txt"
status=$?
[ "$status" = 2 ] || fail "--json --html exited $status"
grep -q 'cannot be given together' "$work/err3.txt" || fail "no message for --json --html"
[ -s "$work/out3.txt" ] && fail "a report was written for --json --html"
# An unwritable --output: status 1, nothing created.
"$wine" "$exe" --json --output "$(winpath "$work/no-such-folder/r.json")" >/dev/null 2>&1
status=$?
[ "$status" = 1 ] || fail "unwritable --json --output exited $status"

[ "$failures" = 0 ] && echo "json.sh: all checks passed"
exit $((failures > 0))
