#!/usr/bin/env bash
# The bench folder a user names is never changed. One that others may write
# (1777 like /tmp, 0777, group-writable), named by --bench or by
# VELLMARK_BENCH, is refused by vellmark-cli, vellmark and camsim with exit
# code 1 (vellmark-cli: 9, a bench that cannot be used) and one line, its mode, owner and contents as they were; a bench
# whose parent folder is missing is refused and nothing is made. Run by
# root on a user's bench, camsim and vellmark-cli leave every file and
# folder the user's, and the user's own runs go on as before.
#
#   bench_folder_test.sh BIN_DIR
set -euo pipefail
bin=$1
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
look() { stat -c '%a %u:%g' "$1"; ls -A "$1"; }

# on HOW DIR PROGRAM ARGS...: the program on the bench DIR, named by
# --bench (HOW=option) or by VELLMARK_BENCH (HOW=env).
on() {
  local how=$1 dir=$2 program=$3
  shift 3
  if [ "$how" = env ]; then
    VELLMARK_BENCH=$dir timeout 20 "$bin/$program" "$@"
  elif [ "$program" = camsim ]; then
    timeout 20 "$bin/camsim" --bench "$dir" "$@"
  else
    timeout 20 "$bin/$program" "$@" --bench "$dir"
  fi
}

# refused HOW DIR REASON: each program ends with 1 (vellmark-cli with 9) and the line, the folder unchanged.
refused() {
  local how=$1 dir=$2 reason=$3 before after err status want
  for run in "vellmark-cli status" "vellmark" "camsim list"; do
    set -- $run
    want=1
    [ "$1" != vellmark-cli ] || want=9
    before=$(look "$dir" 2>&1 || true)
    status=0
    err=$(on "$how" "$dir" "$@" 2>&1 </dev/null >/dev/null) || status=$?
    after=$(look "$dir" 2>&1 || true)
    [ "$status" = "$want" ] || fail "$run on $dir ($how): exit $status, not $want ($err)"
    [ "$err" = "$1: cannot use the bench directory $dir: $reason" ] || fail "$run on $dir ($how) said: $err"
    [ "$before" = "$after" ] || fail "$run on $dir ($how) changed it: $before / $after"
  done
}

for mode in 1777 0777 0775 0757; do
  shared=$top/shared-$mode
  mkdir "$shared"
  echo "someone's file" >"$shared/theirs.txt"
  chmod "$mode" "$shared"
  for how in option env; do
    refused "$how" "$shared" "others may write it (mode $mode); name a folder that only its owner may write"
  done
done

# A mistyped bench: its parent missing, nothing made.
for how in option env; do
  refused "$how" "$top/no-such/bench" "the folder it would be made in, $top/no-such, does not exist"
  [ ! -e "$top/no-such" ] || fail "the missing parent was made"
done

# A new bench in a folder that exists: made, no write for others whatever the umask.
(umask 000 && on option "$top/new" camsim list >/dev/null) || fail "camsim could not make a bench in $top"
[ "$(stat -c %a "$top/new")" = 755 ] || fail "a new bench was made with mode $(stat -c %a "$top/new")"

if [ "$(id -u)" != 0 ] || ! command -v setpriv >/dev/null; then
  echo "bench folder: not root, a root run on a user's bench is left to a root run of this test"
  exit 0
fi

# Root on the bench of user 12345: everything stays theirs.
user=12345
bench=$top/users-bench
chmod 755 "$top"
mkdir "$bench"
chown "$user:$user" "$bench"
as_user=(setpriv --reuid=$user --regid=$user --clear-groups)
"${as_user[@]}" "$bin/camsim" --bench "$bench" create alpha --sensor 4 --class 4 >/dev/null
on option "$bench" camsim create beta --sensor 4 --class 4 >/dev/null
on option "$bench" camsim plug beta >/dev/null
out=$(on option "$bench" vellmark-cli status) || fail "root's status ended with $?"
grep -q "product id 1030" <<<"$out" || fail "root's status listed no camera: $out"
[ "$(stat -c '%a %u:%g' "$bench")" = "755 $user:$user" ] || fail "root changed the bench: $(stat -c '%a %u:%g' "$bench")"
[ ! -e "$bench/vellmark.lock" ] && [ ! -e "$bench/logs" ] || fail "root's status, which only reads, made $(ls "$bench")"
# Root's write (of a camera not connected: it ends with 3 after its start).
status=0; on option "$bench" vellmark-cli write enabled --camera 9999 >/dev/null 2>&1 || status=$?
[ "$status" = 3 ] || fail "root's write of no camera ended with $status"
[ -f "$bench/vellmark.lock" ] || fail "no lock file after root's write"
others=$(find "$bench" ! -uid $user -printf '%u:%g %p\n' -o ! -gid $user -printf '%u:%g %p\n')
[ -z "$others" ] || fail "root left files that are not the user's: $others"
# Root's own record, written to its end in the user's folder.
grep -q "^end: the program ended at" "$bench"/logs/run-*.txt || fail "root's run record has no end: $(cat "$bench"/logs/*)"

# The user's own runs, after root's, as before.
status=0
out=$("${as_user[@]}" "$bin/vellmark-cli" status --bench "$bench" 2>&1) || status=$?
[ "$status" = 0 ] || fail "the user's status after root's ended with $status: $out"
"${as_user[@]}" "$bin/camsim" --bench "$bench" unplug beta >/dev/null || fail "the user could not unplug beta"
"${as_user[@]}" "$bin/camsim" --bench "$bench" create gamma --sensor 4 --class 4 >/dev/null ||
  fail "the user could not create a camera after root's runs"
others=$(find "$bench" ! -uid $user -printf '%u:%g %p\n')
[ -z "$others" ] || fail "files not the user's after the user's runs: $others"
echo "bench folder: shared and missing folders refused unchanged, a user's bench left theirs by root"
