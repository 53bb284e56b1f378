#!/usr/bin/env bash
# Every way a run of the terminal program ends leaves no write permission
# behind: its terminal closed, a burst of SIGHUPs, Ctrl-\, SIGPIPE, and kill -9
# (revoked by the next start, which leaves a value no run granted alone).
# A second vellmark on the bench is refused while the first finishes its
# job, a second start after the guard's file went leaves the first run's
# permission, and a camera that cannot be written stops at step 1.
#
#   terminal_endings_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
bench=$(mktemp -d)
scratch=$(mktemp -d)
session=vellmark-endings-$$
. "$here/tmux_session.sh"
trap 'stop_tmux; rm -rf "$bench" "$scratch"' EXIT

camsim create camera1 --sensor 4 --class 4 --mode disabled >/dev/null
camsim plug camera1 >/dev/null
vellmark="$bin/vellmark --bench $bench"
newest_record() { ls -t "$bench"/logs/run-*.txt | head -n1; }
record_says() {  # record_says LINE...: each line, as a record line ends, is in the newest record
  local line
  for line in "$@"; do
    grep -qF -- "$line" "$(newest_record)" || fail "the record lacks: $line"
  done
}
pid_of_vellmark() { pgrep -xf "$vellmark" || true; }
wait_gone() {  # until no vellmark runs on the bench, at most 10 s
  for _ in $(seq 100); do
    [ -z "$(pid_of_vellmark)" ] && return 0
    sleep 0.1
  done
  fail "vellmark is still running"
}
reach_step_three() {
  wait_for "Overscan: Disabled"
  press Enter
  wait_for "Unplug camera power"
  camsim unplug camera1 >/dev/null
  wait_for "Connect camera again"
  permission_present || fail "no permission at step 3"
}
reach_step_four() {
  reach_step_three
  camsim plug camera1 >/dev/null
  for _ in $(seq 20); do
    press s
    sleep 0.2
    screen | grep -qF "Overscan: Disabled" && break
  done
  press n
  wait_for "Define Overscan mode"
}
plugged_again() { camsim plug camera1 >/dev/null 2>&1 || true; }
# A run in a shell, as a person starts it, with the terminal's modes kept.
start_shell() {
  rm -f "$scratch"/stty-* "$scratch/exit-status"
  start_in_tmux 100 30 "stty -g >'$scratch/stty-before'; $vellmark; status=\$?; stty -g >'$scratch/stty-after'; (exit \$status)"
}
expect_terminal_back() {  # expect_terminal_back WHAT
  wait_for_cursor || fail "$1 left the cursor hidden"
  cmp -s "$scratch/stty-before" "$scratch/stty-after" || fail "$1 left the terminal's modes changed"
}

# The terminal window closed at step 3: the shell's SIGHUP, then the
# kernel's when the shell is gone.
for run in 1 2 3 4 5; do
  start_in_tmux 100 30 "HISTFILE=/dev/null bash --norc -i"
  typed "$vellmark"
  press Enter
  reach_step_three
  tmux kill-pane -t "$session"
  wait_gone
  permission_present && fail "closing the terminal at step 3 left the permission (run $run)"
  plugged_again
done

# SIGHUPs microseconds apart, and Ctrl-\: the close runs to its end.
start_shell
reach_step_three
pid=$(pid_of_vellmark)
# Sent back to back, some coalesce; the rest land during the close.
for _ in $(seq 200); do kill -HUP "$pid" 2>/dev/null || break; done
wait_for_exit 129
expect_terminal_back "SIGHUPs in a burst"
permission_present && fail "SIGHUPs in a burst left the permission"
plugged_again

start_shell
reach_step_three
press 'C-\'
wait_for_exit 131
record_says "end: the window closed at step 3 as the user saw it, by signal SIGQUIT"
expect_terminal_back "Ctrl-\\"
permission_present && fail "Ctrl-\\ left the permission"
plugged_again

# Every other signal whose default ends a process closes the window as
# SIGTERM does, the permission revoked first.
for signal in USR1 ALRM; do
  start_shell
  reach_step_three
  kill -s $signal "$(pid_of_vellmark)"
  wait_for_exit $((128 + $(kill -l $signal)))
  record_says "end: the window closed at step 3 as the user saw it, by signal SIG$signal"
  expect_terminal_back "SIG$signal"
  permission_present && fail "SIG$signal left the permission"
  plugged_again
done

# Under a file-size limit that the run record reaches, the record stops
# growing and the job runs to its end.
start_in_tmux 100 30 "ulimit -f 1; $vellmark"
reach_step_four
press w
wait_for "[ Next -> ]"
press n
wait_for "Camera update successful."
press f
wait_for_exit 0
[ "$(stat -c %s "$(newest_record)")" = 1024 ] || fail "the record did not reach the limit: $(stat -c %s "$(newest_record)") bytes"
permission_present && fail "a record at the file-size limit left the permission"

# SIGPIPE: the reader of the program's output gone, then a key.
printf '%s\n' "#!/usr/bin/env bash" "$vellmark | cat" 'exit ${PIPESTATUS[0]}' >"$scratch/piped"
start_in_tmux 100 30 "bash '$scratch/piped'"
reach_step_three
script=$(pgrep -P "$(tmux display -p -t "$session" '#{pane_pid}')" -x bash)
pkill -P "$script" -x cat
press a  # the About box: a frame to write
wait_for_exit 141
permission_present && fail "SIGPIPE left the permission"
plugged_again

# kill -9 at step 3 and at step 4: the next start revokes, before its first
# scan, what the killed run granted; another driver's value stays.
other_key='HKLM\SYSTEM\CurrentControlSet\Services\orvelccdI\Parameters'
other_dir="$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/orvelccdI/Parameters"
mkdir -p "$other_dir"
printf '"AllowEEPROMWrite"=dword:00000001\n' >"$other_dir/values.reg"
for step in three four; do
  start_in_tmux 100 30 "$vellmark"
  "reach_step_$step"
  killed=$(pid_of_vellmark)
  kill -9 "$killed"
  wait_gone
  # The killed run's record, up to the kill: no end.
  record_says "camera at step 1: class 4, product id 1030, type SIM-4, camera ID " ", sensor row 4, mode Disabled" \
    "grant AllowEEPROMWrite under HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters: done"
  grep -q "end: " "$(newest_record)" && fail "the killed run's record has an end"
  permission_present || fail "kill -9 at step $step left no permission to revoke"
  grep -qE "^HKLM\\\\SYSTEM\\\\CurrentControlSet\\\\Services\\\\brennccdF\\\\Parameters  \\(run $killed, started [0-9]+\\)\$" \
    "$bench/grants.txt" ||
    fail "the journal does not list the killed run's grant"
  plugged_again
  start_in_tmux 100 30 "$vellmark"
  wait_for "Overscan: Disabled"
  press q
  wait_for_exit 0
  permission_present && fail "the start after kill -9 at step $step left the permission"
  [ ! -e "$bench/grants.txt" ] || fail "the journal still lists a key after the start"
  camsim reg query "$other_key" | grep -q 'AllowEEPROMWrite *REG_DWORD *0x1' ||
    fail "the start took away a permission that no run granted"
done

# The guard's file deleted under a run at step 4: a second vellmark starts,
# and its start leaves the first run's live permission; the first finishes.
start_in_tmux 100 30 "$vellmark"
reach_step_four
rm "$bench/vellmark.lock"
status=0
$vellmark </dev/null >/dev/null 2>&1 || status=$?
[ "$status" = 0 ] || fail "the second vellmark, after the guard's file went, exited with $status"
permission_present || fail "a second start revoked the permission of a run still at step 4"
press w
wait_for "[ Next -> ]"
press n
wait_for "Camera update successful."
permission_present && fail "the job left the permission"
press f
wait_for_exit 0

# A second vellmark on the bench is refused, naming the first, and changes
# nothing; the first finishes its job. Compared is what a refused second copy
# could change: which files the bench holds, and what all of them hold but
# those the first run writes meanwhile: its own record (its administrator
# check comes 300 ms after its start), its files on their way into place
# (NAME.new.PID.N), the camera's count of transfers (its scans) and the lock.
start_in_tmux 100 30 "$vellmark"
wait_for "Overscan: Disabled"
first=$(pid_of_vellmark)
bench_state() {
  (cd "$bench" && find . -type f ! -name "*.new.$first.*" | sort | while IFS= read -r file; do
    case $file in
      ./logs/run-*-"$first".txt | ./cameras/*/transfers.txt | ./vellmark.lock) echo "$file" ;;
      *) echo "$file $(sha256sum <"$file")" ;;
    esac
  done)
}
before=$(bench_state)
status=0
err=$($vellmark </dev/null 2>&1 >/dev/null) || status=$?
[ "$status" = 1 ] || fail "a second vellmark exited with $status, not 1"
[ "$err" = "vellmark: vellmark is running on the bench $bench already (process $first)" ] ||
  fail "a second vellmark said: $err"
after=$(bench_state)
[ "$after" = "$before" ] || fail "the refused vellmark changed the bench: $(diff <(echo "$before") <(echo "$after"))"
reach_step_four
press Down
wait_for "<Enabled v>"
press w
wait_for "[ Next -> ]"
press n
wait_for "Camera update successful."
press f
wait_for_exit 0
camsim show camera1 | grep -qx "mode: enabled" || fail "the first vellmark's job was not done"
permission_present && fail "the job left the permission"

# A signal during a transfer is taken after it: SIGUSR1 while the
# geometry's write (the 6th transfer of step 4) is held; the write back to
# Disabled runs to its end, the permission is revoked, the signal's status.
eeprom_hex() { od -An -tx1 -j"$1" -N"$2" "$bench/cameras/camera1/eeprom.bin" | tr -d ' \n'; }
start_shell
wait_for "Overscan: Enabled"
press Enter
wait_for "Unplug camera power"
camsim unplug camera1 >/dev/null
wait_for "Connect camera again"
camsim plug camera1 >/dev/null
for _ in $(seq 20); do
  press s
  sleep 0.2
  screen | grep -qF "Overscan: Enabled" && break
done
press n
wait_for "Define Overscan mode"
press Up
wait_for "<Disabled v>"
camsim fault camera1 hold $(($(cat "$bench/cameras/camera1/transfers.txt") + 6)) >/dev/null
press w
for _ in $(seq 100); do camsim show camera1 | grep -qx "fault: hold at transfer .*, fired" && break; sleep 0.1; done
[ "$(eeprom_hex 18 4)" = 1e0de809 ] && [ "$(eeprom_hex 71 8)" = 780d0e0a0401740d ] ||
  fail "the hold is not between the descriptor's write and the geometry's"
kill -USR1 "$(pid_of_vellmark)"
camsim fault camera1 clear >/dev/null
wait_for_exit 138
[ "$(eeprom_hex 71 8)" = 780d0e0a1b1e5d0d ] || fail "SIGUSR1 during the geometry's write left $(eeprom_hex 71 8)"
record_says "end: the window closed at step 4 as the user saw it, by signal SIGUSR1"
permission_present && fail "SIGUSR1 during a transfer left the permission"
[ ! -s "$bench/unfinished.txt" ] || fail "SIGUSR1 during a transfer left the note $(cat "$bench/unfinished.txt")"

# A camera that cannot be written stops at step 1: no driver of the table
# serves its product id, or its driver is not installed.
stops_at_step_one() {  # stops_at_step_one CAMERA ID OVERSCAN-TEXT
  camsim plug "$1" >/dev/null
  start_in_tmux 100 30 "$vellmark"
  wait_for "Overscan: $3"
  wait_for "Camera ID:  $2"
  screen | grep -qF "( Next -> )" || fail "Next is enabled for $1"
  press n
  sleep 0.3
  screen | grep -qF "Step 1:" || fail "Next led on for $1"
  press q
  wait_for_exit 0
  camsim unplug "$1" >/dev/null
}
camsim unplug camera1 >/dev/null
camsim create nodriver --sensor 4 --class 4 --product-id 9999 --id 42 >/dev/null
stops_at_step_one nodriver 42 "Cannot be configured"
camsim create uninstalled --sensor 4 --class 2 --id 43 >/dev/null
rm -r "$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/orvelccdF"
stops_at_step_one uninstalled 43 "Driver not installed"
[ ! -e "$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/orvelccdF" ] || fail "the driver's key was created"
echo "terminal endings: no way out left the permission; one vellmark a bench; unwritable cameras stop at step 1"
