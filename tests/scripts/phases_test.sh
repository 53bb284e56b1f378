#!/usr/bin/env bash
# The suite's phases (scripts/phases.sh) as ./scripts/test uses them: two
# chains side by side; a phase that fails in one shows its output and stops
# the run at once with exit code 1, the other chain's phases killed; the
# table at the end lists every phase, the one still going as not ended; a
# passing run tells each phase as it ends and the machine's busy time.
#
#   phases_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

run() {  # run <<BODY: sourced phases.sh, then the body, in a folder of its own; sets dir, out and status
  dir=$(mktemp -d -p "$work")
  { echo "set -euo pipefail"; echo ". '$source_dir/scripts/phases.sh'"; cat; } >"$dir/run.sh"
  status=0
  (cd "$dir" && bash run.sh >out 2>&1) || status=$?
  out=$(cat "$dir/out")
}

# A failure on one side while the other side sleeps for a minute.
run <<'BODY'
left() { phase first true; phase broken bash -c 'echo the broken output; exit 3'; phase after true; }
right() { phase long bash -c 'echo $$ >long.pid; exec sleep 60'; }
phase_chain left left
phase_chain right right
phase_wait right left
BODY
[ "$status" = 1 ] || fail "a failed phase: exit $status, not 1: $out"
grep -qx "== broken: FAILED (exit code 3), its output (build/phases/broken.log):" <<<"$out" || fail "no failure line: $out"
grep -qx "the broken output" <<<"$out" || fail "the failed phase's output not shown: $out"
! grep -q "== after: started" <<<"$out" || fail "a phase after the failed one started: $out"
grep -qE "^long +not ended$" <<<"$out" || fail "the phase still going not in the table as not ended: $out"
grep -qE "^first +[0-9]+ s +[0-9]+ s +[0-9]+ s +[0-9]+ s$" <<<"$out" || fail "the passed phase not in the table: $out"
pid=$(cat "$dir/long.pid")
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
! kill -0 "$pid" 2>/dev/null || fail "the other side's phase (pid $pid) was left running"
grep -qE "^whole run: [0-9] s wall" <<<"$out" || fail "the run did not stop at once: $out"

# A passing run: each phase told as it ends, in that order, and the summary.
run <<'BODY'
phase_start slow sleep 1
phase_start quick true
phase_wait slow quick
phase last true
BODY
[ "$status" = 0 ] || fail "a passing run: exit $status: $out"
[ "$(grep -oE '^== [a-z]+: passed' <<<"$out" | tr '\n' ' ')" = "== quick: passed == slow: passed == last: passed " ] ||
  fail "the phases not told in the order they ended: $out"
grep -qE "^whole run: [0-9]+ s wall; the machine's cores busy [0-9]+ s in all, daemons included, on [0-9]+ cores$" <<<"$out" ||
  fail "no summary line: $out"
echo "phases: all cases passed"
