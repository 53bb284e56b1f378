#!/usr/bin/env bash
# camsim's output against a hostile bench: text from the bench printed
# with every character outside printable ASCII as '?', special files and
# links reported as damage within a time limit, every value of a key
# listed whatever its size, and a failed write of the output exit code 1.
#
#   camsim_output_test.sh BIN_DIR
set -euo pipefail
bin=$1
bench=$(mktemp -d)
trap 'rm -rf "$bench"' EXIT
camsim() { timeout 10 "$bin/camsim" --bench "$bench" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
esc=$(printf '\033')
raw() { grep -c "[$esc$(printf '\a')]" <<<"$1" || true; }

# Text from the bench: a type, a damaged state line, a string value.
camsim create evil --sensor 4 --class 4 --type "$(printf '\033]0;PWN\a\033[2J')" >/dev/null
shown=$(camsim show evil)
grep -qxF 'type: ?]0;PWN??[2J' <<<"$shown" || fail "the type is not shown sanitised: $shown"
[ "$(raw "$shown")" = 0 ] || fail "show wrote control characters"
camsim create bad --sensor 4 --class 4 >/dev/null
printf 'class 4\n\033[2Jplugged no\n' >"$bench/cameras/bad/state.txt"
listed=$(camsim list)
grep -qxF 'bad              damaged: state.txt line 2 is not understood: ?[2Jplugged no' <<<"$listed" ||
  fail "the damaged line is not shown sanitised: $listed"
[ "$(raw "$listed")" = 0 ] || fail "list wrote control characters"
key=$bench/registry/HKLM/SOFTWARE/Odd
mkdir -p "$key"
long=$(seq 1 1500 | awk '{ printf "%02x,", $1 % 256 }' | sed 's/,$//')
{
  printf '"Title"="\033]0;PWN\a"\n'
  printf '"Blob"=hex:%s\n' "$long"
  printf '"AllowEEPROMWrite"=dword:00000001\n'
} >"$key/values.reg"
query=$(camsim reg query 'HKLM\SOFTWARE\Odd')
grep -qxF '    Title    REG_SZ    ?]0;PWN?' <<<"$query" || fail "the string value is not shown sanitised: $query"
grep -qF '    Blob    REG_BINARY    0102030405' <<<"$query" || fail "the long value is not listed"
[ "$(grep -F Blob <<<"$query" | wc -c)" -gt 3000 ] || fail "the long value is cut"
grep -qxF '    AllowEEPROMWrite    REG_DWORD    0x1' <<<"$query" || fail "the value after a long one is missing: $query"
[ "$(raw "$query")" = 0 ] || fail "reg query wrote control characters"

# Output that cannot be written.
status=0
err=$(camsim list 2>&1 >/dev/full) || status=$?
[ "$status" = 1 ] || fail "camsim list >/dev/full exited with $status"
[ "$err" = "camsim: cannot write the output: No space left on device" ] || fail "camsim list >/dev/full said: $err"

# Special files and links: damage with the reason, within the time limit.
camsim create cam2 --sensor 4 --class 4 >/dev/null
camsim create cam3 --sensor 4 --class 4 >/dev/null
rm "$bench/cameras/cam2/eeprom.bin"
mkfifo "$bench/cameras/cam2/eeprom.bin"
ln -sf /dev/zero "$bench/cameras/cam3/transfers.txt"
ln -s .. "$bench/cameras/loop"
listed=$(camsim list) || fail "camsim list with special files failed"
grep -qxF 'cam2             damaged: eeprom.bin cannot be read: it is a FIFO, not a regular file' <<<"$listed" ||
  fail "the FIFO is not damage: $listed"
grep -qxF 'cam3             damaged: transfers.txt cannot be read: it is a link, not a regular file' <<<"$listed" ||
  fail "the link to /dev/zero is not damage: $listed"
grep -qxF 'loop             damaged: its folder cannot be read: cameras/loop is a link, not a folder' <<<"$listed" ||
  fail "the link in the cameras folder is not damage: $listed"
status=0
err=$(camsim unplug cam2 2>&1) || status=$?
[ "$status" = 1 ] && [ "$err" = "camsim: camera 'cam2' is damaged: eeprom.bin cannot be read: it is a FIFO, not a regular file" ] ||
  fail "unplug of the FIFO camera: $status, $err"

# Keys of two letter cases, and links among keys.
services=$bench/registry/HKLM/SYSTEM/CurrentControlSet/Services
mkdir -p "$services/brennccdF/Parameters" "$services/brennccdF/parameters"
ln -s . "$services/brennccdF/a"
ln -s . "$services/brennccdF/b"
status=0
err=$(camsim reg query 'HKLM\SYSTEM\CurrentControlSet\Services\brennccdF\PARAMETERS' 2>&1) || status=$?
[ "$status" = 1 ] && [ "$err" = "camsim: the key HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\PARAMETERS is damaged: two folders differ only in letter case: Parameters, parameters" ] ||
  fail "the key of two cases: $status, $err"
status=0
err=$(camsim reg query 'HKLM\SYSTEM\CurrentControlSet\Services\brennccdF\a' 2>&1) || status=$?
[ "$status" = 1 ] && grep -qF "is damaged: its folder is a link" <<<"$err" || fail "the linked key: $status, $err"
echo "camsim output: sanitised, complete, damage reported, failed writes exit 1"
