#!/usr/bin/env bash
# In the terminal: after "Write Overscan", a change of the mode with Up or
# Down takes Next away until the choice shown is written (choosing the
# written mode again gives it back), and closing the window before step 5
# leaves no write permission behind.
#
#   terminal_choice_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
bench=$(mktemp -d)
session=vellmark-choice-$$
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
  screen >&2 || true
  exit 1
}
wait_for() {  # until the screen shows TEXT, at most 10 s
  for _ in $(seq 100); do
    screen | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  fail "the screen never showed: $1"
}
keys() {  # one at a time, each given time to be drawn
  local k
  for k in "$@"; do
    tmux send-keys -t "$session" "$k"
    sleep 0.2
  done
}
permission_present() { camsim reg query "$key" | grep -q 'AllowEEPROMWrite *REG_DWORD *0x1'; }
start() {
  rm -f "$bench/exit-status"
  tmux kill-session -t "$session" 2>/dev/null || true
  tmux new-session -d -s "$session" -x 100 -y 30
  tmux set-option -t "$session" remain-on-exit on >/dev/null
  tmux respawn-pane -k -t "$session" \
    "VELLMARK_BIN='$bin' '$here/scripts/start-vellmark' --bench '$bench'; echo \$? >'$bench/exit-status'"
  wait_for "Overscan: Disabled"
}
to_step_four() {
  keys n
  wait_for "Unplug camera power"
  camsim unplug camera1 >/dev/null
  wait_for "Connect camera again"
  camsim plug camera1 >/dev/null
  for _ in $(seq 20); do
    keys s
    screen | grep -qF "Overscan: Disabled" && break
  done
  keys n
  wait_for "Define Overscan mode"
}
closed() {
  for _ in $(seq 100); do
    [ -s "$bench/exit-status" ] && return 0
    sleep 0.1
  done
  fail "the program did not close"
}

start
to_step_four
keys Down w
wait_for "[ Next -> ]"
keys Up
wait_for "<Disabled v>"
wait_for "( Next -> )"
keys n
sleep 0.3
screen | grep -qF "Define Overscan mode" || fail "Next led on with an unwritten choice"
keys Down
wait_for "[ Next -> ]"
keys Up w n
wait_for "Camera update successful."
camsim show camera1 | grep -qx "mode: disabled" || fail "the camera does not hold the mode shown last"
keys f
closed

# Closed at step 4, with the permission granted at step 2: none is left.
start
to_step_four
permission_present || fail "no permission at step 4"
keys q
closed
permission_present && fail "the permission outlived the program"
echo "terminal choice and close: Next follows the written choice; no permission left"
