#!/usr/bin/env bash
# Two programs running the wizard (writing opposite modes) and a camsim
# loop of plugs, unplugs and faults, all on one bench for a while. Then:
# every write a program reported done was on disk when reported; eeprom.bin
# was always 256 bytes with each block wholly one version; the plugged
# state is that of the last camsim command; no armed fault vanished, and
# each fired when its transfer came; the transfer count is the sum of the
# transfers the programs made.
#
#   bench_stress_test.sh BIN_DIR SECONDS
set -euo pipefail
bin=$1
seconds=${2:-20}
bench=$(mktemp -d)
work=$(mktemp -d)
cleanup() {
  for pid in ${drivers:-}; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$bench" "$work"
}
trap cleanup EXIT
camsim() { "$bin/camsim" --bench "$bench" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }

# The two versions of the descriptor block (10..70) and the geometry block
# (71..82) of a class 4, sensor row 4 camera with ID 777 and type STRESS.
desc_enabled=09030000aeafb0b1730d0d0ab6b7b8b9535452455353000000000000000088898a8b8c8d8e8f909192939495969798999a9b9c9d9e9fe0e1e2e3e4e5e6
desc_disabled=09030000aeafb0b11e0de809b6b7b8b9535452455353000000000000000088898a8b8c8d8e8f909192939495969798999a9b9c9d9e9fe0e1e2e3e4e5e6
geom_enabled=780d0e0a0401740deff0f1f2
geom_disabled=780d0e0a1b1e5d0deff0f1f2
hex() { od -An -tx1 -v -j"$2" -N"$3" "$1" | tr -d ' \n'; }

camsim create cam1 --sensor 4 --class 4 --mode disabled --id 777 --type STRESS >/dev/null
camsim plug cam1 >/dev/null
last=plug

"$bin/wizard_driver" "$bench" enabled "$seconds" "$work/enabled.report" &
drivers=$!
"$bin/wizard_driver" "$bench" disabled "$seconds" "$work/disabled.report" &
drivers="$drivers $!"

kinds=(drop-request drop-reply status short-reply last-byte-flipped)
samples=0
: >"$work/faults"
running() { for pid in $drivers; do kill -0 "$pid" 2>/dev/null && return 0; done; return 1; }
while running; do
  cp "$bench/cameras/cam1/eeprom.bin" "$work/sample"
  samples=$((samples + 1))
  [ "$(stat -c %s "$work/sample")" = 256 ] || fail "eeprom.bin was $(stat -c %s "$work/sample") bytes"
  desc=$(hex "$work/sample" 10 61)
  geom=$(hex "$work/sample" 71 12)
  [ "$desc" = "$desc_enabled" ] || [ "$desc" = "$desc_disabled" ] || fail "a descriptor block of neither version: $desc"
  [ "$geom" = "$geom_enabled" ] || [ "$geom" = "$geom_disabled" ] || fail "a geometry block of neither version: $geom"
  if [ $((RANDOM % 5)) = 0 ]; then
    kind=${kinds[$((RANDOM % 5))]}
    at=$(($(cat "$bench/cameras/cam1/transfers.txt") + 3 + RANDOM % 12))
    args=("$kind" "$at")
    [ "$kind" = status ] && args+=(0x82)
    said=$(camsim fault cam1 "${args[@]}") || fail "camsim fault failed"
    so_far=$(sed -n 's/.*; \([0-9]*\) transfers so far$/\1/p' <<<"$said")
    [ -n "$so_far" ] || fail "camsim fault said: $said"
    echo "$kind $at $so_far" >>"$work/faults"
  elif [ "$last" = plug ]; then
    camsim unplug cam1 >/dev/null || fail "camsim unplug failed"
    last=unplug
  else
    camsim plug cam1 >/dev/null || fail "camsim plug failed"
    last=plug
  fi
  sleep "0.$((5 + RANDOM % 20))"
done
for pid in $drivers; do wait "$pid" || fail "a wizard driver failed"; done
drivers=

state=$bench/cameras/cam1/state.txt
want=$([ "$last" = plug ] && echo yes || echo no)
grep -qx "plugged $want" "$state" || fail "the last camsim command was $last, the state says $(grep plugged "$state")"

final=$(cat "$bench/cameras/cam1/transfers.txt")
armed=0
fired=0
while read -r kind at so_far; do
  armed=$((armed + 1))
  pattern="^fault $kind $at( 0x82)?( fired)?$"
  lines=$(grep -cE "$pattern" "$state" || true)
  [ "$lines" -ge 1 ] || fail "the fault $kind at $at vanished"
  if [ "$at" -gt "$so_far" ] && [ "$at" -le "$final" ]; then
    grep -E "$pattern" "$state" | grep -q " fired$" || fail "the fault $kind at $at did not fire (count $final)"
    fired=$((fired + 1))
  elif [ "$at" -gt "$final" ]; then
    grep -E "$pattern" "$state" | grep -q " fired$" && fail "the fault $kind at $at fired before its transfer"
  fi
done <"$work/faults"

value() { sed -n "s/^$2 //p" "$work/$1.report"; }
made=$(($(value enabled transfers) + $(value disabled transfers)))
[ "$made" = "$final" ] || fail "the programs made $made transfers, transfers.txt says $final"
written=$(($(value enabled written) + $(value disabled written)))
checked=$(($(value enabled checked) + $(value disabled checked)))
[ "$(value enabled wrong)" = 0 ] && [ "$(value disabled wrong)" = 0 ] ||
  fail "a write reported done was not on disk: $(cat "$work"/*.report)"
[ "$written" -gt 0 ] || fail "no write was reported done: the run tests too little"
[ -z "$(find "$bench" -name '*.new.*')" ] || fail "temporary files were left: $(find "$bench" -name '*.new.*')"
runs=$(($(value enabled runs) + $(value disabled runs)))
echo "bench stress: $runs wizard runs, $written writes reported ($checked checked on disk), $final transfers," \
  "$armed faults armed ($fired fired), $samples samples of eeprom.bin"
