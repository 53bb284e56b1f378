#!/usr/bin/env bash
# The README's examples, taken from README.md as they are written: the table
# of "A whole job on the bench" row by row (keys and ./scripts/run in a tmux
# session, camsim commands as a second terminal, each row's texts expected on
# vellmark's screen or in camsim's output), then every other `build/bin/camsim`
# example, each of which must succeed. They run in a folder laid out as the
# source tree (scripts/, build/bin/) on the default bench of a fresh
# XDG_STATE_HOME.
#
#   readme_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
readme=$here/README.md
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

section() {  # the lines of the README section with this title
  awk -v title="## $1" '$0 == title {inside = 1; next} /^## / {inside = 0} inside' "$readme"
}
cell() { awk -F'|' -v n=$(($2 + 1)) '{print $n}' <<<"$1" | sed 's/^ *//; s/ *$//'; }
code() { sed -n 's/^`\([^`]*\)`.*/\1/p' <<<"$1"; }  # the code span a cell starts with
quoted() { grep -o '"[^"]*"' <<<"$1" | sed 's/^"//; s/"$//' || true; }

rows=$(section "A whole job on the bench" | grep -E '^\| [0-9]+ \|' || true)
[ "$(wc -l <<<"$rows")" -ge 10 ] || fail "the README's walkthrough table has fewer than 10 rows"
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

examples=$(grep -E '^    build/bin/camsim ' "$readme" | sed 's/^    //')
[ -n "$examples" ] || fail "the README has no camsim examples"
while IFS= read -r example; do
  said=$(eval "$example" 2>&1) || fail "'$example' failed: $said"
done <<<"$examples"
echo "README: $(wc -l <<<"$rows") rows of the walkthrough and $(wc -l <<<"$examples") camsim examples as written"
