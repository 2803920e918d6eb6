#!/usr/bin/env bash
# The release zip of the shipped 32-bit tree: the programs linked again a few seconds later are
# the same bytes, two packagings are the same zip, and what the zip holds is what a Windows user
# needs (README.txt in CR LF, sums that check, no link time, no debug link).
set -euo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_SOURCE:?}"
tree=$(dirname "$QUORVEL_BIN")/win32
work=$(mktemp -d "$QUORVEL_BIN/e2e-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'echo "package.sh: failed at line $LINENO"' ERR

programs=(Quorvel.exe quorvel-report.exe)
(cd "$tree" && sha256sum "${programs[@]}") >"$work/first.sum"
# Link times have a resolution of one second: wait past it, so that any would show.
sleep 2
# A newer link script makes both link again, and a failed link leaves no program deleted.
touch "$tree"/CMakeFiles/{Quorvel,quorvel-report}.dir/link.txt
cmake --build "$tree" --target Quorvel quorvel-report >/dev/null
(cd "$tree" && sha256sum "${programs[@]}") >"$work/second.sum"
if ! cmp -s "$work/first.sum" "$work/second.sum"; then
  echo "linking again gave other programs:"; diff "$work/first.sum" "$work/second.sum"; exit 1
fi

"$QUORVEL_SOURCE/scripts/package" --no-build --tree "$tree" --out "$work/a" >/dev/null
sleep 1
"$QUORVEL_SOURCE/scripts/package" --no-build --tree "$tree" --out "$work/b" >/dev/null
zip=$(cd "$work/a" && ls Quorvel-*-win32.zip)
cmp "$work/a/$zip" "$work/b/$zip" || { echo "two packagings differ"; exit 1; }

python3 - "$work/a/$zip" "$work/x" <<'PY'
import hashlib, struct, sys, zipfile
zip_path, into = sys.argv[1:]
folder = zip_path.rsplit("/", 1)[1][: -len("-win32.zip")]
with zipfile.ZipFile(zip_path) as z:
    names = sorted(i.filename for i in z.infolist())
    want = sorted(f"{folder}/{n}" for n in ["Quorvel.exe", "Quorvel.hlp", "README.txt", "SHA256SUMS.txt", "quorvel-report.exe"])
    assert names == want, names
    assert all(i.date_time == (1980, 1, 1, 0, 0, 0) for i in z.infolist()), "file times in the archive"
    files = {i.filename.split("/", 1)[1]: z.read(i) for i in z.infolist()}
for name in ["README.txt", "SHA256SUMS.txt"]:
    text = files[name]
    assert text.endswith(b"\r\n") and text.count(b"\n") == text.count(b"\r\n"), f"{name} is not CR LF"
    assert all(32 <= b < 127 or b in (9, 10, 13) for b in text), f"{name} is not plain ASCII"
sums = {}
for line in files["SHA256SUMS.txt"].decode("ascii").splitlines():
    digest, name = line.split("  ", 1)
    sums[name] = digest
assert sorted(sums) == sorted(n for n in files if n != "SHA256SUMS.txt"), sums
for name, digest in sums.items():
    assert hashlib.sha256(files[name]).hexdigest() == digest, f"the sum of {name} is wrong"
for name in ["Quorvel.exe", "quorvel-report.exe"]:
    pe = files[name]
    at = struct.unpack_from("<I", pe, 0x3C)[0]
    assert pe[at:at + 4] == b"PE\0\0"
    machine, _, stamp = struct.unpack_from("<HHI", pe, at + 4)
    assert machine == 0x14C, f"{name} is not a 32-bit program"
    assert stamp == 0, f"{name} has a link time ({stamp})"
    assert (name + ".debug").encode() not in pe, f"{name} keeps its debug link"
print("package.sh:", zip_path.rsplit("/", 1)[1], "holds", ", ".join(sorted(files)))
PY
echo "package.sh: linked twice, packaged twice, the same bytes"
