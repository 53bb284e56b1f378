#!/usr/bin/env bash
# A user's camera replayed from its backup, and the way back to its own
# numbers, in the terminal: camsim makes a camera from a backup file (and
# refuses files that are no backup); the wizard shows its type and ID,
# switches it to "Enabled", and a second run writes "Original": the
# EEPROM ends as it began, the backup kept unchanged, a record per run.
#
#   terminal_original_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
bench=$(mktemp -d)
files=$(mktemp -d)
session=vellmark-original-$$
. "$here/tests/e2e/tmux_session.sh"
trap 'stop_tmux; rm -rf "$bench" "$files"' EXIT
snapshot() { (cd "$bench" && find . -type f | sort | xargs md5sum) 2>/dev/null; }

# A class row 4 camera with numbers of its own: camera ID 4711, type
# FACTORY, visible 3400 x 2550, offsets 20 and 12, width after offset 3428.
header=a0a1a20604a5a6a7a8a9
descriptor=6712000001020304480df60905060708464143544f525900000000000000$(printf '11%.0s' $(seq 31))
geometry=780d0e0a140c640d21222324
printf 'class = 4\nheader = %s\ndescriptor = %s\ngeometry = %s\n' "$header" "$descriptor" "$geometry" >"$files/backup.txt"

refused() {  # refused FILE EXPECTED: exit 2 naming the fault, the bench unchanged
  local before status=0 err
  before=$(snapshot)
  err=$(camsim create bad --from "$1" 2>&1 >/dev/null) || status=$?
  [ "$status" = 2 ] || fail "camsim create --from $1 exited with $status, not 2"
  grep -qF -- "$2" <<<"$err" || fail "camsim said '$err', not '$2'"
  [ "$before" = "$(snapshot)" ] || fail "a refused backup changed the bench"
}
camsim list >/dev/null  # the bench made before its snapshots
sed 's/^header = .*//' "$files/backup.txt" >"$files/no-header.txt"
refused "$files/no-header.txt" "is not a camera backup: no line 'header = ...'"
sed 's/^geometry = 780d/geometry = 78zz/' "$files/backup.txt" >"$files/bad-hex.txt"
refused "$files/bad-hex.txt" "is not a camera backup: the geometry is not hex"
sed 's/^class = 4/class = 2/' "$files/backup.txt" >"$files/wrong-class.txt"
refused "$files/wrong-class.txt" "the descriptor holds 122 hex digits; class 2 takes 118 (59 bytes)"
refused "$files/missing.txt" "no backup file"

camsim create cam --from "$files/backup.txt" >/dev/null
shown=$(camsim show cam)
for line in "class: 4 (family B)" "product id: 1030" "camera id: 4711" "type: FACTORY" "visible: 3400 x 2550" \
  "geometry: total 3448 x 2574, offset 20,12, width after offset 3428"; do
  grep -qxF "$line" <<<"$shown" || fail "show lacks '$line'"
done
expected="$header$descriptor$geometry$(printf '00%.0s' $(seq 173))"
[ "$(od -An -v -tx1 "$bench/cameras/cam/eeprom.bin" | tr -d ' \n')" = "$expected" ] ||
  fail "the EEPROM is not the backup's blocks with zeros elsewhere"
cp "$bench/cameras/cam/eeprom.bin" "$files/before.bin"
camsim plug cam >/dev/null

start() {
  start_in_tmux 100 30 "'$bin/vellmark' --bench '$bench'"
  wait_for "Camera type: FACTORY"
  wait_for "Camera ID:  4711"
}

start
wait_for "Overscan: Disabled"
to_step_four cam Disabled
wait_for "<Disabled v>"
keys Down Down
wait_for "<Enabled v>"
screen | grep -qF "Original" && fail "Original is offered before the camera has a backup"
keys w
wait_for "[ Next -> ]"
keys n
wait_for "Camera update successful."
keys f
wait_for_exit 0
[ -f "$bench/backups/1030-4711.txt" ] || fail "no backup 1030-4711.txt after the first write"
for line in "class = 4" "header = $header" "descriptor = $descriptor" "geometry = $geometry" "camera type = FACTORY" \
  "visible width = 3400" "x offset = 20" "width after offset = 3428"; do
  grep -qxF "$line" "$bench/backups/1030-4711.txt" || fail "the backup lacks '$line'"
done
cp "$bench/backups/1030-4711.txt" "$files/backup-kept.txt"
camsim show cam | grep -qx "visible: 3443 x 2573" || fail "the first run did not write Enabled"

start
wait_for "Overscan: Enabled"
to_step_four cam Enabled
wait_for "<Enabled v>"
keys Down
wait_for "<Original v>"
keys w
wait_for "[ Next -> ]"
keys Up
wait_for "<Enabled v>"
wait_for "( Next -> )"
keys Down
wait_for "<Original v>"
wait_for "[ Next -> ]"
keys n
wait_for "Camera update successful."
keys f
wait_for_exit 0
cmp -s "$files/before.bin" "$bench/cameras/cam/eeprom.bin" || fail "Original did not give back the camera's bytes"
cmp -s "$files/backup-kept.txt" "$bench/backups/1030-4711.txt" || fail "the backup changed"
[ "$(ls "$bench/backups")" = 1030-4711.txt ] || fail "another backup was made: $(ls "$bench/backups")"
records=$(ls "$bench/logs")
[ "$(wc -l <<<"$records")" = 2 ] || fail "not one record a run: $records"
for line in " write 71 12: status 0x80 (done)" 'mode chosen at step 4: "Original"' "backup found as 1030-4711.txt" \
  "end: the window closed at step 5 as the user saw it, by Finish"; do
  grep -qF -- "$line" "$bench/logs/$(tail -n1 <<<"$records")" || fail "the record lacks: $line"
done
echo "terminal original: a camera from its backup, Enabled and back to Original byte for byte"
