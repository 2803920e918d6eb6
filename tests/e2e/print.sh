#!/usr/bin/env bash
# Printing through a real spooler: a CUPS scheduler of the tests' own with a PDF queue
# (tests/e2e/pdf-printer; scripts/test starts one for every test and names it in
# QUORVEL_PDF_PRINTER, else this script starts its own). Drives the real
# window through the X server: Info, Export (the text report to compare with), Print, OK in the
# print dialog; then checks the PDF the spooler wrote: its page count, its text against the report
# without its two header lines, and the job name. A second case types a long Media list into the
# window and checks that the pages break where the line printer's own layout on that printer says,
# that lines as wide as the paper allows keep every character, and that print failures say why.
set -uo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}" "${QUORVEL_SOURCE:?}"
[ -n "${DISPLAY:-}" ] || { echo "needs a display (scripts/test provides a virtual one)"; exit 1; }
for tool in lpstat pdfinfo pdftotext ipptool python3 xdotool; do
  command -v $tool >/dev/null || { echo "FAIL: $tool is missing (scripts/setup installs it)"; exit 1; }
done
helper=$QUORVEL_SOURCE/tests/e2e/pdf-printer
work=$(mktemp -d "$QUORVEL_BIN/e2e-print.XXXXXX")
pdfs=${QUORVEL_PDF_PRINTER:-$work/printer}
pid=""
cyrillic=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  # The shared queue as it was: PDF accepting, enabled and the default, case 5's printer gone.
  if [ -n "$cyrillic" ]; then lpadmin -x "$cyrillic"; lpadmin -d PDF; fi 2>/dev/null
  { cupsaccept PDF; cupsenable PDF; } 2>/dev/null
  [ -n "${QUORVEL_PDF_PRINTER:-}" ] || "$helper" down "$pdfs" >/dev/null 2>&1
  if [ "${failures:-1}" = 0 ]; then rm -rf "$work"; else echo "kept for a look: $work"; fi
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }

# The queue first: a Wine program started without a scheduler drops the CUPS printers.
export "$("$helper" up "$pdfs" | tail -1)" || { echo "FAIL: no PDF printer"; exit 1; }
# Wine takes the spooler's default printer only when it first meets that printer: the prefix's
# default is set here, so that no earlier run leaves another one. A registry file in UTF-16 carries
# a name outside the code page whatever the locale.
wine_default() {   # printer name
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows]\r\n"Device"="%s,wineps.drv,CUPS:%s"\r\n' \
    "$1" "$1" | iconv -f UTF-8 -t UTF-16 >"$work/default.reg"
  "$QUORVEL_WINE" regedit /S "$(winpath "$work/default.reg")" >/dev/null 2>&1 ||
    { echo "FAIL: $1 cannot be made Wine's default printer"; exit 1; }
}
wine_default PDF

start_quorvel() {
  "$QUORVEL_WINE" "$QUORVEL_BIN/Quorvel.exe" >/dev/null 2>&1 &
  pid=$!
  win=""
  for _ in $(seq 1 300); do
    win=$(xdotool search --onlyvisible --name '^Quorvel$' 2>/dev/null | head -1 || true)
    [ -n "$win" ] && break
    sleep 0.1
  done
  [ -n "$win" ] || { echo "FAIL: no Quorvel window appeared"; exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$win")"
}
start_quorvel
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1; }
await_window() {   # title, tenths of a second to wait; prints the window id
  local id=""
  for _ in $(seq 1 "$2"); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Info: the pass ends on the My Computer page with Print and Export enabled.
click 59 43
sleep 3

# Clicks a button until its dialog opens: a click while the pass still runs (the form is disabled
# behind the splash) is lost, and typed keys may still be queued before the click.
open_dialog() {   # x, y, title; prints the dialog's window id
  local id
  for _ in 1 2 3 4; do
    click "$1" "$2"
    id=$(await_window "$3" 100) && { echo "$id"; return 0; }
  done
  return 1
}

export_report() {   # file
  local dialog
  dialog=$(open_dialog 59 107 'Quorvel export') || { fail "no save dialog"; return 1; }
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 10 "$(winpath "$1")"
  xdotool key Return
  for _ in $(seq 1 50); do [ -s "$1" ] && break; sleep 0.1; done
  [ -s "$1" ] || { fail "Export wrote no $1"; return 1; }
  sleep 0.5
  tail -n +3 "$1" >"$1.printed"   # what Print prints: the report without its two header lines
}

latest_job() { lpstat -W completed -o PDF 2>/dev/null | sed -n 's/^PDF-\([0-9]*\) .*/\1/p' | sort -n | tail -1; }

print_report() {   # prints the new PDF's path
  local dialog before job="" pdf="" started
  before=$(latest_job)
  dialog=$(open_dialog 59 75 'Print') || { fail "no print dialog"; return 1; }
  xdotool windowfocus --sync "$dialog"
  xdotool key Return   # OK is the dialog's default button
  started=$(date +%s)
  # A failed job stays pending for ever, and the file appears before Ghostscript has finished it:
  # wait for a completed job, an empty queue and a PDF that reads, within a limit.
  while [ $(( $(date +%s) - started )) -lt 90 ]; do
    job=$(latest_job)
    if [ -n "$job" ] && [ "$job" != "$before" ] && [ -z "$(lpstat -o PDF 2>/dev/null)" ]; then
      pdf=$(ls -t "$pdfs"/*job_"$job".pdf 2>/dev/null | head -1)
      [ -n "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && { echo "$job $pdf"; return 0; }
    fi
    sleep 0.5
  done
  fail "no finished PDF within 90 s (queue: $(lpstat -o PDF 2>&1))"
  return 1
}

layout() {   # lines file, layout file: the line printer's own layout on the default printer
  QUORVEL_PRINT_LINES=$(winpath "$1") QUORVEL_PRINT_LAYOUT=$(winpath "$2") \
    "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel_win32_tests.exe" --gtest_filter='PrinterLayout.*' >"$2.log" 2>&1 ||
    { fail "layout on the printer: $(tail -5 "$2.log")"; return 1; }
  grep -q '^line ' "$2" || { fail "layout test wrote no layout (no default printer?)"; return 1; }
}

job_name() {
  cat >"$work/job.test" <<'IPP'
{
  OPERATION Get-Job-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR integer job-id $job
  ATTR name requesting-user-name $user
  STATUS successful-ok
  DISPLAY job-name
}
IPP
  ipptool -c -d job="$1" "ipp://$(sed 's|/|%2F|g' <<<"$CUPS_SERVER")/printers/PDF" "$work/job.test" | sed -n 2p
}

# Compares a PDF with the report and the layout: python prints one line per fault, and the figures.
check_pdf() {   # case name, report, pdf, layout, whole-text (1: the text must equal the report's)
  pdftotext -layout "$3" "$work/$1.txt"
  pdftotext -bbox "$3" "$work/$1.html"
  python3 - "$1" "$2" "$work/$1.txt" "$work/$1.html" "$4" "$5" "$(pdfinfo "$3" | sed -n 's/^Pages: *//p')" <<'PY'
import re, sys
name, report, text, bbox, layout, whole, pages = sys.argv[1:8]
faults = []
# pdftotext gives the driver's hyphen glyph as U+00AD and spaces as it estimates them.
norm = lambda s: ' '.join(s.replace('\u00ad', '-').split())
expected = open(report, encoding='cp1252', newline='').read().split('\r\n')[2:]
if expected and expected[-1] == '':
    expected.pop()
got_pages = open(text, encoding='utf-8').read().split('\f')[:-1]
got_lines = []
for page in got_pages:
    lines = page.split('\n')
    if lines and lines[-1] == '':
        lines.pop()
    got_lines.append(lines)

drawn = {}   # page -> lines the line printer drew on it
caps = rect = None
for line in open(layout, encoding='cp1252').read().split('\n'):
    if line.startswith('line '):
        _, page, x, y, *rest = line.split(' ', 4) + ['']
        drawn.setdefault(int(page), []).append(rest[0])
    elif line.startswith('caps '):
        caps = [int(v) for v in line.split()[1:]]
    elif line.startswith('rect '):
        rect = [int(v) for v in line.split()[1:]]
    elif line.startswith('perpage '):
        per_page = int(line.split()[1])
want_pages = len(drawn)
if int(pages) != want_pages:
    faults.append(f'{pages} pages in the PDF, the line printer made {want_pages}')
if len(got_pages) != int(pages):
    faults.append(f'pdftotext found {len(got_pages)} pages, pdfinfo {pages}')
for p in range(1, min(len(got_lines), want_pages) + 1):
    a = [norm(l) for l in got_lines[p - 1] if norm(l)]
    b = [norm(l) for l in drawn[p] if norm(l)]
    if a != b:
        faults.append(f'page {p}: text differs from the layout; first difference at '
                      + str(next((i for i, (u, v) in enumerate(zip(a, b)) if u != v), min(len(a), len(b)))))
if whole == '1':
    flat = [l for page in got_lines for l in page]
    if [norm(l) for l in flat] != [norm(l) for l in expected]:
        faults.append(f'text of {len(flat)} lines is not the report\'s {len(expected)} lines')

# Where the ink lies on paper, in millimetres from the paper's edges: left and top on the first
# page, right over every page (the widest line, a wrapped one in the long case), bottom on a full page.
ink = []   # per page: [xMin, yMin, xMax, yMax] of every word
page_w = page_h = 0
for m in re.finditer(r'<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">', open(bbox, encoding='utf-8').read()):
    if m.group(1):
        page_w, page_h = float(m.group(1)), float(m.group(2))
        ink.append([])
    else:
        ink[-1].append([float(v) for v in m.groups()[2:]])
mm = lambda pt: pt * 25.4 / 72
left = mm(min(w[0] for w in ink[0]))
top = mm(min(w[1] for w in ink[0]))
right = mm(page_w - max(w[2] for page in ink for w in page))
bottom = mm(page_h - max(w[3] for w in ink[0]))
print(f'{name}: {pages} page(s) of {page_w:.0f} x {page_h:.0f} pt; {per_page} lines per page; '
      f'device caps (dpi x, dpi y, physical w, h, offset x, y, horzres, vertres) {caps}; '
      f'printable rectangle {rect}; ink from the left edge {left:.2f} mm, from the top {top:.2f} mm, '
      f'from the right {right:.2f} mm, from the bottom of page 1 {bottom:.2f} mm')
if right < 14.5:
    faults.append(f'a line reaches {right:.2f} mm from the right edge')
if bottom < 14.5:
    faults.append(f'page 1 reaches {bottom:.2f} mm from the bottom edge')
if abs(left - 15) > 1:
    faults.append(f'left margin on paper is {left:.2f} mm')
if abs(top - 15) > 1.5:
    faults.append(f'top margin on paper is {top:.2f} mm')
for f in faults:
    print('FAIL: ' + f)
sys.exit(1 if faults else 0)
PY
  [ $? = 0 ] || failures=$((failures + 1))
}

check_job() {   # case name, report, "job pdf"
  local job=${3%% *} date expected
  date=$(head -n 1 "$2" | tr -d '\r' | sed 's/^QUORVEL //')
  expected="Quorvel $date"
  [ "$(job_name "$job")" = "$expected" ] || fail "$1: the spooler's job name is '$(job_name "$job")', not '$expected'"
  [ "$(pdfinfo "${3#* }" | sed -n 's/^Title: *//p')" = "$expected" ] || fail "$1: the PDF's title is not '$expected'"
}

# Case 1: the report as the pass left it, one page.
export_report "$work/report1.txt" || exit 1
result=$(print_report) || exit 1
layout "$work/report1.txt.printed" "$work/layout1.txt" || exit 1
check_pdf short "$work/report1.txt" "${result#* }" "$work/layout1.txt" 1
check_job short "$work/report1.txt" "$result"

# Every character of the lines in a file reaches the paper, and no glyph lies outside the
# 15 mm margins (within a device pixel, the driver's placement of a glyph by its exact width).
check_every_character() {   # case name, lines file, pdf, layout
  pdftotext -bbox "$3" "$work/$1.chars.html"
  python3 - "$2" "$work/$1.chars.html" "$4" <<'PY'
import html, re, sys
lines_file, bbox, layout = sys.argv[1:4]
typed = [l for l in open(lines_file, encoding='cp1252').read().split('\n') if l]
dpi = next(int(l.split()[1]) for l in open(layout, encoding='cp1252') if l.startswith('caps '))
pixel = 25.4 / dpi
mm = lambda pt: pt * 25.4 / 72
pages, words = [], []
for m in re.finditer(r'<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', open(bbox, encoding='utf-8').read()):
    if m.group(1):
        pages.append((float(m.group(1)), float(m.group(2))))
    else:
        words.append((len(pages) - 1, *[float(v) for v in m.groups()[2:6]], html.unescape(m.group(7))))
paper = ''.join(w[5] for w in words)
faults = [f'not whole on paper ({len(l)} characters): {l[:40]}...' for l in typed if ''.join(l.split()) not in paper]
left = min(mm(w[1]) for w in words)
top = min(mm(w[2]) for w in words)
right = min(mm(pages[w[0]][0] - w[3]) for w in words)
bottom = min(mm(pages[w[0]][1] - w[4]) for w in words)
print(f'{len(typed)} lines at the printable width, {len(paper)} characters on {len(pages)} page(s); '
      f'nearest glyphs to the edges: left {left:.3f} mm, top {top:.3f} mm, right {right:.3f} mm, '
      f'bottom {bottom:.3f} mm (a device pixel is {pixel:.3f} mm)')
for edge, value in (('left', left), ('top', top), ('right', right), ('bottom', bottom)):
    if value < 15 - pixel:
        faults.append(f'a glyph lies {value:.3f} mm from the {edge} edge')
for f in faults:
    print('FAIL: ' + f)
sys.exit(1 if faults else 0)
PY
  [ $? = 0 ] || failures=$((failures + 1))
}

# Case 2: lines of digits, letters and words as wide as the printable width, one character
# narrower and one wider, typed into the Media memo: the printer draws each piece as wide as the
# line printer measured it, so nothing is cut at the right margin.
QUORVEL_PRINT_LONG_LINES=$(winpath "$work/wide-lines.txt") \
  "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel_win32_tests.exe" --gtest_filter='PrinterLayout.LinesAtThePrintableWidth' \
  >"$work/wide-lines.log" 2>&1 || { fail "lines at the printable width: $(tail -5 "$work/wide-lines.log")"; exit 1; }
click 482 41          # the Devices tab
click 300 270         # the Media memo
xdotool windowfocus --sync "$win"
xdotool key ctrl+End
while IFS= read -r line; do
  xdotool type --delay 4 "$line"
  xdotool key Return
done <"$work/wide-lines.txt"
export_report "$work/report-wide.txt" || exit 1
result=$(print_report) || exit 1
layout "$work/report-wide.txt.printed" "$work/layout-wide.txt" || exit 1
check_pdf wide "$work/report-wide.txt" "${result#* }" "$work/layout-wide.txt" 0
check_every_character wide "$work/wide-lines.txt" "${result#* }" "$work/layout-wide.txt"
[ -n "${QUORVEL_PRINT_KEEP:-}" ] && cp "${result#* }" "$QUORVEL_PRINT_KEEP"

# Case 3: a Media list long enough for several pages, typed into the window as a user would
# (the Devices page's memos take typing, and the reports show what they hold), with one line
# too wide for the paper.
click 482 41          # the Devices tab
click 300 270         # the Media memo
xdotool windowfocus --sync "$win"
xdotool key ctrl+End
xdotool type --delay 4 "$(printf 'Planted media line %03d\n' $(seq 1 150))"
xdotool key Return
xdotool type --delay 4 "$(printf 'A line far too long for the paper, so the printer wraps it at a blank: %s' "$(printf 'word%02d ' $(seq 1 40))")"
export_report "$work/report2.txt" || exit 1
grep -q $'^    Planted media line 150\r$' "$work/report2.txt" || fail "the typed Media lines are not in the report"
result=$(print_report) || exit 1
layout "$work/report2.txt.printed" "$work/layout2.txt" || exit 1
check_pdf long "$work/report2.txt" "${result#* }" "$work/layout2.txt" 0
check_job long "$work/report2.txt" "$result"
[ "$(sed -n 's/^pages //p' "$work/layout2.txt")" -ge 3 ] || fail "the long listing did not need three pages"
wrapped=$(grep -c '^line .* word[0-9]' "$work/layout2.txt")
[ "$wrapped" -ge 2 ] || fail "the long line was not wrapped ($wrapped pieces)"

# Case 4: print failures name the step and the system's reason, never an error number alone.
helptext() { "$QUORVEL_WINE" "$QUORVEL_BIN/quorvel-helptext.exe" "$@" 2>/dev/null | tr -d '\r'; }
print_message() {   # OK in the print dialog; prints the caption and text of the box that answers, if any
  local dialog text="" box
  dialog=$(open_dialog 59 75 'Print') || { fail "no print dialog"; return 1; }
  xdotool windowfocus --sync "$dialog"
  xdotool key Return
  for _ in $(seq 1 30); do
    text=$(helptext --message) && [ "$(head -1 <<<"$text")" != Print ] && break
    text=""
    sleep 0.5
  done
  [ -n "$text" ] || return 0
  [ -n "${QUORVEL_PRINT_SHOTS:-}" ] && import -window root "$QUORVEL_PRINT_SHOTS-$(date +%s).png"
  echo "$text"
  box=$(xdotool search --onlyvisible --name "^$(head -1 <<<"$text")\$" 2>/dev/null | grep -vx "$win" | head -1)
  [ -n "$box" ] && { xdotool windowfocus --sync "$box"; xdotool key Return; sleep 0.5; }
}
expect_words() {   # case name, message, the words it must begin with
  echo "$1: $(tail -n +2 <<<"$2" | tr '\n' ' ')"
  case "$(tail -n +2 <<<"$2")" in
    "$3"*) ;;
    *) fail "$1: the message does not begin with '$3'" ;;
  esac
  grep -Eq 'error [0-9]+|gave no reason' <<<"$2" && fail "$1: the message gives no reason in words"
}

cupsreject PDF
message=$(print_message)
cupsaccept PDF
expect_words rejecting "$message" "The printer did not accept the job: "

cupsdisable PDF
before=$(lpstat -o PDF 2>/dev/null | wc -l)
message=$(print_message)
[ -z "$message" ] || fail "stopped queue: a message came although the job waits in the queue: $message"
sleep 2
[ "$(lpstat -o PDF 2>/dev/null | wc -l)" -gt "$before" ] || fail "stopped queue: no job waits in it"
cupsenable PDF
echo "stopped: the job waits in the queue, no message"

lpadmin -x PDF
message=$(print_message)
"$helper" up "$pdfs" >/dev/null || fail "the PDF queue could not be made again"
expect_words deleted "$message" "The printer did not accept the job: "

# Close ends the program.
click 570 11
for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && fail "Close did not end the program"
pid=""

# Case 5: a default printer whose name the code page cannot hold is printed to, under its name.
cyrillic=$'\u041f\u0440\u0438\u043d\u0442\u0435\u0440'
lpadmin -p "$cyrillic" -E -v "quorvel-pdf:$pdfs" -P "$QUORVEL_SOURCE/tests/e2e/pdf-printer.ppd" -o PageSize=A4 2>/dev/null
lpadmin -d "$cyrillic"
wine_default "$cyrillic"
# lpstat writes the queue's name URL-encoded: the jobs of any queue but PDF.
latest_cyrillic() { lpstat -W completed -o 2>/dev/null | grep -v '^PDF-' | sed -n 's/^[^ ]*-\([0-9]*\) .*/\1/p' | sort -n | tail -1; }
before=$(latest_cyrillic)
start_quorvel   # the printers as the spooler has them now
click 59 43
sleep 3
message=$(print_message)
[ -z "$message" ] || fail "printer $cyrillic: $message"
job=""
for _ in $(seq 1 120); do
  job=$(latest_cyrillic)
  [ -n "$job" ] && [ "$job" != "$before" ] && ls "$pdfs"/*job_"$job".pdf >/dev/null 2>&1 && break
  job=""
  sleep 0.5
done
[ -n "$job" ] && echo "printer $cyrillic: job $job printed" || fail "nothing was printed on the default printer $cyrillic"
click 570 11
for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
pid=""
lpadmin -d PDF
lpadmin -x "$cyrillic"
wine_default PDF

[ $failures = 0 ] && echo "print.sh: all checks passed"
exit $((failures > 0))
