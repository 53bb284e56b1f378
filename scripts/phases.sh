# Phases of ./scripts/test, sourced by it: each phase a command whose output
# goes to build/phases/NAME.log, timed (wall clock, and the CPU time of the
# processes it waited for; a daemon it leaves, such as tmux's server or
# Wine's server, not), run in the foreground or beside others. A failed
# phase shows its log and stops the run; the phases still going are stopped
# with it. At the end a table of every phase's times, and the whole
# machine's busy time (daemons included) beside the run's wall time.
#
#   phase NAME COMMAND...          run it, wait for it
#   phase_start NAME COMMAND...    start it beside what follows
#   phase_wait NAME...             wait for phases started before, each told
#                                  as it ends
#   phase_chain NAME FUNCTION      run FUNCTION beside what follows, its own
#                                  phases one after another (or beside each
#                                  other) inside it; waited for by phase_wait
#   phase_table                    the table (the exit trap prints it too)

phase_dir=build/phases
rm -rf "$phase_dir"
mkdir -p "$phase_dir"
declare -A phase_pids=()
declare -A phase_chains=()
phase_t0=$(date +%s%N)
phase_busy0=$(awk '/^cpu /{ print $2 + $3 + $4 + $7 + $8 }' /proc/stat 2>/dev/null || echo 0)
# Each background phase or chain in a process group of its own, so that a
# failure stops the whole of it, the phases a chain started included.
set -m

phase_start() {  # phase_start NAME COMMAND...
  local name=$1
  shift
  echo "$name" >>"$phase_dir/names"
  echo "== $name: started at $(phase_seconds "$(date +%s%N)")"
  (
    start=$(date +%s%N)
    status=0
    "$@" >"$phase_dir/$name.log" 2>&1 </dev/null || status=$?
    times >"$phase_dir/$name.cpu"
    echo "$start $(date +%s%N) $status" >"$phase_dir/$name.wall"
    exit "$status"
  ) &
  phase_pids[$name]=$!
}

phase_chain() {  # phase_chain NAME FUNCTION: its phases say their own times
  local name=$1
  shift
  ( "$@" ) &
  phase_pids[$name]=$!
  phase_chains[$name]=1
}

phase_wait() {  # phase_wait NAME...: in the order they end, so that a failure stops the run at once
  local name pid status
  local -A waiting=()
  for name in "$@"; do waiting[${phase_pids[$name]}]=$name; done
  while [ ${#waiting[@]} -gt 0 ]; do
    status=0
    wait -n -p pid "${!waiting[@]}" || status=$?
    name=${waiting[$pid]}
    unset "waiting[$pid]" "phase_pids[$name]"
    phase_ended "$name" "$status"
  done
}

phase_ended() {  # phase_ended NAME STATUS
  local name=$1 status=$2
  if [ -n "${phase_chains[$name]:-}" ]; then
    # A chain's failed phase has shown its own log.
    [ "$status" = 0 ] || { echo "== $name: stopped by a failed phase (exit code $status)"; exit 1; }
    return 0
  fi
  if [ "$status" != 0 ]; then
    echo "== $name: FAILED (exit code $status), its output ($phase_dir/$name.log):"
    cat "$phase_dir/$name.log"
    exit 1
  fi
  echo "== $name: passed, $(phase_times "$name")"
}

phase() {  # phase NAME COMMAND...
  phase_start "$@"
  phase_wait "$1"
}

phase_seconds() {  # phase_seconds NANOSECONDS-SINCE-EPOCH: seconds since the run's start
  echo "$((($1 - phase_t0) / 1000000000)) s"
}

phase_times() {  # phase_times NAME: "wall W s, CPU C s, from S s to E s"
  local start end status user system
  read -r start end status <"$phase_dir/$1.wall"
  # The second line of bash's times: the children's user and system time.
  read -r user system < <(tail -n 1 "$phase_dir/$1.cpu" | sed 's/\([0-9]*\)m\([0-9.]*\)s/\1 \2/g' |
    awk '{ print $1 * 60 + $2, $3 * 60 + $4 }')
  awk -v s="$start" -v e="$end" -v t0="$phase_t0" -v u="$user" -v k="$system" 'BEGIN {
    printf "wall %d s, CPU %d s, from %d s to %d s", (e - s) / 1e9, u + k, (s - t0) / 1e9, (e - t0) / 1e9 }'
}

phase_table() {
  local name busy
  echo "== phase times (CPU: the phase's own processes and those it waited for; wall: its start to its end)"
  printf '%-28s %8s %8s %8s %8s\n' phase wall CPU from to
  [ -s "$phase_dir/names" ] || return 0
  while read -r name; do
    [ -s "$phase_dir/$name.wall" ] || { printf '%-28s %8s\n' "$name" "not ended"; continue; }
    phase_times "$name" | awk -v n="$name" '{ printf "%-28s %6d s %6d s %6d s %6d s\n", n, $2, $5, $8, $11 }'
  done <"$phase_dir/names"
  busy=$(awk -v b0="$phase_busy0" '/^cpu /{ printf "%d", ($2 + $3 + $4 + $7 + $8 - b0) / 100 }' /proc/stat 2>/dev/null || echo "?")
  echo "whole run: $(phase_seconds "$(date +%s%N)") wall; the machine's cores busy $busy s in all, daemons included, on $(nproc 2>/dev/null || echo "?") cores"
}

phase_stop_all() {  # for the exit trap: the phases still going stopped, the table shown
  local name
  for name in "${!phase_pids[@]}"; do kill -TERM -- "-${phase_pids[$name]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  phase_table
}
trap phase_stop_all EXIT
