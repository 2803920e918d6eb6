#!/usr/bin/env bash
# quorvel-report under Wine: the report on standard output and in a file, and its exit codes.
set -uo pipefail
bin=${QUORVEL_BIN:?}
wine=${QUORVEL_WINE:?}
exe=$bin/quorvel-report.exe
work=$(mktemp -d "$bin/e2e-report.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }

before=$(date +%d-%m-%Y)
"$wine" "$exe" >"$work/out.txt" 2>"$work/err.txt"
status=$?
after=$(date +%d-%m-%Y)
[ "$status" = 0 ] || fail "plain run exited $status: $(cat "$work/err.txt")"

first=$(head -n 1 "$work/out.txt" | tr -d '\r')
[ "$first" = "QUORVEL $before" ] || [ "$first" = "QUORVEL $after" ] || fail "first line is '$first'"
# Every line ends in CR LF, the last one too.
lines=$(wc -l <"$work/out.txt")
crlf=$(grep -c $'\r$' "$work/out.txt")
[ "$lines" -gt 50 ] && [ "$lines" = "$crlf" ] || fail "$crlf of $lines lines end in CR LF"
[ "$(tail -c 2 "$work/out.txt" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "last line without CR LF"
grep -qE $'^ Computer Name: [^ -].*\r$' "$work/out.txt" || fail "Computer Name not filled"
grep -qE $'^ Memory: [0-9]+ (Kb|Mb|Gb)\r$' "$work/out.txt" || fail "Memory not filled"

# HTML into a file: nothing on standard output, the page opens and closes.
"$wine" "$exe" --html --output "$(winpath "$work/r.htm")" >"$work/out2.txt" 2>"$work/err2.txt"
status=$?
[ "$status" = 0 ] || fail "--html --output exited $status: $(cat "$work/err2.txt")"
[ -s "$work/out2.txt" ] && fail "--output also wrote to standard output"
[ "$(head -n 1 "$work/r.htm" 2>/dev/null)" = $'<html>\r' ] || fail "HTML file does not start with <html>"
[ "$(tail -n 1 "$work/r.htm" 2>/dev/null)" = $'</body></html>\r' ] || fail "HTML file does not end the page"
grep -qE $'^Gathered on [0-9]{2}-[0-9]{2}-[0-9]{4}<br>\r$' "$work/r.htm" || fail "no Gathered on line"

# A bad argument: status 2, the usage on standard error, no report.
"$wine" "$exe" --bogus >"$work/out3.txt" 2>"$work/err3.txt"
status=$?
[ "$status" = 2 ] || fail "bad argument exited $status"
grep -q '^usage: quorvel-report' "$work/err3.txt" || fail "no usage on standard error"
[ -s "$work/out3.txt" ] && fail "a report was written for a bad argument"
"$wine" "$exe" --output >/dev/null 2>&1
status=$?
[ "$status" = 2 ] || fail "--output without FILE exited $status"

# An unwritable --output: status 1, the message, nothing created or changed.
missing=$(winpath "$work/no-such-folder/r.txt")
"$wine" "$exe" --output "$missing" >/dev/null 2>"$work/err4.txt"
status=$?
[ "$status" = 1 ] || fail "unwritable --output exited $status"
grep -qF "Cannot create file $missing" "$work/err4.txt" || fail "message was '$(cat "$work/err4.txt")'"
[ -e "$work/no-such-folder" ] && fail "the missing folder appeared"

printf 'old report\r\n' >"$work/locked.txt"
chmod 444 "$work/locked.txt"
"$wine" "$exe" --output "$(winpath "$work/locked.txt")" >/dev/null 2>"$work/err5.txt"
status=$?
[ "$status" = 1 ] || fail "read-only --output exited $status"
[ "$(cat "$work/locked.txt")" = $'old report\r' ] || fail "the read-only file was changed"
left=$(find "$work" -name '~qv*' | wc -l)
[ "$left" = 0 ] || fail "$left temporary files left behind"

[ "$failures" = 0 ] && echo "report.sh: all checks passed"
exit $((failures > 0))
