#!/usr/bin/env bash
# The whole job in a terminal: vellmark runs in tmux on a fresh bench while
# camsim, as a second process, unplugs and plugs the camera. The wizard
# switches the camera to "Enabled"; camsim, the EEPROM file and the
# registry must agree at every step.
#
#   terminal_wizard_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
bench=$(mktemp -d)
session=vellmark-e2e-$$
key='HKLM\SYSTEM\CurrentControlSet\Services\brennccdF\Parameters'
camsim() { "$bin/camsim" --bench "$bench" "$@"; }
screen() { tmux capture-pane -p -t "$session"; }
cleanup() {
  tmux kill-session -t "$session" 2>/dev/null || true
  rm -rf "$bench"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- screen:" >&2
  screen >&2 || true
  exit 1
}

wait_for() {  # wait_for TEXT: until the screen shows it, at most 10 s
  for _ in $(seq 100); do
    if screen | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  fail "the screen never showed: $1"
}

press() {
  tmux send-keys -t "$session" "$@"
}

permission_present() {
  camsim reg query "$key" | grep -q 'AllowEEPROMWrite *REG_DWORD *0x1'
}

tmux new-session -d -s "$session" -x 100 -y 30
tmux set-option -t "$session" remain-on-exit on >/dev/null
tmux respawn-pane -k -t "$session" \
  "VELLMARK_BIN='$bin' '$here/scripts/start-vellmark' --bench '$bench'; echo \$? >'$bench/exit-status'"

wait_for "Step 1:"
wait_for "Overscan: Disabled"
wait_for "= Brenn KAF"
camsim show camera1 | grep -qx "state: plugged" || fail "the first camera is not plugged in"
permission_present && fail "the permission exists before step 2"

press n
wait_for "Unplug camera power"
permission_present && fail "the permission exists while the camera is still connected"

camsim unplug camera1 >/dev/null
wait_for "Connect camera again and click [Scan camera]"
wait_for "Camera type: Not connected"
permission_present || fail "the permission is missing after the camera was unplugged at step 2"

camsim plug camera1 | grep -q "writes permitted" || fail "the driver took no permission at plug-in"
# The program notices the plug within its bench poll; a scan before that
# finds no camera, so scan until it does.
for _ in $(seq 20); do
  press s
  sleep 0.3
  screen | grep -qF "Overscan: Disabled" && break
done
wait_for "Overscan: Disabled"
press n
wait_for "Define Overscan mode"
press Down
wait_for "<Enabled v>"
press w
wait_for "[ Next -> ]"

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

press n
wait_for "Camera update successful."
permission_present && fail "the permission is still there at step 5"
transfers=$(camsim show camera1 | sed -n 's/^transfers: //p')
[ "$transfers" -ge 13 ] || fail "only $transfers transfers were counted"

exited() { [ -s "$bench/exit-status" ]; }
exited && fail "the program ended before Finish"
press f
for _ in $(seq 100); do
  exited && break
  sleep 0.1
done
exited || fail "Finish did not close the program"
status=$(cat "$bench/exit-status")
[ "$status" = 0 ] || fail "the program exited with $status, not 0"
echo "terminal wizard run: camera1 switched to Enabled, $transfers transfers"
