#!/usr/bin/env bash
# The terminal program stands up to its input: the end of the input, bursts
# of keys and escape sequences cut or joined, signals and Ctrl-Z, control
# characters from the EEPROM, a terminal too small, and its command line.
#
#   terminal_input_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
bench=$(mktemp -d)
session=vellmark-input-$$
. "$here/tmux_session.sh"
trap 'stop_tmux; rm -rf "$bench"' EXIT

camsim create camera1 --sensor 4 --class 4 --mode disabled >/dev/null
camsim plug camera1 >/dev/null
vellmark="$bin/vellmark --bench $bench"

# The command line.
out=$("$bin/vellmark" --help) || fail "--help exited with $?"
[ "$(head -1 <<<"$out")" = "usage: vellmark [--bench DIR]" ] || fail "--help printed: $out"
status=0
err=$("$bin/vellmark" --bench '' 2>&1 >/dev/null) || status=$?
[ "$status" = 2 ] || fail "an empty --bench exited with $status, not 2"
[ "$err" = "vellmark: --bench needs a directory (usage: vellmark [--bench DIR])" ] || fail "an empty --bench said: $err"

# The end of the input closes the window as q does, after the keys before it.
out=$(printf 'n' | timeout 10 $vellmark) || fail "with its input ended the program exited with $?"
grep -qF "Unplug camera power" <<<"$out" || fail "the key before the end of the input was lost"
[ "$(tail -c 8 <<<"$out" | od -An -c | tr -d ' ')" = '033[?25h\r\n' ] || fail "the cursor was not shown at the end"
timeout 10 $vellmark </dev/null >/dev/null || fail "with no input at all the program did not end by itself"

# Signals: the window closes, the cursor comes back, the terminal's modes are
# as before, and the program ends by the signal.
for signal in INT TERM HUP; do
  rm -f "$bench"/stty-*
  start_in_tmux 100 30 "stty -g >'$bench/stty-before'; $vellmark; status=\$?; stty -g >'$bench/stty-after'; (exit \$status)"
  wait_for "Step 1:"
  cursor_shown && fail "the cursor is shown while the program runs"
  pkill -"$signal" -xf "$vellmark"
  wait_for_exit $((128 + $(kill -l "$signal")))
  wait_for_cursor || fail "SIG$signal left the cursor hidden"
  cmp -s "$bench/stty-before" "$bench/stty-after" || fail "SIG$signal left the terminal's modes changed"
done

# Ctrl-Z gives the terminal back while the program is stopped; fg takes it
# again, draws the screen anew and the keys work.
rm -f "$bench"/stty-*
start_in_tmux 100 30 "HISTFILE=/dev/null bash --norc -i"
typed "stty -g >'$bench/stty-before'; $vellmark"
press Enter
wait_for "Step 1:"
press C-z
wait_for_cursor || fail "Ctrl-Z left the cursor hidden"
typed "stty -g >'$bench/stty-after'; clear; fg"
press Enter
wait_for_file "$bench/stty-after"
for _ in $(seq 100); do  # until the program has drawn over the cleared screen
  screen | grep -qF "clear; fg" || break
  sleep 0.1
done
wait_for "Step 1:"
cmp -s "$bench/stty-before" "$bench/stty-after" || fail "Ctrl-Z left the terminal's modes changed"
press Enter
wait_for "Unplug camera power"

# A terminal too small asks for more, and the window comes on resize.
start_in_tmux 40 12 "$vellmark"
wait_for "Please enlarge the terminal to 47 x 18"
[ "$(screen | grep -c .)" = 1 ] || fail "a small terminal shows more than one line"
tmux resize-window -t "$session" -x 100 -y 30
wait_for "Step 1:"
wait_for "Overscan: Disabled"

# Bursts: three keys in one write; a scan, Next and three chooser moves in
# one; an escape sequence cut in two; an Escape alone ends the program.
typed $'\t\t\r'
wait_for "Unplug camera power"
camsim unplug camera1 >/dev/null
wait_for "Connect camera again"
# The program takes the bench's change before a key that comes after it (one
# wait on both), so the scan at once finds the camera.
camsim plug camera1 >/dev/null
typed $'sn\e[B\e[A\e[B'
wait_for "Define Overscan mode"
wait_for "<Enabled v>"
# The halves 20 ms apart, timed by the tmux server: two tmux commands of
# their own came up to 100 ms apart under load, past the program's 50 ms
# wait for the rest of a sequence, and the lone ESC closed the window.
tmux send-keys -t "$session" -l $'\e' \; run-shell -d 0.02 \; send-keys -t "$session" -l '[A'
wait_for "<Disabled v>"
typed $'\eOB'
wait_for "<Enabled v>"
screen | grep -qF "><Enabled v><" || fail "the focus is not on the chooser at step 4"
press Escape
wait_for_exit 0

# Control characters in the camera type (the EEPROM is outside input) are
# drawn as '?': family B keeps the type at address 26.
printf 'AB\033[2J\007Z\0' | dd of="$bench/cameras/camera1/eeprom.bin" bs=1 seek=26 conv=notrunc status=none
start_in_tmux 100 30 "$vellmark"
wait_for "Camera type: AB?[2J?Z"
press q
wait_for_exit 0
echo "terminal input: end of input, bursts, signals, control characters, small terminal and command line all held"
