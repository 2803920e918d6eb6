#!/usr/bin/env bash
# The probes against Wine's own registry and version, in a scratch prefix of their own:
#  - with Wine acting as win95, win98, nt40, win2k and winxp, the version fields decode to the
#    editions; as win10 they show 10.0 and the build the system records (the manifest's doing);
#  - machine keys planted with "reg add" (device classes, BIOS, DirectX, registration), and the
#    time zone Wine keeps, come back through the real readers of the pass.
set -euo pipefail
: "${QUORVEL_BIN:?}" "${QUORVEL_WINE:?}"
# One display for the whole run, so the session below is never left without one.
if [ -z "${DISPLAY:-}" ]; then exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"; fi
tests=$QUORVEL_BIN/quorvel_win32_tests.exe
: "${QUORVEL_WINEPREFIX:?}"
wine() { "$QUORVEL_WINE" "$@"; }
reg() { wine reg "$@" >/dev/null; }

# Wine rebuilds the hardware description whenever a session starts, so the
# planted keys and the programs that read them must share one session: keep its server running.
trap 'echo "probes_wine.sh: failed at line $LINENO"' ERR
wine cmd /c exit >/dev/null 2>&1   # makes the prefix on first use
export WINEPREFIX=$QUORVEL_WINEPREFIX
# The server of that first run may take a moment to go away before a persistent one can start.
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  wineserver -w
  wineserver -p 2>/dev/null && break
  [ "$attempt" = 10 ] && { echo "probes_wine.sh: no persistent wine server"; exit 1; }
  sleep 1
done
trap "wineserver -k 2>/dev/null || true" EXIT

for version in win95 win98 nt40 win2k winxp; do
  reg add 'HKCU\Software\Wine' /v Version /d "$version" /f
  if ! out=$(QUORVEL_EXPECT_WINE_VERSION=$version wine "$tests" \
      --gtest_filter=WindowsProbes.EditionOfTheEmulatedVersion 2>&1); then
    echo "$out"
    echo "version fields wrong with Wine as $version"
    exit 1
  fi
  grep '^Wine as' <<<"$out"
done
# Beyond the edition table, the report tool as shipped: under win10 the true version and the build
# the system records (the manifest's supportedOS entries get them), not 6.2 (Build: 9200).
reg add 'HKCU\Software\Wine' /v Version /d win10 /f
# The system's own numbers, as its command interpreter shows them ("Microsoft Windows 10.0.18362").
build=$(wine cmd /c ver 2>/dev/null | tr -d '\r' | sed -n 's/^Microsoft Windows 10\.0\.\([0-9]*\).*/\1/p')
[ -n "$build" ] || { echo "no build number from the system as win10"; exit 1; }
version_line=$(wine "$QUORVEL_BIN/quorvel-report.exe" 2>/dev/null | tr -d '\r' | grep '^ Version: ' || true)
[ "$version_line" = " Version: 10.0 (Build: $build)" ] ||
  { echo "Wine as win10, the report says \"$version_line\", not 10.0 (Build: $build)"; exit 1; }
echo "Wine as win10, quorvel-report:$version_line"
reg add 'HKCU\Software\Wine' /v Version /d winxp /f

nt='HKLM\System\CurrentControlSet\Control\Class'
# A class without a class-name value comes first and a lower-case one second: both are passed over.
reg add "$nt\\{00000000-quorvel-no-name}\\0000" /v DriverDesc /d "not a class" /f
reg add "$nt\\{00000001-quorvel-lower}" /v Class /d keyboard /f
reg add "$nt\\{00000001-quorvel-lower}\\0000" /v DriverDesc /d "lower-case class" /f
plant_class() {   # guid class instance desc
  reg add "$nt\\$1" /v Class /d "$2" /f
  reg add "$nt\\$1\\$3" /v DriverDesc /d "$4" /f
}
# Wine may have classes of these names already; the planted ones sort first so they are found.
plant_class '{00000002-quorvel-kbd}' Keyboard 0000 "Quorvel Keyboard 1"
plant_class '{00000002-quorvel-kbd}' Keyboard 0001 "Quorvel Keyboard 2"
plant_class '{00000003-quorvel-mouse}' Mouse 0000 "Quorvel Mouse"
plant_class '{00000004-quorvel-ports}' Ports 0000 "Quorvel COM1"
reg add "$nt\\{00000004-quorvel-ports}\\0001" /v Other /d x /f
plant_class '{00000004-quorvel-ports}' Ports 0002 "Quorvel LPT1"
plant_class '{00000005-quorvel-ports2}' Ports 0000 "second Ports class"
plant_class '{00000006-quorvel-monitor}' Monitor 0000 "Quorvel Monitor"
plant_class '{00000007-quorvel-display}' Display 0000 "Quorvel Display"
plant_class '{00000008-quorvel-media}' MEDIA 0000 "Quorvel Sound"

# The same devices in the 95 family's layout: the class name is the key's default value.
old='HKLM\System\CurrentControlSet\Services\Class'
plant_old() {   # class instance desc
  reg add "$old\\$1" /ve /d "$1" /f
  reg add "$old\\$1\\$2" /v DriverDesc /d "$3" /f
}
# Listed first, named only the NT way: passed over.
reg add "$old\\0 NT-style" /v Class /d Keyboard /f
plant_old Keyboard 0000 "Quorvel 9x Keyboard 1"
plant_old Keyboard 0001 "Quorvel 9x Keyboard 2"
plant_old Mouse 0000 "Quorvel 9x Mouse"
plant_old "Ports (COM & LPT)" 0000 "Quorvel 9x COM1"
plant_old "Ports (COM & LPT)" 0001 "Quorvel 9x LPT1"
plant_old Monitors 0000 "Quorvel 9x Monitor"
plant_old "Display adapters" 0000 "Quorvel 9x Display"
plant_old "Sound, video and game controllers" 0000 "Quorvel 9x Sound"

reg add 'HKLM\Software\Microsoft\DirectX' /v Version /d 4.08.01.0881 /f
# Wine writes the host's zone into the time-zone key as every process starts, so a planted name
# does not survive; the probe must show what reg.exe reads there.
zone=$(wine reg query 'HKLM\System\CurrentControlSet\Control\TimeZoneInformation' /v StandardName 2>/dev/null |
  sed -n 's/^ *StandardName *REG_SZ *//p' | tr -d '\r')
[ -n "$zone" ] || { echo "no time-zone name in Wine's registry"; exit 1; }
cv='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
reg add "$cv" /v CurrentType /d "Uniprocessor Free" /f
reg add "$cv" /v RegisteredOrganization /d "Quorvel Org" /f
reg add "$cv" /v RegisteredOwner /d "Quorvel Owner" /f
reg add "$cv" /v ProductKey /d QRVL-KEY /f
reg delete "$cv" /v ProductID /f 2>/dev/null || true
win='HKLM\Software\Microsoft\Windows\CurrentVersion'
reg add "$win" /v ProductID /d 55274-OEM-0011903-00102 /f
reg add "$win" /v Version /d "Windows 98" /f
reg add "$win" /v RegisteredOrganization /d "Quorvel 9x Org" /f
reg add "$win" /v RegisteredOwner /d "Quorvel 9x Owner" /f
reg add 'HKLM\Hardware\Description\System' /v Identifier /d "QRVL BIOS 1.0" /f
reg add 'HKLM\Hardware\Description\System' /v SystemBiosDate /d "" /f
reg add 'HKLM\Enum\Root\*PNP0C01\0000' /v BIOSDate /d 08/15/01 /f
reg add 'HKLM\Enum\Root\*PNP0C01\0000' /v BIOSVersion /d "QRVL 4.51 PG" /f

for version in winxp win98; do
  reg add 'HKCU\Software\Wine' /v Version /d "$version" /f
  QUORVEL_PLANTED_MACHINE=$version QUORVEL_EXPECT_TIME_ZONE=$zone wine "$tests" \
    --gtest_filter=WindowsProbes.PlantedMachineThroughTheRealSources
done

# The report of the same machine: every field of these pages comes from the planted keys or
# from Wine itself.
reg add 'HKCU\Software\Wine' /v Version /d winxp /f
report=$(wine "$QUORVEL_BIN/quorvel-report.exe" 2>/dev/null | tr -d '\r')
failures=0
expect() {   # pattern (extended regular expression for one whole line)
  grep -qE "^$1\$" <<<"$report" || { echo "report lacks a line matching: $1"; failures=$((failures + 1)); }
}
expect ' BIOS Type: QRVL BIOS 1\.0'
expect ' BIOS Date: 08/15/01'
expect '     C: \[HARD DISC\] [0-9]+\.[0-9] (B|kB|MB|GB)   [A-Z0-9]+'
expect ' Description: Windows XP \(official final release\)'
expect ' Platform: Windows NT'
expect ' Version: 5\.1 \(Build: 2600\)'
expect ' Title: Uniprocessor Free'
expect ' ID: 55274-OEM-0011903-00102'
expect ' Key: QRVL-KEY'
expect ' DirectX: 4\.08\.01\.0881'
expect ' Login Name: .+'
expect ' Register Name: Quorvel Owner'
expect ' Company: Quorvel Org'
expect " Time Zone: $zone"
expect ' Windows Path: [A-Z]:\\.+'
expect ' System Path: [A-Z]:\\.+'
expect ' Temp Path: [A-Z]:\\.+\\'
expect ' Add-On: .*'
expect ' Keyboard: Quorvel Keyboard 2'
expect ' Mouse: Quorvel Mouse'
expect '    Quorvel COM1'
expect '    Quorvel LPT1'
expect '    Quorvel Sound'
expect ' Local IP Address: [0-9]+\.[0-9]+\.[0-9]+\.[0-9]+'
expect ' Screen Resolution: [0-9]+ x [0-9]+ pixels'
expect ' Display Colors: .+'
expect '    Quorvel Display'
expect '    Quorvel Monitor'
[ "$failures" = 0 ] || { echo "$report"; exit 1; }

# Hostile values: quotes, a backslash, control characters and letters beyond ASCII in a registry
# string. The JSON report stays one valid document and gives them back as UTF-8.
hostile=$'Own"er\\ \x01\x1f\ttab caf\u00e9 \u20ac'
reg add "$cv" /v RegisteredOwner /d "$hostile" /f
plant_class '{00000002-quorvel-kbd}' Keyboard 0001 "$hostile"
wine "$QUORVEL_BIN/quorvel-report.exe" --json >"$QUORVEL_BIN/probes-hostile.json" 2>/dev/null
python3 - "$QUORVEL_BIN/probes-hostile.json" "$hostile" <<'PY' || { echo "hostile registry values broke the JSON report"; exit 1; }
import json, sys
doc = json.load(open(sys.argv[1], encoding='utf-8'))
want = sys.argv[2]
got = (doc['pages']['Operating System']['Register Name'], doc['pages']['Devices']['Keyboard'])
if got != (want, want):
    sys.exit(f'hostile values came back as {got!r}, not {want!r}')
PY
rm -f "$QUORVEL_BIN/probes-hostile.json"
echo "probes_wine.sh: all checks passed"
