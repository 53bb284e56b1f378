#!/usr/bin/env bash
# camsim's commands, its refusals of bad input, and the bench files they
# leave.
#
#   camsim_test.sh BIN_DIR
set -euo pipefail
bin=$1
bench=$(mktemp -d)
trap 'rm -rf "$bench"' EXIT
camsim() { "$bin/camsim" --bench "$bench" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
snapshot() { (cd "$bench" && find . -type f | sort | xargs md5sum) 2>/dev/null; }

refused() {  # refused EXPECTED-TEXT ARGS...: exit 2, one stderr line, no change
  local expected=$1
  shift
  local before after err status=0
  before=$(snapshot)
  err=$(camsim "$@" 2>&1 >/dev/null) || status=$?
  after=$(snapshot)
  [ "$status" = 2 ] || fail "camsim $* exited with $status, not 2"
  [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "camsim $* gave more than one line: $err"
  grep -qF -- "$expected" <<<"$err" || fail "camsim $* said '$err', not '$expected'"
  [ "$before" = "$after" ] || fail "camsim $* changed the bench"
}

# Creating: the EEPROM, the state, the driver's key.
camsim create alpha --sensor 11 --class 1 --mode enabled --id 4242 --type KX-11 >/dev/null
[ "$(stat -c %s "$bench/cameras/alpha/eeprom.bin")" = 256 ] || fail "eeprom.bin is not 256 bytes"
grep -qx "class 1" "$bench/cameras/alpha/state.txt" || fail "state lacks the class"
grep -qx "plugged no" "$bench/cameras/alpha/state.txt" || fail "a new camera must start unplugged"
[ -d "$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/orvelccdI/Parameters" ] ||
  fail "the driver's Parameters key was not created for product id 1027"
# Family A: product id at 3, camera ID at 10, visible size at 16 and 18, geometry at 69.
[ "$(od -An -tx1 -j3 -N2 "$bench/cameras/alpha/eeprom.bin" | tr -d ' ')" = 0304 ] || fail "product id bytes"
[ "$(od -An -tx1 -j10 -N4 "$bench/cameras/alpha/eeprom.bin" | tr -d ' ')" = 92100000 ] || fail "camera ID bytes"
[ "$(od -An -tx1 -j16 -N4 "$bench/cameras/alpha/eeprom.bin" | tr -d ' ')" = 6706bd04 ] || fail "visible size bytes"
[ "$(od -An -tx1 -j69 -N8 "$bench/cameras/alpha/eeprom.bin" | tr -d ' ')" = 6c06be0404016806 ] || fail "geometry bytes"

shown=$(camsim show alpha)
for line in "state: unplugged" "class: 1 (family A)" "product id: 1027" "camera id: 4242" "type: KX-11" \
  "visible: 1639 x 1213" "geometry: total 1644 x 1214, offset 4,1, width after offset 1640" "sensor row: 11" \
  "mode: enabled" "writes permitted: no" "transfers: 0"; do
  grep -qxF "$line" <<<"$shown" || fail "show lacks '$line'"
done

camsim create beta --sensor 16 --class 6 >/dev/null
camsim show beta | grep -qx "product id: 1201" || fail "class row 6 must default to product id 1201"
camsim show beta | grep -qx "mode: disabled" || fail "the default mode is disabled"
# The default camera ID comes from the name: the same on another bench.
other=$(mktemp -d)
"$bin/camsim" --bench "$other" create beta --sensor 1 --class 2 >/dev/null
id_here=$(camsim show beta | sed -n 's/^camera id: //p')
id_there=$("$bin/camsim" --bench "$other" show beta | sed -n 's/^camera id: //p')
rm -rf "$other"
[ -n "$id_here" ] && [ "$id_here" = "$id_there" ] || fail "the camera ID derived from the name differs: $id_here, $id_there"
[ "$id_here" != "$(camsim show alpha | sed -n 's/^camera id: //p')" ] || fail "two names gave one ID"

# Plugging takes the permission present at that moment, and keeps it.
camsim plug alpha | grep -q "writes refused" || fail "alpha must be refused writes"
grep -qx "plugged yes" "$bench/cameras/alpha/state.txt" || fail "plug not in the state file"
grep -qx "permitted no" "$bench/cameras/alpha/state.txt" || fail "permission wrongly taken"
printf '"AllowEEPROMWrite"=dword:00000001\n' \
  >"$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services/orvelccdI/Parameters/values.reg"
camsim reg query 'HKLM\SYSTEM\CurrentControlSet\Services\orvelccdI\Parameters' |
  grep -q "AllowEEPROMWrite    REG_DWORD    0x1" || fail "reg query does not show the value"
camsim show alpha | grep -qx "writes permitted: no" || fail "the permission must be the one taken at plug-in"
camsim unplug alpha >/dev/null
grep -qx "plugged no" "$bench/cameras/alpha/state.txt" || fail "unplug not in the state file"
camsim plug alpha | grep -q "writes permitted" || fail "alpha plugged with the value present must accept writes"
camsim list | grep -q "^alpha  *plugged  *class 1  *row 11  *enabled  *writes yes" || fail "list line for alpha"
camsim list | grep -q "^beta  *unplugged  *class 6  *row 16  *disabled" || fail "list line for beta"

# Faults go into the state file.
camsim fault alpha status 3 0x82
grep -qx "fault status 3 0x82" "$bench/cameras/alpha/state.txt" || fail "status fault not kept"
camsim fault alpha clear
grep -q "^fault" "$bench/cameras/alpha/state.txt" && fail "faults not cleared"

# Bad input: one line, exit 2, nothing changed.
refused "unknown command" frobnicate
refused "exists already" create alpha --sensor 4 --class 4
refused "sensor row must be 1..16" create gamma --sensor 17 --class 4
refused "sensor row must be 1..16" create gamma --sensor 0 --class 4
refused "class row must be 1..6" create gamma --sensor 4 --class 7
refused "class row must be 1..6" create gamma --sensor 4 --class x
refused "needs --sensor" create gamma --class 4
refused "mode must be" create gamma --sensor 4 --class 4 --mode half
refused "at most 14" create gamma --sensor 4 --class 4 --type ABCDEFGHIJKLMNO
refused "invalid camera name" create ../evil --sensor 4 --class 4
refused "no camera named" plug nobody
refused "no camera named" unplug nobody
refused "no camera named" show nobody
refused "no such key" reg query 'HKLM\SOFTWARE\Nothing'
refused "HKLM" reg query 'SOFTWARE\Nothing'
echo "camsim: commands, bench files and bad input as expected"
