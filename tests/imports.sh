#!/usr/bin/env bash
# The programs' imports against the list, and that the check bites: a list without one of the
# imported functions, and one that dates it to 98 and Vista, must each fail, naming that function.
#   tests/imports.sh CHECKER LIST PROGRAM.exe...
set -uo pipefail
check=$1 list=$2
shift 2
"$check" "$list" "$@" || exit 1

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail=0
# GetModuleHandleA: every program of this kind imports it, whatever else changes.
grep -v '^KERNEL32\.dll  *GetModuleHandleA ' "$list" >"$scratch/without.txt"
sed -E 's/^(KERNEL32\.dll +GetModuleHandleA +)95 +3\.1 /\198 Vista /' "$list" >"$scratch/newer.txt"
for bad in without newer; do
  if "$check" "$scratch/$bad.txt" "$@" >"$scratch/$bad.out"; then
    echo "FAIL: the check passed with the list $bad.txt"; fail=1
  elif ! grep -q '^FAIL: .*KERNEL32\.dll GetModuleHandleA' "$scratch/$bad.out"; then
    echo "FAIL: the check of $bad.txt did not name GetModuleHandleA:"; cat "$scratch/$bad.out"; fail=1
  fi
done
[ $fail -eq 0 ] && echo "the check fails on a missing entry and on a function too new"
exit $fail
