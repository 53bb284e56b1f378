#!/usr/bin/env bash
# vellmark-cli on the bench: status with no, one and three cameras (its JSON
# read by a JSON parser), writes of each mode with camsim unplugging and
# plugging meanwhile (the EEPROM checked byte for byte), a timeout and
# Ctrl-C at each wait, a different camera, a refused write, a second copy,
# revoke of what a killed write left, bad arguments; after every end the
# permission is gone.
#
#   cli_test.sh BIN_DIR
set -euo pipefail
bin=$1
# The English texts as they stand, whatever language the caller reads.
unset VELLMARK_LANG LC_ALL LC_MESSAGES LANG
bench=$(mktemp -d)
files=$(mktemp -d)
chmod 700 "$bench"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$bench" "$files"' EXIT
camsim() { "$bin/camsim" --bench "$bench" "$@"; }
cli() { "$bin/vellmark-cli" "$@" --bench "$bench"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
eeprom() { od -An -v -tx1 "$bench/cameras/$1/eeprom.bin" | tr -d ' \n'; }
key() { echo "HKLM\\SYSTEM\\CurrentControlSet\\Services\\$1\\Parameters"; }
params="$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/brennccdF/Parameters"
newest_record() { ls -t "$bench"/logs/run-*.txt | head -n1; }
logs_state() { (cd "$bench/logs" && find . -type f -exec sha256sum {} + | sort); }

no_permission() {  # no_permission DRIVER: no AllowEEPROMWrite, no journal left
  ! camsim reg query "$(key "$1")" | grep -q AllowEEPROMWrite || fail "$2: AllowEEPROMWrite stayed under $1"
  [ ! -s "$bench/grants.txt" ] || fail "$2: the grants journal still lists $(cat "$bench/grants.txt")"
}

# A write in the background; its output in $files/out, its status in $files/rc.
# With LIMIT set, under that file-size limit (in KiB). No core files.
start_write() {
  rm -f "$files/out" "$files/err" "$files/rc"
  ( ulimit -c 0; [ -z "${LIMIT:-}" ] || ulimit -f "$LIMIT"
    status=0; cli write "$@" >"$files/out" 2>"$files/err" || status=$?; echo $status >"$files/rc" ) &
  writer=$!
}
wait_output() {  # wait_output TEXT: until the background write prints it
  for _ in $(seq 100); do grep -qF -- "$1" "$files/out" 2>/dev/null && return; sleep 0.1; done
  fail "no '$1' in $(cat "$files/out" "$files/err")"
}
cli_pid() { pgrep -f -P "$writer" vellmark-cli || pgrep -f "vellmark-cli write.*$bench" | head -1; }
finished_with() {  # finished_with CODE WHAT
  wait "$writer" || true
  [ "$(cat "$files/rc")" = "$1" ] || fail "$2: exit $(cat "$files/rc"), not $1 ($(cat "$files/err"))"
}

# No camera: no line at all, exit code 3.
status=0; out=$(cli status --json) || status=$?
[ "$status" = 3 ] && [ -z "$out" ] || fail "status without cameras: exit $status, output '$out'"

# One camera, as text and as JSON.
camsim create solo --sensor 4 --class 4 --id 1001 --type SIM-4 >/dev/null
camsim plug solo >/dev/null
# Sensor row 4 Disabled: visible 3358 x 2536 of 3448 x 2574 at 27,30.
out=$(cli status)
[ "${out%  path *}" = "class 4  product id 1030  type SIM-4  camera ID 1001  sensor 4  mode Disabled  backup none  original not offered  frame 3358 x 2536 of 3448 x 2574 at 27,30" ] ||
  fail "status of one camera said '$out'"
grep -qE '  path \\\\\?\\usb#vid_0000&pid_0000#solo#\{[0-9a-f-]{36}\}$' <<<"$out" || fail "status of one camera gave no path: '$out'"
cli status --json | python3 -c '
import json, re, sys
lines = sys.stdin.read().splitlines()
assert len(lines) == 1, lines
got = json.loads(lines[0])
assert re.fullmatch(r"\\\\\?\\usb#vid_0000&pid_0000#solo#\{[0-9a-f-]{36}\}", got.pop("path")), lines[0]
assert got == {"class": 4, "product_id": 1030, "type": "SIM-4", "camera_id": 1001, "sensor": 4,
               "mode": "Disabled", "backup": None, "original": False, "unfinished": None,
               "visible_width": 3358, "visible_height": 2536, "total_width": 3448, "total_height": 2574,
               "x_offset": 27, "y_offset": 30}, lines[0]
' || fail "status --json of one camera"

# Three cameras: one line each, in the order of the interface classes.
camsim create alpha --sensor 11 --class 1 --mode enabled --id 4242 --type KX-11 >/dev/null
camsim create gamma --sensor 16 --class 6 --id 77 --type E2V-16 >/dev/null
camsim plug alpha >/dev/null
camsim plug gamma >/dev/null
before=$(cd "$bench" && find cameras/*/eeprom.bin registry -type f | sort | xargs md5sum)
cli status --json | python3 -c '
import json, sys
got = [json.loads(line) for line in sys.stdin.read().splitlines()]
assert [camera.pop("path").split("#")[2] for camera in got] == ["alpha", "solo", "gamma"], got
frame = ("visible_width", "visible_height", "total_width", "total_height", "x_offset", "y_offset")
want = [
    {"class": 1, "product_id": 1027, "type": "KX-11", "camera_id": 4242, "sensor": 11, "mode": "Enabled",
     "backup": None, "original": False, "unfinished": None, **dict(zip(frame, (1639, 1213, 1644, 1214, 4, 1)))},
    {"class": 4, "product_id": 1030, "type": "SIM-4", "camera_id": 1001, "sensor": 4, "mode": "Disabled",
     "backup": None, "original": False, "unfinished": None, **dict(zip(frame, (3358, 2536, 3448, 2574, 27, 30)))},
    {"class": 6, "product_id": 1201, "type": "E2V-16", "camera_id": 77, "sensor": 16, "mode": "Disabled",
     "backup": None, "original": False, "unfinished": None, **dict(zip(frame, (2048, 2048, 2148, 2052, 50, 4)))},
]
assert got == want, got
' || fail "status --json of three cameras"
[ "$(cli status | wc -l)" = 3 ] || fail "status of three cameras is not three lines"
[ "$before" = "$(cd "$bench" && find cameras/*/eeprom.bin registry -type f | sort | xargs md5sum)" ] ||
  fail "status changed a camera or the registry"
[ ! -e "$bench/backups" ] || [ -z "$(ls "$bench/backups")" ] || fail "status made a backup"
# status only reads: no record, no lock, no folder made in the data folder.
[ "$(ls "$bench")" = "$(printf 'cameras\nregistry')" ] || fail "status made something in the data folder: $(ls "$bench")"

# JSON strings escaped: a type of a quote, a backslash, a control byte and
# a byte past ASCII (taken as Latin-1) read back as its bytes.
"$bin/camsim" --bench "$files/odd" create odd --sensor 4 --class 4 --id 5 --type $'Q"\\\x01\xe9Z' >/dev/null
"$bin/camsim" --bench "$files/odd" plug odd >/dev/null
"$bin/vellmark-cli" status --json --bench "$files/odd" | python3 -c '
import json, sys
got = json.loads(sys.stdin.buffer.read().decode("ascii"))
assert got["type"] == "Q\"\\\x01\xe9Z" and got["camera_id"] == 5, got
' || fail "status --json of a type that needs escapes"

# A type of an escape sequence, a line feed and DEL: plain text shows each
# such byte as \xHH, one camera one line; JSON reads back the bytes.
"$bin/camsim" --bench "$files/esc" create esc --sensor 4 --class 4 --id 6 --type $'A\e[31mB\nC\x7f' >/dev/null
"$bin/camsim" --bench "$files/esc" plug esc >/dev/null
out=$("$bin/vellmark-cli" status --bench "$files/esc")
[ "$(wc -l <<<"$out")" = 1 ] && grep -qF '  type A\x1B[31mB\x0AC\x7F  camera ID 6  ' <<<"$out" ||
  fail "status of a type that needs escapes said '$out'"
"$bin/vellmark-cli" status --json --bench "$files/esc" | python3 -c '
import json, sys
assert json.loads(sys.stdin.read())["type"] == "A\x1b[31mB\nC\x7f"
' || fail "status --json of a type of an escape sequence"

# Two cameras of the ID 777 with other product ids, a third that shares
# even the product id with one of them: each chosen by the form that
# chooses it alone (the ID, PRODUCTID-CAMERAID, the interface path).
twins=$files/twins
twin() { "$bin/camsim" --bench "$twins" "$@" >/dev/null; }
twincli() { status=0; err=$("$bin/vellmark-cli" "$@" --bench "$twins" 2>&1 >/dev/null) || status=$?; }
twin create twa --sensor 4 --class 4 --id 777
twin create twb --sensor 4 --class 4 --id 777 --product-id 2000
twin create twc --sensor 4 --class 1 --id 777 --product-id 2000
for name in twa twb twc; do twin plug $name; done
paths=$("$bin/vellmark-cli" status --json --bench "$twins" | python3 -c '
import json, sys
for camera in map(json.loads, sys.stdin.read().splitlines()): print(camera["path"].split("#")[2], camera["path"])')
path_b=$(awk '$1 == "twb" {print $2}' <<<"$paths")
path_c=$(awk '$1 == "twc" {print $2}' <<<"$paths")
[[ $path_b == *'#twb#{'* && $path_c == *'#twc#{'* ]] || fail "status --json gave the paths '$paths'"
while IFS='|' read -r code choice expected; do
  twincli write enabled ${choice:+--camera "$choice"} --wait 1
  [ "$status" = "$code" ] && [ "$err" = "vellmark-cli: $expected" ] ||
    fail "write --camera '$choice' among equal IDs: exit $status, '$err', not $code, '$expected'"
done <<CASES
2||several cameras are connected ($path_c, 1030-777, $path_b): choose one with --camera and one of these
2|777|several cameras match --camera 777 ($path_c, 1030-777, $path_b): choose one with --camera and one of these
2|2000-777|several cameras match --camera 2000-777 ($path_c, $path_b): choose one with --camera and one of these
3|1030-778|no camera with the product id 1030 and the ID 778 (connected: $path_c, 1030-777, $path_b)
3|$path_b|the camera 777 cannot be written: Cannot be configured
3|\\\\?\\usb#none|no camera at the interface path \\\\?\\usb#none (connected: $path_c, 1030-777, $path_b)
5|1030-777|timed out waiting for the camera to be unplugged: nothing written, the permission revoked
CASES

# An unfinished update of twa, noted: status tells its mode after the rest.
printf '%s\n' "# Cameras whose last update did not finish: product id, camera id, the mode written." "1030 777 Enabled" \
  >"$twins/unfinished.txt"
"$bin/vellmark-cli" status --bench "$twins" | grep -F '#twa#' | grep -qE '  unfinished Enabled$' ||
  fail "status did not tell the unfinished update: $("$bin/vellmark-cli" status --bench "$twins")"
"$bin/vellmark-cli" status --json --bench "$twins" | python3 -c '
import json, sys
got = {c["path"].split("#")[2]: c["unfinished"] for c in map(json.loads, sys.stdin.read().splitlines())}
assert got == {"twa": "Enabled", "twb": None, "twc": None}, got
' || fail "status --json of an unfinished update"

# Several cameras and no --camera, or no camera of the ID: nothing done.
status=0; err=$(cli write enabled 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] || fail "write among three cameras without --camera: exit $status"
grep -qF "several cameras are connected (IDs 4242, 1001, 77): choose one with --camera ID" <<<"$err" ||
  fail "write among three cameras said '$err'"
status=0; err=$(cli write enabled --camera 9999 2>&1 >/dev/null) || status=$?
[ "$status" = 3 ] && grep -qF "no camera with the ID 9999" <<<"$err" || fail "write of a missing ID: $status '$err'"
# A camera another program holds is passed over by write.
sed -i 's/^busy no$/busy yes/' "$bench/cameras/gamma/state.txt"
status=0; err=$(cli write enabled --camera 9999 2>&1 >/dev/null) || status=$?
[ "$status" = 3 ] && grep -qF "no camera with the ID 9999 (connected: 4242, 1001)" <<<"$err" ||
  fail "write beside a held camera: $status '$err'"
sed -i 's/^busy yes$/busy no/' "$bench/cameras/gamma/state.txt"

# write enabled on camera 1001 among three: its unplug and plug by camsim.
solo_before=$(eeprom solo)
alpha_before=$(eeprom alpha)
start_write enabled --camera 1001
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
camsim reg query "$(key brennccdF)" | grep -q AllowEEPROMWrite || fail "no permission while waiting for the plug"
camsim plug solo >/dev/null
finished_with 0 "write enabled"
[ "$(cat "$files/out")" = "Unplug the power of camera 1001 now.
Plug camera 1001 in again.
Camera update successful.
Changes will take effect after camera is unplugged from power and plugged again." ] ||
  fail "write enabled printed '$(cat "$files/out")'"
# Sensor row 4, family B: visible 3443 x 2573 at 18, the overscan geometry at 71.
"$bin/camsim" --bench "$files/ref" create ref --sensor 4 --class 4 --id 1001 --type SIM-4 --mode enabled >/dev/null
[ "$(eeprom solo)" = "$(od -An -v -tx1 "$files/ref/cameras/ref/eeprom.bin" | tr -d ' \n')" ] ||
  fail "the EEPROM after write enabled is not a Enabled camera's, byte for byte"
[ "$(od -An -tx1 -j18 -N4 "$bench/cameras/solo/eeprom.bin" | tr -d ' ')" = 730d0d0a ] ||
  fail "visible size after write enabled is not 3443 x 2573"
[ "$(eeprom alpha)" = "$alpha_before" ] || fail "the other camera was changed"
no_permission brennccdF "write enabled"
[ -f "$bench/backups/1030-1001.txt" ] || fail "no backup before the first write"
grep -qx "program = vellmark-cli, the console program" "$bench"/logs/run-*.txt || fail "no run record of the console program"
# Its record gives the command line near the start and the exit code last.
grep -qxF "command = vellmark-cli write enabled --camera 1001 --bench $bench" "$(newest_record)" ||
  fail "the record gives no command line: $(head -n6 "$(newest_record)")"
[ "$(tail -n1 "$(newest_record)")" = "exit code 0" ] || fail "the record's last line: $(tail -n1 "$(newest_record)")"
# status reads, and leaves no record: the logs as they were.
logs_before=$(logs_state)
cli status >/dev/null
cli status --json >/dev/null
[ "$(logs_state)" = "$logs_before" ] || fail "status changed logs/: $(ls "$bench/logs")"
cli status --json | python3 -c '
import json, sys
solo = [json.loads(l) for l in sys.stdin.read().splitlines() if json.loads(l)["camera_id"] == 1001][0]
assert solo["mode"] == "Enabled" and solo["backup"] == "1030-1001.txt" and solo["original"] is False, solo
' || fail "status after the write"

# write enabled on a camera that is Enabled already: at once, exit 0, no
# grant (the driver's key never rewritten), no unplug asked, nothing written;
# with --json the done event says so. --force does the whole job all the same.
enabled_bytes=$(eeprom solo)
key_file=$(stat -c %i "$params/values.reg")
status=0; out=$(cli write enabled --camera 1001 2>&1) || status=$?
[ "$status" = 0 ] && [ "$out" = "the camera 1001 is already Enabled: nothing written" ] ||
  fail "write enabled on an Enabled camera: exit $status, '$out'"
start=$(date -u +%s)
cli write enabled --camera 1001 --json | python3 -c '
import datetime, json, sys
lines = sys.stdin.read().splitlines()
assert len(lines) == 1, lines
got = json.loads(lines[0])
t = datetime.datetime.strptime(got.pop("time"), "%Y-%m-%dT%H:%M:%SZ").replace(tzinfo=datetime.timezone.utc).timestamp()
assert got == {"event": "done", "mode": "Enabled", "unchanged": True, "camera_id": 1001}, got
assert int(sys.argv[1]) - 1 <= t <= int(sys.argv[1]) + 120, t
' "$start" || fail "write enabled --json on an Enabled camera"
[ "$(stat -c %i "$params/values.reg")" = "$key_file" ] || fail "a write of nothing rewrote the driver's key"
! grep -q "AllowEEPROMWrite" "$(newest_record)" || fail "a write of nothing granted"
[ "$(eeprom solo)" = "$enabled_bytes" ] || fail "a write of nothing changed the EEPROM"
start_write enabled --camera 1001 --force
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
camsim plug solo >/dev/null
finished_with 0 "write enabled --force"
[ "$(cat "$files/out")" = "Unplug the power of camera 1001 now.
Plug camera 1001 in again.
Camera update successful.
Changes will take effect after camera is unplugged from power and plugged again." ] ||
  fail "write enabled --force printed '$(cat "$files/out")'"
grep -q "grant AllowEEPROMWrite under .*: done" "$(newest_record)" || fail "write --force granted nothing"
[ "$(eeprom solo)" = "$enabled_bytes" ] || fail "write enabled --force did not leave an Enabled camera"
no_permission brennccdF "write enabled --force"

# write disabled, in JSON: the events one a line; the camera back to its first bytes.
camsim unplug alpha >/dev/null
camsim unplug gamma >/dev/null
# Each event names the camera and the time (UTC) within the run.
start=$(date -u +%s)
start_write disabled --json
wait_output '{"event": "unplug"'
camsim unplug solo >/dev/null
wait_output '{"event": "plug"'
camsim plug solo >/dev/null
finished_with 0 "write disabled"
python3 -c '
import datetime, json, sys
got = [json.loads(l) for l in open(sys.argv[1]).read().splitlines()]
assert [e["event"] for e in got] == ["unplug", "unplugged", "plug", "plugged", "written", "revoked", "done"], got
for e in got:
    t = datetime.datetime.strptime(e.pop("time"), "%Y-%m-%dT%H:%M:%SZ").replace(tzinfo=datetime.timezone.utc)
    assert int(sys.argv[2]) - 1 <= t.timestamp() <= int(sys.argv[3]) + 1, (t, sys.argv)
    assert e.pop("camera_id") == 1001, e
assert got[-1] == {"event": "done", "mode": "Disabled", "unchanged": False}, got[-1]
' "$files/out" "$start" "$(date -u +%s)" || fail "write disabled --json printed $(cat "$files/out")"
[ "$(eeprom solo)" = "$solo_before" ] || fail "the EEPROM after write disabled is not as it began"
no_permission brennccdF "write disabled"

# A timeout at each wait: nothing written, no permission left.
status=0; cli write enabled --wait 1 >/dev/null 2>"$files/err" || status=$?
[ "$status" = 5 ] && grep -qF "timed out waiting for the camera to be unplugged" "$files/err" ||
  fail "a timeout waiting for the unplug: $status $(cat "$files/err")"
no_permission brennccdF "timeout at the unplug"
grep -qxE "[0-9]{2}:[0-9]{2}:[0-9]{2} end: the window closed at step 2 as the user saw it, by a timeout of the wait for the unplug" \
  "$(newest_record)" || fail "the record of a timeout at the unplug: $(tail -n3 "$(newest_record)")"
[ "$(tail -n1 "$(newest_record)")" = "exit code 5" ] || fail "the timeout's exit code in the record: $(tail -n1 "$(newest_record)")"
start_write enabled --wait 2
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
finished_with 5 "timeout at the plug"
grep -qF "timed out waiting for the camera to be plugged in" "$files/err" || fail "timeout at the plug said $(cat "$files/err")"
no_permission brennccdF "timeout at the plug"
grep -qxE "[0-9]{2}:[0-9]{2}:[0-9]{2} end: the window closed at step 3 as the user saw it, by a timeout of the wait for the plug" \
  "$(newest_record)" || fail "the record of a timeout at the plug: $(tail -n3 "$(newest_record)")"
# Its scans every 100 ms: the one line, then how often it came again.
[ "$(grep -c " camera at step 3: not connected$" "$(newest_record)")" = 1 ] &&
  grep -A1 " camera at step 3: not connected$" "$(newest_record)" | tail -n1 |
  grep -qxE "\(the same [0-9]+ times more, until [0-9]{2}:[0-9]{2}:[0-9]{2}\)" ||
  fail "the scans at the plug not told once: $(grep -A1 "camera at step 3" "$(newest_record)")"
[ "$(eeprom solo)" = "$solo_before" ] || fail "a timeout wrote the camera"
camsim plug solo >/dev/null

# Ctrl-C (SIGINT) and SIGTERM at the unplug, and at the plug, with the
# permission granted, every signal whose default ends a process: the
# window closed and the permission revoked, then the signal's status.
for signal in INT TERM; do
  start_write enabled
  wait_output "Unplug the power of camera 1001 now."
  kill -$signal "$(cli_pid)"
  code=$((128 + $(kill -l $signal)))
  finished_with $code "SIG$signal at the unplug"
  no_permission brennccdF "SIG$signal at the unplug"
done
for signal in INT TERM HUP QUIT PIPE USR1 USR2 ALRM VTALRM PROF XCPU IO RTMIN; do  # IO: SIGPOLL
  start_write enabled
  wait_output "Unplug the power of camera 1001 now."
  camsim unplug solo >/dev/null
  wait_output "Plug camera 1001 in again."
  kill -s $signal "$(cli_pid)"
  finished_with $((128 + $(kill -l $signal))) "SIG$signal at the plug"
  no_permission brennccdF "SIG$signal at the plug"
  grep -qF "end: the window closed at step 3 as the user saw it, by a signal or console event to the console program" \
    "$(newest_record)" || fail "SIG$signal at the plug: the record tells no close by the signal"
  [ "$(tail -n1 "$(newest_record)")" = "exit by the signal or console event, with its status" ] ||
    fail "SIG$signal at the plug: the record's last line $(tail -n1 "$(newest_record)")"
  camsim plug solo >/dev/null
done
[ "$(eeprom solo)" = "$solo_before" ] || fail "a signal wrote the camera"

# A signal during a transfer is acted on after it: SIGUSR1 while the
# geometry's write (this run's 15th transfer) is held; the write runs to its
# end and is verified, the permission revoked, then the signal's status.
camsim fault solo hold $(($(cat "$bench/cameras/solo/transfers.txt") + 15)) >/dev/null
start_write enabled
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
camsim plug solo >/dev/null
for _ in $(seq 100); do camsim show solo | grep -qx "fault: hold at transfer .*, fired" && break; sleep 0.1; done
camsim show solo | grep -qx "fault: hold at transfer .*, fired" || fail "the geometry's write was never held"
[ "$(od -An -tx1 -j18 -N4 "$bench/cameras/solo/eeprom.bin" | tr -d ' ')" = 730d0d0a ] &&
  [ "$(od -An -tx1 -j71 -N8 "$bench/cameras/solo/eeprom.bin" | tr -d ' ')" = 780d0e0a1b1e5d0d ] ||
  fail "the hold is not between the descriptor's write and the geometry's"
kill -USR1 "$(cli_pid)"
camsim fault solo clear >/dev/null
finished_with 138 "SIGUSR1 during a transfer"
[ "$(eeprom solo)" = "$(od -An -v -tx1 "$files/ref/cameras/ref/eeprom.bin" | tr -d ' \n')" ] ||
  fail "SIGUSR1 during the geometry's write: the camera is not wholly Enabled"
no_permission brennccdF "SIGUSR1 during a transfer"
grep -A1 -F "write 71 12: status 0x80 (done)" "$(newest_record)" | grep -qF "read 71 12: status 0x80 (done)" ||
  fail "the geometry's write was not verified"
[ ! -s "$bench/unfinished.txt" ] || fail "SIGUSR1 during a transfer left the note $(cat "$bench/unfinished.txt")"

# Under a file-size limit that the run record reaches between the two
# blocks, the record stops growing and the job goes on to its end.
LIMIT=2 start_write disabled
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
camsim plug solo >/dev/null
finished_with 0 "a write under a file-size limit"
[ "$(stat -c %s "$(newest_record)")" = 2048 ] || fail "the record did not reach the limit: $(stat -c %s "$(newest_record)") bytes"
[ "$(eeprom solo)" = "$solo_before" ] || fail "a write under a file-size limit did not write the camera wholly"
no_permission brennccdF "a write under a file-size limit"

# A different camera plugged in: exit 7, nothing written.
camsim create other --sensor 4 --class 4 --id 2002 --type SIM-4 >/dev/null
start_write enabled
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
other_before=$(eeprom other)
camsim plug other >/dev/null
finished_with 7 "a different camera"
grep -qF "a different camera was plugged in" "$files/err" || fail "a different camera said $(cat "$files/err")"
[ "$(eeprom other)" = "$other_before" ] || fail "the different camera was written"
no_permission brennccdF "a different camera"
camsim unplug other >/dev/null
camsim plug solo >/dev/null

# Two cameras: the other one's unplug is not this one's, nor its return during the plug wait.
camsim plug other >/dev/null
other_before=$(eeprom other)
start_write enabled --camera 1001
wait_output "Unplug the power of camera 1001 now."
camsim unplug other >/dev/null
# Nothing is to happen: watched for two seconds, the console program sees it within one turn.
for _ in $(seq 20); do
  sleep 0.1
  ! grep -qF "Plug camera 1001 in again." "$files/out" || fail "the other camera's unplug was taken as this one's"
  ! camsim reg query "$(key brennccdF)" | grep -q AllowEEPROMWrite || fail "the other camera's unplug granted"
done
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
camsim plug other >/dev/null
camsim plug solo >/dev/null
finished_with 0 "write with the other camera unplugged and back"
[ "$(sed -n 2p "$files/out")" = "Plug camera 1001 in again." ] || fail "two cameras: printed '$(cat "$files/out")'"
[ "$(eeprom solo)" = "$(od -An -v -tx1 "$files/ref/cameras/ref/eeprom.bin" | tr -d ' \n')" ] ||
  fail "two cameras: the camera worked on is not Enabled, byte for byte"
[ "$(eeprom other)" = "$other_before" ] || fail "two cameras: the other camera was changed"
no_permission brennccdF "two cameras"
camsim unplug other >/dev/null

# The camera back before the grant was saved: its driver took no permission
# and refuses the write. Exit 1 and the refusal told; nothing changed, nothing
# written back, no note of an unfinished update, no permission left.
solo_before=$(eeprom solo)
start_write disabled
wait_output "Unplug the power of camera 1001 now."
camsim unplug solo >/dev/null
wait_output "Plug camera 1001 in again."
sed -i '/^"AllowEEPROMWrite"=/d' "$params/values.reg"
camsim plug solo | grep -qF "writes refused" || fail "the camera plugged in without the permission takes writes"
finished_with 1 "a refused write"
[ "$(cat "$files/err")" = "vellmark-cli: the camera refused the write: unplug its power after the permission is granted, then write again" ] ||
  fail "a refused write said '$(cat "$files/err")'"
[ "$(eeprom solo)" = "$solo_before" ] || fail "a refused write changed the camera"
[ ! -e "$bench/unfinished.txt" ] || fail "a refused write left the note: $(cat "$bench/unfinished.txt")"
refused_record=$(newest_record)
grep -q " put back descriptor 10 61: unchanged$" "$refused_record" || fail "the record lacks the unchanged descriptor"
! grep -q "put back: write" "$refused_record" || fail "the put-back wrote to a camera that refused the write"
no_permission brennccdF "a refused write"

# status beside a write that waits: exit 0, nothing changed on the bench
# (the writer's own record aside). The bench's interfaces are shared between
# processes, so the camera is marked held in its state, as a driver that
# lets one program at a time open it holds it: it is listed busy.
start_write disabled
wait_output "Unplug the power of camera 1001 now."
sed -i 's/^busy no$/busy yes/' "$bench/cameras/solo/state.txt"
writer_record=$(basename "$(newest_record)")
bench_files() { (cd "$bench" && find . ! -name "$writer_record" | sort && find . -type f ! -name "$writer_record" | sort | xargs md5sum); }
before=$(bench_files)
status=0; cli status --json >"$files/status" || status=$?
[ "$status" = 0 ] || fail "status beside a write: exit $status"
python3 -c '
import json, sys
got = [json.loads(l) for l in open(sys.argv[1]).read().splitlines()]
assert len(got) == 1 and "#solo#" in got[0].pop("path"), got
assert got == [{"class": None, "product_id": None, "type": None, "camera_id": None, "sensor": None, "mode": "busy",
                "backup": None, "original": False, "unfinished": None, "visible_width": None,
                "visible_height": None, "total_width": None, "total_height": None, "x_offset": None,
                "y_offset": None}], got
' "$files/status" || fail "status --json beside a write said $(cat "$files/status")"
[ "$(cli status)" = "mode busy" ] || fail "status beside a write said '$(cli status)'"
[ "$before" = "$(bench_files)" ] || fail "status beside a write changed the bench: $(diff <(echo "$before") <(bench_files))"
sed -i 's/^busy yes$/busy no/' "$bench/cameras/solo/state.txt"
# A second write while one waits: exit 6, nothing changed.
status=0; err=$(cli write disabled 2>&1 >/dev/null) || status=$?
[ "$status" = 6 ] && grep -qF "another copy of vellmark or vellmark-cli runs" <<<"$err" ||
  fail "a second copy: exit $status '$err'"
kill -INT "$(cli_pid)"
finished_with 130 "the first copy after a second"

# write original on a camera replayed from a backup of numbers of its own.
camsim unplug solo >/dev/null
printf 'class = 4\nheader = a0a1a20604a5a6a7a8a9\ndescriptor = %s\ngeometry = 780d0e0a140c640d21222324\n' \
  "6712000001020304480df60905060708464143544f525900000000000000$(printf '11%.0s' $(seq 31))" >"$files/backup.txt"
camsim create own --from "$files/backup.txt" >/dev/null
camsim plug own >/dev/null
own_before=$(eeprom own)
status=0; err=$(cli write original 2>&1 >/dev/null) || status=$?
[ "$status" = 3 ] && grep -qF "Original is not offered" <<<"$err" || fail "original without a backup: $status '$err'"
# A live run's key on the journal, its value absent: no permission of this
# run or of an ended one stays, so each write ends with 0 (not 8), the line
# left to its run.
sleep 600 & live=$!
printf 'HKLM\\SYSTEM\\CurrentControlSet\\Services\\orvelccdI\\Parameters  (run %s, started %s)\n' \
  $live "$(cut -d' ' -f22 /proc/$live/stat)" >"$bench/grants.txt"
for mode in enabled original; do
  start_write $mode --camera 4711
  wait_output "Unplug the power of camera 4711 now."
  camsim unplug own >/dev/null
  wait_output "Plug camera 4711 in again."
  camsim plug own >/dev/null
  finished_with 0 "write $mode of the replayed camera"
done
[ "$(eeprom own)" = "$own_before" ] || fail "write original did not bring back the camera's own bytes"
grep -qF "orvelccdI\\Parameters  (run $live, started" "$bench/grants.txt" || fail "the live run's journal line went"
kill $live
rm "$bench/grants.txt"
status=0; out=$(cli write original 2>&1) || status=$?
[ "$status" = 0 ] && [ "$out" = "the camera 4711 is already Original: nothing written" ] ||
  fail "write original on a camera that holds its own numbers: exit $status, '$out'"
[ "$(eeprom own)" = "$own_before" ] || fail "a write original of nothing changed the camera"
cli status --json | python3 -c '
import json, sys
got = json.loads(sys.stdin.read())
assert got["camera_id"] == 4711 and got["mode"] == "Disabled" and got["backup"] == "1030-4711.txt" and got["original"] is True, got
' || fail "status of the replayed camera"
no_permission brennccdF "write original"

# The driver's key unwritable once the permission is granted: the write is
# done, but the permission stays: exit 8, the key journalled for the next start.
if [ "$(id -u)" = 0 ] && chattr -i "$params" 2>/dev/null; then
  start_write enabled --camera 4711
  wait_output "Unplug the power of camera 4711 now."
  camsim unplug own >/dev/null
  wait_output "Plug camera 4711 in again."
  chattr +i "$params"
  camsim plug own >/dev/null
  wait "$writer" || true
  chattr -i "$params"
  [ "$(cat "$files/rc")" = 8 ] || fail "a permission that stays: exit $(cat "$files/rc"), not 8 ($(cat "$files/err"))"
  grep -qF "the camera was written, but the permission could not be removed" "$files/err" ||
    fail "a permission that stays said '$(cat "$files/err")'"
  grep -qF 'brennccdF\Parameters  (run ' "$bench/grants.txt" || fail "the key that stayed is not journalled"
  cli status >/dev/null || true
  camsim reg query "$(key brennccdF)" | grep -q AllowEEPROMWrite || fail "status revoked what stayed: it changes nothing"
  start_write disabled --camera 4711
  wait_output "Unplug the power of camera 4711 now."
  camsim unplug own >/dev/null
  wait_output "Plug camera 4711 in again."
  camsim plug own >/dev/null
  finished_with 0 "the write after a permission stayed"
  no_permission brennccdF "the write after a permission stayed"
else
  echo "note: no chattr here; the permission that stays is left to the unit tests"
fi

# A folder at the journal's name: the grant cannot be noted, so it is not
# made, and the journal is named (exit 4); a folder at the note's name: the
# update cannot be noted, so nothing is written, and the note is named (exit 1).
mkdir "$bench/grants.txt"
start_write enabled --camera 4711
wait_output "Unplug the power of camera 4711 now."
camsim unplug own >/dev/null
finished_with 4 "a folder at the journal's name"
[ "$(cat "$files/err")" = "vellmark-cli: the permission could not be noted in $bench/grants.txt: nothing granted" ] ||
  fail "a folder at the journal's name said '$(cat "$files/err")'"
! camsim reg query "$(key brennccdF)" | grep -q AllowEEPROMWrite || fail "a grant not journalled was made"
grep -qF "grants journal $bench/grants.txt: the grant cannot be noted in it" "$bench"/logs/run-*.txt ||
  fail "no record names the journal"
rmdir "$bench/grants.txt"
camsim plug own >/dev/null
mkdir "$bench/unfinished.txt"
own_before=$(eeprom own)
start_write enabled --camera 4711
wait_output "Unplug the power of camera 4711 now."
camsim unplug own >/dev/null
wait_output "Plug camera 4711 in again."
camsim plug own >/dev/null
finished_with 1 "a folder at the note's name"
[ "$(cat "$files/err")" = "vellmark-cli: the update could not be noted in $bench/unfinished.txt: nothing written" ] ||
  fail "a folder at the note's name said '$(cat "$files/err")'"
[ "$(eeprom own)" = "$own_before" ] || fail "a camera was written with no note of its update"
grep -qF "update note $bench/unfinished.txt is a folder, which cannot be replaced" "$bench"/logs/run-*.txt ||
  fail "no record names the note"
[ -d "$bench/unfinished.txt" ] || fail "the folder at the note's name was changed"
rmdir "$bench/unfinished.txt"
no_permission brennccdF "a folder at the note's name"
# A note that is not text: the start removes it and says so in its record.
printf '1030 4711 Enabled\n\001\377' >"$bench/unfinished.txt"
cli status >/dev/null
[ -e "$bench/unfinished.txt" ] || fail "status removed a note: it changes nothing"
status=0; cli write enabled --camera 9999 >/dev/null 2>&1 || status=$?
[ "$status" = 3 ] || fail "write of a missing ID after a note not the program's: exit $status"
[ ! -e "$bench/unfinished.txt" ] || fail "a note not the program's stayed after a start"
grep -qF "update note $bench/unfinished.txt not the program's (not text): removed, the cameras it named are lost" \
  "$bench"/logs/run-*.txt || fail "the start did not record the note it removed"

# revoke: a write killed (SIGKILL) at the plug wait leaves its permission;
# one that cannot be deleted ends revoke with 8 and stays journalled; then
# revoke removes it, in JSON too. Beside a live write its key is left, its
# journal line kept, and the write goes on; an ended run's key is removed.
has_permission() { camsim reg query "$(key "$1")" | grep -q AllowEEPROMWrite; }
camsim plug own >/dev/null
start_write enabled --camera 4711
wait_output "Unplug the power of camera 4711 now."
camsim unplug own >/dev/null
wait_output "Plug camera 4711 in again."
killed=$(cli_pid)
kill -KILL "$killed"
wait "$writer" || true
has_permission brennccdF || fail "a write killed at the plug wait left no permission"
if chattr +i "$params" 2>/dev/null; then
  status=0; out=$(cli revoke 2>"$files/err") || status=$?
  chattr -i "$params"
  [ "$status" = 8 ] && [ "$out" = "failed to remove AllowEEPROMWrite under $(key brennccdF): run $killed has ended" ] ||
    fail "revoke of a value that cannot be deleted: exit $status '$out'"
  [ "$(cat "$files/err")" = "vellmark-cli: 1 permission(s) could not be removed: the driver still accepts writes; run it again from an administrator's command prompt" ] ||
    fail "revoke of a value that cannot be deleted said '$(cat "$files/err")'"
  grep -qF "brennccdF\\Parameters  (run $killed, " "$bench/grants.txt" || fail "the key that stayed left the journal"
else
  echo "note: no chattr here; a value that revoke cannot delete is left untested"
fi
status=0; cli revoke --json >"$files/out" || status=$?
[ "$status" = 0 ] || fail "revoke --json after a kill: exit $status"
python3 -c '
import json, sys
lines = open(sys.argv[1]).read().splitlines()
assert [json.loads(l) for l in lines] == [{"event": "revoke", "result": "removed", "run": int(sys.argv[2]),
    "key": "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters", "reason": "run %s has ended" % sys.argv[2]}], lines
' "$files/out" "$killed" || fail "revoke --json after a kill printed $(cat "$files/out")"
no_permission brennccdF "revoke after a kill"
[ "$(cli revoke)" = "nothing to revoke: the grants journal lists no driver key" ] || fail "revoke of nothing said '$(cli revoke)'"
[ -z "$(cli revoke --json)" ] || fail "revoke --json of nothing printed a line"
camsim plug own >/dev/null
start_write enabled --camera 4711
wait_output "Unplug the power of camera 4711 now."
camsim unplug own >/dev/null
wait_output "Plug camera 4711 in again."
live=$(cli_pid)
printf '"AllowEEPROMWrite"=dword:00000001\n' >>"$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/orvelccdI/Parameters/values.reg"
printf 'HKLM\\%s  (run 999999, started 1)\n' 'SYSTEM\CurrentControlSet\Services\orvelccdI\Parameters' >>"$bench/grants.txt"
status=0; out=$(cli revoke) || status=$?
[ "$status" = 0 ] && [ "$out" = "left AllowEEPROMWrite under $(key brennccdF): run $live still runs
removed AllowEEPROMWrite under $(key orvelccdI): run 999999 has ended" ] || fail "revoke beside a live write: exit $status '$out'"
has_permission brennccdF || fail "revoke removed the live write's permission"
! has_permission orvelccdI || fail "revoke beside a live write left the ended run's permission"
[ "$(grep -c '^HKLM' "$bench/grants.txt")" = 1 ] && grep -qF "brennccdF\\Parameters  (run $live, " "$bench/grants.txt" ||
  fail "revoke beside a live write: the journal holds $(cat "$bench/grants.txt")"
camsim plug own >/dev/null
finished_with 0 "the write beside revoke"
no_permission brennccdF "the write beside revoke"

# Bad arguments: exit 2, one line on standard error, nothing changed.
before=$(cd "$bench" && find cameras/*/eeprom.bin registry -type f | sort | xargs md5sum)
while IFS='|' read -r args expected; do
  status=0
  # shellcheck disable=SC2086
  err=$("$bin/vellmark-cli" $args 2>&1 >/dev/null) || status=$?
  [ "$status" = 2 ] || fail "vellmark-cli $args: exit $status"
  [ "$(wc -l <<<"$err")" = 1 ] || fail "vellmark-cli $args: more than one line: $err"
  grep -qF -- "$expected" <<<"$err" || fail "vellmark-cli $args said '$err', not '$expected'"
done <<'CASES'
|a command is needed: status or write
frobnicate|unknown command 'frobnicate'
write|write needs a mode: disabled, enabled or original
write sideways|unknown mode 'sideways': disabled, enabled or original
write enabled --camera|--camera needs a camera ID (a decimal number)
write enabled --camera 12x|--camera needs a camera ID (a decimal number)
write enabled --camera 70000-5|--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path
write enabled --camera 1030-|--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path
write enabled --wait 0|--wait needs a number of seconds from 1 to 86400
write enabled --wait|--wait needs a number of seconds from 1 to 86400
status --camera 5|unknown argument '--camera'
status --loud|unknown argument '--loud'
--version extra|--version takes no arguments
CASES
[ "$before" = "$(cd "$bench" && find cameras/*/eeprom.bin registry -type f | sort | xargs md5sum)" ] || fail "a bad argument changed the bench"
# With --json anywhere, bad usage is one JSON line on standard output, code 2.
while IFS='|' read -r args expected; do
  status=0
  # shellcheck disable=SC2086
  out=$("$bin/vellmark-cli" $args 2>"$files/err") || status=$?
  [ "$status" = 2 ] && [ ! -s "$files/err" ] || fail "vellmark-cli $args: exit $status, $(cat "$files/err")"
  python3 -c '
import json, sys
lines = sys.argv[1].split("\n")
assert len(lines) == 1 and json.loads(lines[0]) == {"event": "error", "code": 2, "message": sys.argv[2]}, lines
' "$out" "$expected (see vellmark-cli --help)" || fail "vellmark-cli $args printed '$out'"
done <<'CASES'
--json|unknown command '--json'
--json status|unknown command '--json'
frobnicate --json|unknown command 'frobnicate'
write --json|unknown mode '--json': disabled, enabled or original
write enabled --camera --json|--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it
write enabled --json --wait 0|--wait needs a number of seconds from 1 to 86400
status --loud --json|unknown argument '--loud'
--help --json|--help takes no arguments
--version --json|--version takes no arguments
CASES

# A bench that cannot be used (shared, or its parent missing), and a lock
# that cannot be opened: exit 9, the reason in one JSON line, nothing made.
mkdir -m 1777 "$files/shared"
chmod 711 "$files"
mkdir -m 755 "$files/locked"
touch "$files/locked/vellmark.lock"
chmod 600 "$files/locked/vellmark.lock"
chown 65534:65534 "$files/locked" 2>/dev/null || true
as_other=()
if [ "$(id -u)" = 0 ] && [ "$(stat -c %u "$files/locked")" = 65534 ] && command -v setpriv >/dev/null; then
  as_other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  echo "note: not root, or no setpriv: the lock another user owns is left out"
fi
while IFS='|' read -r dir message; do
  run=()
  if [ "$dir" = locked ]; then
    [ ${#as_other[@]} -gt 0 ] || continue
    run=("${as_other[@]}")
  fi
  # write, which takes the guard (status takes none, so it never opens the lock)
  status=0
  out=$("${run[@]}" "$bin/vellmark-cli" write enabled --json --bench "$files/$dir" 2>/dev/null) || status=$?
  [ "$status" = 9 ] || fail "the bench $dir: exit $status, not 9 ($out)"
  python3 -c '
import json, sys
lines = sys.argv[1].split("\n")
assert len(lines) == 1 and json.loads(lines[0]) == {"event": "error", "code": 9, "message": sys.argv[2]}, lines
' "$out" "${message//DIR/$files}" || fail "the bench $dir printed '$out'"
done <<'CASES'
shared|cannot use the bench directory DIR/shared: others may write it (mode 1777); name a folder that only its owner may write
none/bench|cannot use the bench directory DIR/none/bench: the folder it would be made in, DIR/none, does not exist
locked|cannot make sure that no other copy runs: DIR/locked/vellmark.lock: Permission denied
CASES
[ -z "$(ls -A "$files/shared")" ] || fail "something was made in the shared bench"
status=0; "$bin/vellmark-cli" write enabled --bench "$files/shared" 2>"$files/err" || status=$?
[ "$status" = 9 ] && [ "$(cat "$files/err")" = "vellmark-cli: cannot use the bench directory $files/shared: others may write it (mode 1777); name a folder that only its owner may write" ] ||
  fail "write on a shared bench: exit $status, '$(cat "$files/err")'"

# Output that cannot be written: exit 10 and one line on standard error;
# a write whose first prompt cannot be shown grants nothing.
while IFS='|' read -r how args text; do
  status=0
  # shellcheck disable=SC2086
  case $how in
    full) cli $args >/dev/full 2>"$files/err" ;;
    closed) cli $args >&- 2>"$files/err" ;;
  esac || status=$?
  [ "$status" = 10 ] && [ "$(cat "$files/err")" = "vellmark-cli: the output could not be written: $text" ] ||
    fail "$args to $how output: exit $status, '$(cat "$files/err")'"
done <<'CASES'
full|status|No space left on device
full|status --json|No space left on device
closed|status|standard output is closed
full|write enabled --camera 4711|No space left on device
closed|write enabled --json|standard output is closed
CASES
no_permission brennccdF "a write to a full disk"
"$bin/vellmark-cli" --help | grep -qF "8  the permission could not be removed afterwards" || fail "--help lacks the exit codes"
[ "$("$bin/vellmark-cli" --version)" = "vellmark-cli 1.1.0.0" ] || fail "--version said $("$bin/vellmark-cli" --version)"
echo "vellmark-cli: all cases passed"
