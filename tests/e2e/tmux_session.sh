# Helpers for driving a terminal program in a tmux session, sourced by the
# end-to-end tests. The caller sets bin (the built programs), bench (a bench
# directory) and session (a tmux session name); scratch (a directory for
# the helpers' files) is the bench unless set, and tmux_env (NAME=VALUE
# words) is handed to the session.
#
# Each test has a tmux server of its own, named for its session and kept
# alive while it has no session: with one shared server, the end of one
# test's last session took the server away under another test's command
# ("server exited unexpectedly"), and so did a restart within one test.

# The programs speak English unless a test asks for another language (in
# tmux_env), whatever the locale of the machine running the tests.
export VELLMARK_LANG=en

tmux() { command tmux -L "$session" "$@"; }
camsim() { "$bin/camsim" --bench "$bench" "$@"; }
screen() { tmux capture-pane -p -t "$session"; }
press() { tmux send-keys -t "$session" "$@"; }
typed() { tmux send-keys -t "$session" -l "$1"; }  # the bytes as one write

# The write permission that the wizard grants the default camera's driver.
permission_key='HKLM\SYSTEM\CurrentControlSet\Services\brennccdF\Parameters'
permission_present() {
  camsim reg query "$permission_key" | grep -q 'AllowEEPROMWrite *REG_DWORD *0x1'
}

fail() {
  echo "FAIL: $*" >&2
  echo "--- screen:" >&2
  screen >&2 || true
  exit 1
}

keys() {  # one at a time, each given time to be drawn
  local k
  for k in "$@"; do
    tmux send-keys -t "$session" "$k"
    sleep 0.2
  done
}

# to_step_four CAMERA MODE: from step 1 through the unplug and the rescan
# (scanning until the camera, plugged in again, shows the mode) to step 4.
to_step_four() {
  keys n
  wait_for "Unplug camera power"
  camsim unplug "$1" >/dev/null
  wait_for "Connect camera again"
  camsim plug "$1" >/dev/null
  for _ in $(seq 20); do
    keys s
    screen | grep -qF "Overscan: $2" && break
  done
  keys n
  wait_for "Define Overscan mode"
}

wait_for() {  # wait_for TEXT: until the screen shows it, at most 10 s
  for _ in $(seq 100); do
    if screen | grep -qF -- "$1"; then return 0; fi
    sleep 0.1
  done
  fail "the screen never showed: $1"
}

# One vellmark a bench: the one of a session just ended must have closed
# (its close run to its end) and let go of the bench's guard before the next
# one starts there. Waits at most 20 s, then says who still holds it.
wait_for_bench_free() {
  local lock=${bench:-${XDG_STATE_HOME:-$HOME/.local/state}/vellmark/bench}/vellmark.lock
  for _ in $(seq 200); do
    if [ ! -e "$lock" ] || flock -n "$lock" true 2>/dev/null; then return 0; fi
    sleep 0.1
  done
  echo "note: $lock is still held by:" >&2
  ps -eo pid,ppid,stat,wchan:24,cmd | grep '[v]ellmark' >&2 || true
}

# start_in_tmux COLUMNS ROWS COMMAND: a new session running the command; its
# exit status goes to $bench/exit-status, and the pane stays alive after it
# (tmux forgets the cursor of a dead pane, and its status at times).
start_in_tmux() {
  local status=${scratch:-$bench}/exit-status environment=() word
  for word in ${tmux_env:-}; do environment+=(-e "$word"); done
  tmux start-server \; set-option -g exit-empty off
  tmux kill-session -t "$session" 2>/dev/null || true
  wait_for_bench_free
  rm -f "$status"
  tmux new-session -d -s "$session" -x "$1" -y "$2" -c "$PWD" "${environment[@]}" "$3; echo \$? >'$status'; sleep 60"
}

stop_tmux() {  # for the exit trap: the session and its program gone before the files go
  local socket
  socket=$(tmux display-message -p '#{socket_path}' 2>/dev/null) || true
  tmux kill-session -t "$session" 2>/dev/null || true
  tmux kill-server 2>/dev/null || true
  [ -z "$socket" ] || rm -f "$socket"
  sleep 0.3
}

cursor_shown() { [ "$(tmux display -p -t "$session" '#{cursor_flag}')" = 1 ]; }
wait_for_cursor() {  # tmux reads the pane's output a little after it is written
  for _ in $(seq 50); do
    cursor_shown && return 0
    sleep 0.1
  done
  return 1
}

wait_for_exit() {  # wait_for_exit STATUS: until the command in the pane has ended with it
  local status=${scratch:-$bench}/exit-status
  wait_for_file "$status"
  [ "$(cat "$status")" = "$1" ] || fail "the program ended with status $(cat "$status"), not $1"
}

wait_for_file() {  # wait_for_file FILE: until it exists and is not empty, at most 10 s
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  fail "$1 never came"
}
