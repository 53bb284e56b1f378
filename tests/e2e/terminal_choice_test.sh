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
. "$here/tests/e2e/tmux_session.sh"
trap 'stop_tmux; rm -rf "$bench"' EXIT
start() {
  start_in_tmux 100 30 "VELLMARK_BIN='$bin' '$here/scripts/start-vellmark' --bench '$bench'"
  wait_for "Overscan: Disabled"
}
start
to_step_four camera1 Disabled
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
wait_for_exit 0

# Closed at step 4, with the permission granted at step 2: none is left.
start
to_step_four camera1 Disabled
permission_present || fail "no permission at step 4"
keys q
wait_for_exit 0
permission_present && fail "the permission outlived the program"

# Closed at step 2 with q, the camera still connected: the close leads the
# window through step 3 on its way out, the record tells step 2.
start
keys n
wait_for "Unplug camera power"
keys q
wait_for_exit 0
grep -qxE "[0-9]{2}:[0-9]{2}:[0-9]{2} end: the window closed at step 2 as the user saw it, by the window's close" \
  "$(ls -t "$bench"/logs/run-*.txt | head -n1)" || fail "the close at step 2: $(grep " end: " "$bench"/logs/run-*.txt)"
echo "terminal choice and close: Next follows the written choice; no permission left"
