#!/usr/bin/env bash
# The whole job in a terminal, by Enter alone: vellmark runs in tmux on a
# fresh bench while camsim, as a second process, unplugs and plugs the
# camera. The focus is on the step's default button throughout; the wizard
# switches the camera to "Enabled"; camsim, the EEPROM file and the
# registry must agree at every step.
#
#   terminal_wizard_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
bench=$(mktemp -d)
session=vellmark-e2e-$$
. "$here/tests/e2e/tmux_session.sh"
trap 'stop_tmux; rm -rf "$bench"' EXIT

focus_on() {  # focus_on BUTTON: the focus marks are round that button alone
  wait_for ">[ $1 ]<"
  [ "$(screen | grep -o '>[[(<]' | wc -l)" = 1 ] || fail "more than one control is marked focused"
}

start_in_tmux 100 30 "VELLMARK_BIN='$bin' '$here/scripts/start-vellmark' --bench '$bench'"

wait_for "Step 1:"
wait_for "Overscan: Disabled"
wait_for "= Brenn KAF"
camsim show camera1 | grep -qx "state: plugged" || fail "the first camera is not plugged in"
permission_present && fail "the permission exists before step 2"
focus_on "Next ->"

press Enter
wait_for "Unplug camera power"
screen | grep -q '>[[(<]' && fail "a control is marked focused while none is enabled"
permission_present && fail "the permission exists while the camera is still connected"

camsim unplug camera1 >/dev/null
wait_for "Connect camera again and click [Scan camera]"
wait_for "Camera type: Not connected"
focus_on "Scan camera"
permission_present || fail "the permission is missing after the camera was unplugged at step 2"

camsim plug camera1 | grep -q "writes permitted" || fail "the driver took no permission at plug-in"
# A scan that finds no camera yet leaves the focus on Scan camera; scan until
# it finds the camera and the focus moves to Next.
for _ in $(seq 20); do
  press Enter
  sleep 0.3
  screen | grep -qF "Overscan: Disabled" && break
done
wait_for "Overscan: Disabled"
focus_on "Next ->"
press Enter
wait_for "Define Overscan mode"
# The chooser takes the focus; Enter there presses Write Overscan.
wait_for "><Disabled v><"
press Down
wait_for "><Enabled v><"
press Enter
focus_on "Next ->"

shown=$(camsim show camera1)
for line in "mode: enabled" "visible: 3443 x 2573" "geometry: total 3448 x 2574, offset 4,1, width after offset 3444"; do
  grep -qxF "$line" <<<"$shown" || fail "camsim show lacks '$line'"
done
# Visible size at descriptor offsets 8 and 10, geometry at 71 (family B).
bytes=$(od -An -tx1 -j18 -N4 "$bench/cameras/camera1/eeprom.bin" | tr -d ' \n')
[ "$bytes" = 730d0d0a ] || fail "visible size bytes in eeprom.bin are $bytes"
bytes=$(od -An -tx1 -j71 -N8 "$bench/cameras/camera1/eeprom.bin" | tr -d ' \n')
[ "$bytes" = 780d0e0a0401740d ] || fail "geometry bytes in eeprom.bin are $bytes"
[ "$(stat -c %s "$bench/cameras/camera1/eeprom.bin")" = 256 ] || fail "eeprom.bin is not 256 bytes"
permission_present || fail "the permission is gone before step 5"

press Enter
wait_for "Camera update successful."
focus_on "Finish"
permission_present && fail "the permission is still there at step 5"
transfers=$(camsim show camera1 | sed -n 's/^transfers: //p')
[ "$transfers" -ge 13 ] || fail "only $transfers transfers were counted"

[ -s "$bench/exit-status" ] && fail "the program ended before Finish"
press Enter
wait_for_exit 0
record=$(ls "$bench"/logs/run-*.txt | tail -n1)
for line in 'mode chosen at step 4: "Enabled"' "backup saved as 1030-" " write 71 12: status 0x80 (done)" \
  "end: the window closed at step 5 as the user saw it, by Finish" "end: the program ended at "; do
  grep -qF -- "$line" "$record" || fail "the record lacks: $line"
done
echo "terminal wizard run by Enter alone: camera1 switched to Enabled, $transfers transfers"
