#!/usr/bin/env bash
# quorvel-report against a real OCS Inventory NG server from Debian's packages, stood up privately:
# MariaDB with its own data folder, socket and port, Apache with its own config, port, pid and logs,
# all under the build tree, and stopped again on every way out. Under Wine, in a prefix of its own
# with planted registry values, it
#  - sends this machine's inventory and reads it back from the database against the text report
#    of the same pass and the planted values;
#  - sends again: the same record, updated; writes --ocs into a folder and loads that with the
#    server's injector: the same machine again;
#  - is refused when the server does not list its agent name, and cannot reach a stopped server
#    or any server without WinInet: statuses 4 and 5, the words, and nothing stored.
set -uo pipefail
bin=${QUORVEL_BIN:?}
wine=${QUORVEL_WINE:?}
exe=$bin/quorvel-report.exe
for tool in mariadbd mariadb-install-db mariadb apache2 perl python3; do
  command -v "$tool" >/dev/null || { echo "ocs.sh: $tool is missing (scripts/setup installs it)"; exit 1; }
done
schema=/usr/share/ocsinventory-reports/files/ocsbase_new.sql
injector=/usr/share/ocsinventory-server/binutils/ocsinventory-injector.pl
work=$(mktemp -d "$bin/e2e-ocs.XXXXXX")
chmod 755 "$work" # the server's worker reads the agent list here
: "${QUORVEL_WINEPREFIX:?}"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { echo "Z:${1//\//\\}"; }
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
# A small redo log: the data folder is copied for every run.
dbopts=(--no-defaults --user="$(id -un)" --innodb-log-file-size=4M --log-error="$work/db.err")
db() { mariadb --no-defaults -S "$work/db.sock" -u root -N -B ocsweb -e "$1"; }
wait_for() { for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done; echo "ocs.sh: timed out: $1"; return 1; }

stop_apache() {
  [ -f "$work/run/apache.pid" ] || return 0
  local pid
  pid=$(cat "$work/run/apache.pid")
  apache2 -f "$work/apache.conf" -k stop 2>/dev/null
  wait_for "! kill -0 $pid 2>/dev/null"
  rm -f "$work/run/apache.pid"
}
cleanup() {
  stop_apache
  if [ -f "$work/db.pid" ]; then
    local pid
    pid=$(cat "$work/db.pid")
    kill "$pid" 2>/dev/null && wait_for "! kill -0 $pid 2>/dev/null"
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The database with the server's schema, made once per build tree and copied for each run.
pristine=$bin/ocs-server/db-$(md5sum <"$schema" | cut -c1-12)
if [ ! -d "$pristine" ]; then
  echo "ocs.sh: making the server's database once ($pristine)"
  rm -rf "$pristine.new" && mkdir -p "$pristine.new"
  mariadb-install-db "${dbopts[@]}" --datadir="$pristine.new" --skip-test-db \
    --auth-root-authentication-method=normal >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
  mariadbd "${dbopts[@]}" --datadir="$pristine.new" --socket="$work/db.sock" --skip-networking --pid-file="$work/db.pid" &
  wait_for "[ -S '$work/db.sock' ]" || exit 1
  mariadb --no-defaults -S "$work/db.sock" -u root <<SQL || exit 1
CREATE DATABASE ocsweb CHARACTER SET utf8 COLLATE utf8_bin;
CREATE USER ocs@localhost IDENTIFIED BY 'ocs';
CREATE USER ocs@'127.0.0.1' IDENTIFIED BY 'ocs';
GRANT ALL PRIVILEGES ON ocsweb.* TO ocs@localhost;
GRANT ALL PRIVILEGES ON ocsweb.* TO ocs@'127.0.0.1';
USE ocsweb;
SOURCE $schema;
SQL
  kill "$(cat "$work/db.pid")" && wait_for "[ ! -f '$work/db.pid' ]" || exit 1
  mv "$pristine.new" "$pristine"
fi

db_port=$(free_port) web_port=$(free_port)
cp -a "$pristine" "$work/db"
mariadbd "${dbopts[@]}" --datadir="$work/db" --socket="$work/db.sock" --port="$db_port" --bind-address=127.0.0.1 \
  --pid-file="$work/db.pid" &
wait_for "[ -S '$work/db.sock' ]" || exit 1

# The package's own server configuration, pointed at this database, log folder and agent list.
mkdir -p "$work/run" "$work/log" "$work/share"
chmod 777 "$work/log" # the server's worker writes some answers' traces there
echo Quorvel_v1.0 >"$work/useragents"
{
  echo "ServerRoot /usr/lib/apache2"
  echo "ServerName 127.0.0.1"
  echo "Listen 127.0.0.1:$web_port"
  echo "PidFile $work/run/apache.pid"
  echo "DefaultRuntimeDir $work/run"
  echo "Mutex file:$work/run default"
  echo "ErrorLog $work/run/error.log"
  for m in mpm_prefork authz_core authn_core authn_file auth_basic authz_user perl; do
    echo "LoadModule ${m}_module modules/mod_$m.so"
  done
  echo "StartServers 1"
  [ "$(id -u)" = 0 ] && echo "User nobody" && echo "Group nogroup"
  echo "Include /etc/apache2/conf-available/ocsinventory-server.conf"
  echo "PerlSetEnv OCS_DB_HOST 127.0.0.1"
  echo "PerlSetEnv OCS_DB_PORT $db_port"
  echo "PerlSetEnv OCS_OPT_LOGPATH $work/log/"
  echo "PerlSetEnv OCS_OPT_EXT_USERAGENTS_FILE_PATH $work/useragents"
} >"$work/apache.conf"
apache2 -f "$work/apache.conf" -k start || { cat "$work/run/error.log"; exit 1; }
wait_for "(: >/dev/tcp/127.0.0.1/$web_port) 2>/dev/null" || exit 1
url=http://127.0.0.1:$web_port/ocsinventory

# The planted machine: an owner with markup in it, and programs, one named in the code page.
reg() { "$wine" reg add "$@" /f >/dev/null 2>&1 || fail "reg add $*"; }
nt='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
reg "$nt" /v RegisteredOwner /d 'Mira <Lab> & Co'
reg "$nt" /v RegisteredOrganization /d 'First Org'
reg "$uninstall\\QuorvelA" /v DisplayName /d 'Quorvel Test Program'
reg "$uninstall\\QuorvelA" /v DisplayVersion /d 1.2.3
reg "$uninstall\\QuorvelA" /v Publisher /d 'Quorvel Labs'
reg "$uninstall\\QuorvelB" /v DisplayName /d 'Café Über'
reg "$uninstall\\QuorvelC" /v DisplayVersion /d 'a part, no name'
install=$("$wine" reg query "$nt" /v InstallDate 2>/dev/null | sed -n 's/.*REG_DWORD *0x\([0-9a-fA-F]*\).*/\1/p')
product=$("$wine" reg query "$nt" /v ProductName 2>/dev/null | sed -n 's/.*REG_SZ *//p' | tr -d '\r')

start=$(date +%s)
"$wine" "$exe" --ocs-server "$url" --output "$(winpath "$work/report.txt")" >"$work/out1" 2>"$work/err1"
status=$?
[ "$status" = 0 ] || fail "sending exited $status: $(cat "$work/err1")"
grep -q '^PROLOG: RESPONSE=SEND ' "$work/out1" && [ "$(sed -n 2p "$work/out1")" = $'INVENTORY: RESPONSE=NO_ACCOUNT_UPDATE\r' ] ||
  fail "the server's answers were: $(cat "$work/out1")"
device=$(sed -n 's/^ Computer Name: \(.*\)\r$/\1/p' "$work/report.txt")-$(date -u -d "@$((16#$install))" +%Y-%m-%d-%H-%M-%S)

# Field by field against the text report of the same pass and the planted values.
check_stored() { # DEVICEID VERSION COMPANY AGENT
  python3 - "$work/report.txt" "$work/db.sock" "$1" "$2" "$3" "${4:-Quorvel_v1.0}" "$product" <<'PY' || failures=$((failures + 1))
import re, subprocess, sys
report, sock, device, version, company, agent_name, product = sys.argv[1:]
text = open(report, encoding='cp1252', newline='').read().split('\r\n')
def field(caption): return next(l.split(': ', 1)[1] for l in text if l.startswith(' ' + caption + ': '))
def rows(sql):
    out = subprocess.run(['mariadb', '--no-defaults', '-S', sock, '-u', 'root', '-N', '-B', 'ocsweb', '-e', sql],
                         capture_output=True, text=True, check=True).stdout
    return [l.split('\t') for l in out.splitlines()]
faults = []
def same(what, got, want):
    if got != want: faults.append(f'{what}: stored {got!r}, expected {want!r}')
hw = rows("SELECT ID, NAME, MEMORY, PROCESSORS, PROCESSORN, WINOWNER, WINCOMPANY, OSNAME, USERAGENT, "
          f"CHECKSUM FROM hardware WHERE DEVICEID = '{device}'")
same('machines with the DEVICEID', len(hw), 1)
same('machines', rows('SELECT COUNT(*) FROM hardware'), [['1']])
if hw:
    id, name, memory, mhz, count, owner, org, osname, agent, checksum = hw[0]
    same('name', name, field('Computer Name'))
    amount, unit = field('Memory').split()
    same('memory', int(memory) >> {'Mb': 0, 'Gb': 10}[unit], int(amount))
    speed, unit = field('Speed').split()
    if abs(int(mhz) / {'MHz': 1, 'GHz': 1000}[unit] - float(speed)) > 0.006: faults.append(f'clock {mhz} vs {speed}')
    same('processors', count + ' CPUs found', field('Count'))
    same('owner', owner, 'Mira <Lab> & Co')
    same('company', org, company)
    same('OS name', osname, product)
    same('agent', agent, agent_name)
    same('checksum', checksum, '4194303')
    macs = {l.split('[')[1].rstrip(']').upper().replace('-', ':') for l in text if l.startswith('    Adapter ')}
    stored = {r[0] for r in rows(f'SELECT MACADDR FROM networks WHERE HARDWARE_ID = {id}')}
    if not macs or not macs <= stored: faults.append(f'MAC addresses {macs} not among {stored}')
    drives = [l for l in text if re.match(r'^ {4} [A-Z]: \[', l)]
    stored = {r[0]: r[1:] for r in rows(f'SELECT LETTER, FILESYSTEM, TOTAL FROM drives WHERE HARDWARE_ID = {id}')}
    same('drive letters', sorted(stored), sorted(l[5] + ':' for l in drives))
    for l in drives:
        m = re.match(r'^ {5}([A-Z]): \[HARD DISC\] ([0-9.]+) GB .* (\S+)$', l)
        fs, total = stored.get(m.group(1) + ':', ['', '0']) if m else ['', '0']
        if m and (fs != m.group(3) or abs(int(total) / 1024 - float(m.group(2))) > 0.051):
            faults.append(f'drive {l.strip()!r} stored as {fs} {total} MB')
    programs = rows('SELECT n.NAME, v.VERSION, p.PUBLISHER FROM software s JOIN software_name n ON n.ID = s.NAME_ID '
                    'JOIN software_version v ON v.ID = s.VERSION_ID JOIN software_publisher p ON p.ID = s.PUBLISHER_ID '
                    f"WHERE s.HARDWARE_ID = {id} AND n.NAME IN ('Quorvel Test Program', 'Café Über', '') ORDER BY n.NAME")
    same('programs', programs, [['Café Über', 'Unavailable', 'Unavailable'], ['Quorvel Test Program', version, 'Quorvel Labs']])
for f in faults: print('FAIL:', f)
sys.exit(1 if faults else 0)
PY
}
check_stored "$device" 1.2.3 'First Org'
first_id=$(db "SELECT ID FROM hardware")

# Again with a newer version of the program: the same record, updated.
reg "$uninstall\\QuorvelA" /v DisplayVersion /d 1.2.4
"$wine" "$exe" --ocs-server "$url" --output "$(winpath "$work/report.txt")" >/dev/null 2>"$work/err2" ||
  fail "sending again exited $?: $(cat "$work/err2")"
check_stored "$device" 1.2.4 'First Org'
[ "$(db "SELECT ID FROM hardware")" = "$first_id" ] || fail "sent again, the machine got another record"

# A file in a folder, named after the machine, loaded by the server's injector: the same machine.
reg "$nt" /v RegisteredOrganization /d 'Second Org'
"$wine" "$exe" --ocs "$(winpath "$work/share")\\" --output "$(winpath "$work/report.txt")" >"$work/out3" 2>"$work/err3" ||
  fail "--ocs exited $?: $(cat "$work/err3")"
[ -s "$work/out3" ] && fail "--ocs wrote to standard output: $(cat "$work/out3")"
[ "$(head -c 2 "$work/share/$device.ocs" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 789c ] ||
  fail "no zlib stream in $work/share/$device.ocs: $(ls "$work/share")"
perl "$injector" -u "$url" -d "$work/share" -r -v >"$work/inject" 2>&1
grep -q '^Loading .*OK$' "$work/inject" || fail "the injector said: $(cat "$work/inject")"
[ -e "$work/share/$device.ocs" ] && fail "the injector did not take the file"
check_stored "$device" 1.2.4 'Second Org' OCS-NG_INJECTOR_PL_v3

# Refused: a server that does not list the agent. Unreachable: a stopped server, and no WinInet.
last=$(db "SELECT LASTDATE FROM hardware")
: >"$work/useragents"
"$wine" "$exe" --ocs-server "$url" >"$work/out4" 2>"$work/err4"
status=$?
[ "$status" = 4 ] || fail "an agent the server does not list: status $status"
grep -q "^The server at $url refused the inventory: it answered the PROLOG with HTTP status 400\. .*Quorvel_v1\.0, is a line of its extra_useragents" \
  "$work/err4" || fail "refused, the message was: $(cat "$work/err4")"
stop_apache
"$wine" "$exe" --ocs-server "$url" >"$work/out5" 2>"$work/err5"
status=$?
[ "$status" = 5 ] || fail "a stopped server: status $status"
grep -q "^The server at $url could not be reached: .*\. Nothing was sent\." "$work/err5" ||
  fail "stopped server, the message was: $(cat "$work/err5")"
[ -s "$work/out5" ] && fail "a stopped server, yet answers: $(cat "$work/out5")"
WINEDLLOVERRIDES="wininet=;mscoree,mshtml=;winemenubuilder.exe=d" "$wine" "$exe" --ocs-server "$url" \
  >/dev/null 2>"$work/err6"
status=$?
[ "$status" = 5 ] || fail "without WinInet: status $status"
grep -q 'no WinInet .*--ocs FILE' "$work/err6" || fail "without WinInet, the message was: $(cat "$work/err6")"
[ "$(db "SELECT LASTDATE FROM hardware")" = "$last" ] || fail "the refused or unsent inventory changed the record"

[ "$failures" = 0 ] && echo "ocs.sh: all checks passed ($(($(date +%s) - start)) s of sending and checking)"
exit $((failures > 0))
