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
  ends_with 2 "$@"
}
failed() {  # failed EXPECTED-TEXT ARGS...: exit 1, one stderr line, no change
  ends_with 1 "$@"
}
ends_with() {
  local code=$1 expected=$2
  shift 2
  local before after err status=0
  before=$(snapshot)
  err=$(camsim "$@" 2>&1 >/dev/null) || status=$?
  after=$(snapshot)
  [ "$status" = "$code" ] || fail "camsim $* exited with $status, not $code"
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

# Faults go into the state file, and camsim says what it armed.
[ "$(camsim fault alpha status 3 0x82)" = "alpha: armed status at transfer 3 (status 0x82); 0 transfers so far" ] ||
  fail "fault does not say what it armed"
[ "$(camsim fault alpha drop-reply 0x10)" = "alpha: armed drop-reply at transfer 16; 0 transfers so far" ] ||
  fail "a hex transfer number"
camsim show alpha | grep -qxF "fault: status at transfer 3 (status 0x82), armed" || fail "show lacks the status fault"
camsim show alpha | grep -qxF "fault: drop-reply at transfer 16, armed" || fail "show lacks the drop-reply fault"
grep -qx "fault drop-reply 16" "$bench/cameras/alpha/state.txt" || fail "drop-reply fault not kept"
[ "$(camsim fault alpha last-byte-flipped 7)" = "alpha: armed last-byte-flipped at transfer 7; 0 transfers so far" ] ||
  fail "a last-byte-flipped fault"
grep -qx "fault last-byte-flipped 7" "$bench/cameras/alpha/state.txt" || fail "last-byte-flipped fault not kept"
grep -qx "fault status 3 0x82" "$bench/cameras/alpha/state.txt" || fail "status fault not kept"
[ "$(camsim fault alpha clear)" = "alpha: faults cleared" ] || fail "fault clear says nothing"
grep -q "^fault" "$bench/cameras/alpha/state.txt" && fail "faults not cleared"
camsim show alpha | grep -qx "faults: none" || fail "show must say there are no faults"

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
# Every number whole, decimal or 0x hex, in range.
refused "a status is one byte, 0..255 or 0x00..0xff, not 'zz'" fault alpha status 5 zz
refused "not '256'" fault alpha status 5 256
refused "not '0x1g'" fault alpha status 5 0x1g
refused "not '5x'" fault alpha stuck-byte 5x
refused "not '0'" fault alpha short-reply 0
refused "not '4294967296'" fault alpha short-reply 4294967296
refused "unknown fault kind 'melt'" fault alpha melt 5
refused "too many arguments" fault alpha stuck-byte 5 6
refused "sensor row must be 1..16, not '4x'" create gamma --sensor 4x --class 4
refused "sensor row must be 1..16, not '0x'" create gamma --sensor 0x --class 4
refused "camera ID must be 0..4294967295, not '4294967296'" create gamma --sensor 4 --class 4 --id 4294967296
refused "product id must be 0..65535, not '-1'" create gamma --sensor 4 --class 4 --product-id -1
# Names: the rule and its limit stated; unique in any letter case.
long_name=$(printf 'n%.0s' $(seq 65))
refused "invalid camera name '$long_name': a name is 1 to 64 letters, digits, '-', '_' or '.', not starting with '.'" \
  create "$long_name" --sensor 4 --class 4
refused "a camera named 'alpha' exists already" create ALPHA --sensor 4 --class 4
status=0
err=$("$bin/camsim" --bench '' list 2>&1) || status=$?
[ "$status" = 2 ] && [ "$err" = "camsim: --bench needs a directory" ] || fail "an empty --bench: $status, $err"
camsim create gamma --sensor 0x4 --class 0x4 --id 0x10 >/dev/null
camsim show gamma | grep -qx "camera id: 16" || fail "a hex camera ID"
help=$("$bin/camsim" --help) || fail "camsim --help must exit 0"
grep -q "^usage: camsim" <<<"$help" || fail "camsim --help prints no usage"

# Registry: types as written; a line that is not a value is kept and shown.
key='HKLM\SOFTWARE\Types'
mkdir -p "$bench/registry/HKLM/SOFTWARE/Types"
printf '"Path"=hex(2):25,41,25,00\n"List"=hex(7):61,00,62,00,00\n"AllowEEPROMWrite"=dword:zzzz\n' \
  >"$bench/registry/HKLM/SOFTWARE/Types/values.reg"
query=$(camsim reg query "$key")
grep -qxF "    Path    REG_EXPAND_SZ    %A%" <<<"$query" || fail "hex(2) is not shown as REG_EXPAND_SZ: $query"
grep -qxF '    List    REG_MULTI_SZ    a\0b' <<<"$query" || fail "hex(7) is not shown as REG_MULTI_SZ: $query"
grep -qxF '    not a value, kept as it stands: "AllowEEPROMWrite"=dword:zzzz' <<<"$query" ||
  fail "the unreadable line is not reported: $query"
grep -q "AllowEEPROMWrite    REG" <<<"$query" && fail "an unreadable value is shown as a value"

# A link planted at a temporary name is never followed.
outside=$(mktemp -d)
ln -s "$outside/victim" "$bench/cameras/gamma/state.txt.new"
camsim plug gamma >/dev/null
[ -z "$(ls -A "$outside")" ] || fail "camsim plug wrote through a link"
[ -L "$bench/cameras/gamma/state.txt.new" ] || fail "the link was replaced"
rm -rf "$outside" "$bench/cameras/gamma/state.txt.new"

# Damaged cameras: listed and shown with the reason, left alone, their names taken.
camsim create delta --sensor 4 --class 4 >/dev/null
camsim create omega --sensor 4 --class 4 >/dev/null
head -c 100 /dev/zero >"$bench/cameras/delta/eeprom.bin"
echo "nonsense" >"$bench/cameras/omega/state.txt"
camsim list | grep -qxF "delta            damaged: eeprom.bin holds 100 bytes, not 256" || fail "list lacks damaged delta"
camsim list | grep -qxF "omega            damaged: state.txt line 1 is not understood: nonsense" ||
  fail "list lacks damaged omega"
camsim show omega | grep -qxF "state: damaged: state.txt line 1 is not understood: nonsense" || fail "show of omega"
failed "camera 'delta' is damaged: eeprom.bin holds 100 bytes, not 256" plug delta
failed "camera 'omega' is damaged" fault omega status 1 0x82
refused "a camera named 'delta' exists already" create delta --sensor 4 --class 4
refused "a camera named 'omega' exists already" create Omega --sensor 4 --class 4
rm "$bench/cameras/omega/state.txt"
camsim list | grep -qxF "omega            damaged: state.txt cannot be read: No such file or directory" ||
  fail "list lacks omega without its state"

# Saves that fail, as a user who may not write the bench: exit 1, one line
# naming the file and the reason, nothing changed.
if [ "$(id -u)" = 0 ] && command -v setpriv >/dev/null; then
  chown -R nobody "$bench"
  chmod a+rx "$bench" "$(dirname "$bench")" 2>/dev/null || true
  chmod a-w "$bench/cameras/alpha"
  as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  camsim() { "${as_nobody[@]}" "$bin/camsim" --bench "$bench" "$@"; }
  failed "cannot save $bench/cameras/alpha/state.txt: Permission denied" unplug alpha
  failed "cannot save $bench/cameras/alpha/state.txt: Permission denied" fault alpha status 9 0x82
  chmod a-w "$bench/cameras"
  failed "cannot make $bench/cameras/epsilon: Permission denied" create epsilon --sensor 4 --class 4
  chmod a-w "$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services"
  failed "cannot create the key HKLM\SYSTEM\CurrentControlSet\Services\brennccdB\Parameters: cannot make" \
    create epsilon --sensor 4 --class 5
  chmod -R u+w "$bench"
else
  echo "camsim: not root, the save failures as another user are left to the unit tests"
fi
echo "camsim: commands, bench files and bad input as expected"
