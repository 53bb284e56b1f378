#!/usr/bin/env bash
# The examples of the README and docs/, taken from the pages as they are
# written: the table of "A whole job on the bench" in docs/bench.md row by
# row (keys and ./scripts/run in a tmux session, camsim commands as a second
# terminal, each row's texts expected on vellmark's screen or in camsim's
# output), then every other `build/bin/camsim` example of README.md and
# docs/*.md, each of which must succeed, and the lab's script of
# docs/console-program.md. They run in a folder laid out as the source tree
# (scripts/, build/bin/) on the default bench of a fresh XDG_STATE_HOME.
#
#   readme_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
bench_page=$here/docs/bench.md
cli_page=$here/docs/console-program.md
tree=$(mktemp -d)
scratch=$tree
session=vellmark-readme-$$
. "$here/tests/e2e/tmux_session.sh"
trap 'stop_tmux; rm -rf "$tree"' EXIT

mkdir -p "$tree/build" "$tree/state"
ln -s "$here/scripts" "$tree/scripts"
ln -s "$bin" "$tree/build/bin"
cd "$tree"
export XDG_STATE_HOME=$tree/state VELLMARK_BIN=$bin
unset VELLMARK_BENCH
tmux_env="XDG_STATE_HOME=$XDG_STATE_HOME VELLMARK_BIN=$bin VELLMARK_BENCH="

section() {  # the lines of the section of docs/bench.md with this title
  awk -v title="## $1" '$0 == title {inside = 1; next} /^## / {inside = 0} inside' "$bench_page"
}
cell() { awk -F'|' -v n=$(($2 + 1)) '{print $n}' <<<"$1" | sed 's/^ *//; s/ *$//'; }
code() { sed -n 's/^`\([^`]*\)`.*/\1/p' <<<"$1"; }  # the code span a cell starts with
quoted() { grep -o '"[^"]*"' <<<"$1" | sed 's/^"//; s/"$//' || true; }

rows=$(section "A whole job on the bench" | grep -E '^\| [0-9]+ \|' || true)
[ "$(wc -l <<<"$rows")" -ge 10 ] || fail "the walkthrough table of docs/bench.md has fewer than 10 rows"
while IFS= read -r row; do
  number=$(cell "$row" 1)
  first=$(code "$(cell "$row" 2)")
  second=$(code "$(cell "$row" 3)")
  if [ "$first" = ./scripts/run ]; then
    start_in_tmux 100 30 "$first"
  elif [ -n "$first" ]; then
    press "$first"
  fi
  said=
  if [ -n "$second" ]; then
    said=$(eval "$second" 2>&1) || fail "row $number: '$second' failed: $said"
  fi
  while IFS= read -r text; do
    [ -z "$text" ] || wait_for "$text"
  done <<<"$(quoted "$(cell "$row" 4)")"
  while IFS= read -r text; do
    [ -z "$text" ] || grep -qF -- "$text" <<<"$said" || fail "row $number: camsim said '$said', not '$text'"
  done <<<"$(quoted "$(cell "$row" 5)")"
  sleep 0.5  # a person's pace: the program sees the bench change meanwhile
done <<<"$rows"
wait_for_exit 0

examples=$(grep -hE '^    build/bin/camsim ' "$here/README.md" "$here"/docs/*.md | sed 's/^    //')
[ -n "$examples" ] || fail "the README and docs/ have no camsim examples"
while IFS= read -r example; do
  said=$(eval "$example" 2>&1) || fail "'$example' failed: $said"
done <<<"$examples"
# The lab's script, on a bench of its own with three cameras (one Enabled
# already); the hands unplug and plug each camera when the script says so.
awk '/^A lab.s script/ {found = 1; next} found && /^    / {inside = 1} inside && /^[^ ]/ {exit} inside' "$cli_page" |
  sed 's/^    //' >"$tree/lab.sh"
grep -q '^#!/usr/bin/env bash' "$tree/lab.sh" || fail "docs/console-program.md has no lab's script"
lab() { "$bin/camsim" --bench "$tree/lab" "$@" >/dev/null; }
lab create a --sensor 4 --class 4 --id 1001
lab create b --sensor 11 --class 1 --id 1002
lab create c --sensor 4 --class 4 --id 1003 --mode enabled
for name in a b c; do lab plug $name; done
declare -A names=([1001]=a [1002]=b [1003]=c)
VELLMARK_BENCH=$tree/lab bash "$tree/lab.sh" >"$tree/lab.out" 2>&1 &
script=$!
done_lines=0
for _ in $(seq 600); do
  lines=$(wc -l <"$tree/lab.out")
  while [ "$done_lines" -lt "$lines" ]; do
    done_lines=$((done_lines + 1))
    line=$(sed -n "${done_lines}p" "$tree/lab.out")
    id=${line%%:*}
    case $line in
      *": unplug its power now") lab unplug "${names[${id#*-}]}" ;;
      *": plug it in again") lab plug "${names[${id#*-}]}" ;;
    esac
  done
  kill -0 $script 2>/dev/null || break
  sleep 0.1
done
wait $script || fail "the lab's script ended with $?: $(cat "$tree/lab.out")"
report=$(grep -v "its power now\|in again" "$tree/lab.out" | sed 's/^[0-9]*-//' | sort)
[ "$report" = "$(printf '1001: Enabled\n1002: Enabled\n1003: Enabled already')" ] ||
  fail "the lab's script reported '$(cat "$tree/lab.out")'"
[ "$(VELLMARK_BENCH=$tree/lab "$bin/vellmark-cli" status | grep -c ' mode Enabled ')" = 3 ] ||
  fail "the lab's script left $(VELLMARK_BENCH=$tree/lab "$bin/vellmark-cli" status)"

echo "docs: $(wc -l <<<"$rows") rows of the walkthrough, $(wc -l <<<"$examples") camsim examples and the lab's script as written"
