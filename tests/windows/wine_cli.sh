# The shipping vellmark-cli.exe through the rig, sourced by wine_e2e.sh once
# the rig's camera serves its bench: status --json of the rig's camera read
# by a JSON parser, one write with the rig's unplug and plug, the EEPROM and
# the registry afterwards, a write killed while it waits and the permission
# it left removed by revoke, and the exit codes of a timeout and of no camera.
#
#   cli_rig_run RIG-BENCH     (uses $wine, $bin, $out, windows_path and rig_said)
cli_rig_run() {
  local rig=$1 failed=0 code
  local bench_path
  bench_path=$(windows_path "$rig")
  cli_fail() { echo "FAIL: $*"; failed=1; }
  cli_pass() { echo "PASS: $*"; }
  rig_camsim() { VELLMARK_BENCH=$bench_path "$wine" "$bin/camsim.exe" "$@" >>"$out/cli-camsim.log" 2>&1; }
  cli() {  # cli NAME ARGS...: output in $out/NAME.log, the exit code in $code
    local name=$1
    shift
    code=0
    "$wine" "$bin/vellmark-cli.exe" "$@" >"$out/$name.raw" 2>"$out/$name-stderr.raw" || code=$?
    tr -d '\r' <"$out/$name.raw" >"$out/$name.log"
  }
  wait_line() {  # wait_line FILE TEXT
    for _ in $(seq 300); do tr -d '\r' <"$1" 2>/dev/null | grep -qF -- "$2" && return 0; sleep 0.1; done
    return 1
  }
  permission() { "$wine" reg query 'HKLM\SYSTEM\CurrentControlSet\Services\brennccdF\Parameters' /v AllowEEPROMWrite \
    >/dev/null 2>&1; }

  # rig_camsim_seen plug|unplug: the camera plugged or unplugged, and then
  # waited for until the rig's camera has shown or taken away its interface.
  rig_camsim_seen() {
    local line="rig_camera: class 4 $([ "$1" = plug ] && echo present || echo absent)" count
    count=$(tr -d '\r' <"$out/rig-camera.log" | grep -cxF -- "$line" || true)
    rig_camsim "$1" rigcli && rig_said $((count + 1)) "$line" || cli_fail "the rig's camera never said: $line"
  }
  rig_camsim create rigcli --sensor 4 --class 4 --mode disabled --id 6160 ||
    { cli_fail "camsim.exe could not make the console program's camera"; return 1; }
  rig_camsim_seen plug
  cli cli-status status --json
  if [ "$code" = 0 ] && python3 -c '
import json, sys
lines = open(sys.argv[1]).read().splitlines()
assert len(lines) == 1, lines
got = json.loads(lines[0])
assert got.pop("path").startswith("\\\\"), lines[0]
assert got == {"class": 4, "product_id": 1030, "type": "SIM-4", "camera_id": 6160, "sensor": 4,
               "mode": "Disabled", "backup": None, "original": False, "unfinished": None,
               "visible_width": 3358, "visible_height": 2536, "total_width": 3448, "total_height": 2574,
               "x_offset": 27, "y_offset": 30}, lines[0]
' "$out/cli-status.log"; then
    cli_pass "vellmark-cli.exe status --json reads the rig's camera through SetupAPI"
  else
    cli_fail "vellmark-cli.exe status --json: exit $code, $(cat "$out/cli-status.log" "$out/cli-status-stderr.raw")"
  fi

  # The write: the rig's unplug and plug by camsim.exe when the program asks.
  rm -f "$out/cli-write.raw"
  ( code=0; "$wine" "$bin/vellmark-cli.exe" write enabled --wait 60 >"$out/cli-write.raw" \
      2>"$out/cli-write-stderr.raw" || code=$?; echo "$code" >"$out/cli-write.code" ) &
  local writer=$!
  if wait_line "$out/cli-write.raw" "Unplug the power of camera 6160 now."; then
    rig_camsim unplug rigcli
    wait_line "$out/cli-write.raw" "Plug camera 6160 in again." || cli_fail "vellmark-cli.exe did not see the unplug"
    permission || cli_fail "no AllowEEPROMWrite while vellmark-cli.exe waits for the plug"
    rig_camsim plug rigcli
  else
    cli_fail "vellmark-cli.exe write did not ask for the unplug"
  fi
  wait "$writer" || true
  tr -d '\r' <"$out/cli-write.raw" >"$out/cli-write.log"
  local written
  written=$(od -An -tx1 -j18 -N4 "$rig/cameras/rigcli/eeprom.bin" | tr -d ' \n')
  if [ "$(cat "$out/cli-write.code")" = 0 ] && [ "$(cat "$out/cli-write.log")" = "Unplug the power of camera 6160 now.
Plug camera 6160 in again.
Camera update successful.
Changes will take effect after camera is unplugged from power and plugged again." ] && [ "$written" = 730d0d0a ]; then
    cli_pass "vellmark-cli.exe write enabled through the rig: exit 0, the EEPROM holds 3443 x 2573"
  else
    cli_fail "vellmark-cli.exe write: exit $(cat "$out/cli-write.code"), visible $written, $(cat "$out/cli-write.log" \
      "$out/cli-write-stderr.raw")"
  fi
  permission && cli_fail "AllowEEPROMWrite stayed after vellmark-cli.exe write"

  # A write killed while it waits for the plug leaves its permission in the
  # registry; revoke removes it as a run that has ended left it.
  rm -f "$out/cli-killed.raw"
  ( "$wine" "$bin/vellmark-cli.exe" write disabled --wait 60 >"$out/cli-killed.raw" 2>&1 ) &
  local killed=$!
  if wait_line "$out/cli-killed.raw" "Unplug the power of camera 6160 now."; then
    rig_camsim unplug rigcli
    wait_line "$out/cli-killed.raw" "Plug camera 6160 in again." || cli_fail "the write to be killed did not see the unplug"
  fi
  "$wine" taskkill /F /IM vellmark-cli.exe >>"$out/cli-camsim.log" 2>&1
  wait "$killed" || true
  permission || cli_fail "no AllowEEPROMWrite left by the killed vellmark-cli.exe write"
  cli cli-revoke revoke
  if [ "$code" = 0 ] && ! permission && grep -qxE 'removed AllowEEPROMWrite under HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters: run [0-9]+ has ended' \
      "$out/cli-revoke.log" && [ "$(wc -l <"$out/cli-revoke.log")" = 1 ]; then
    cli_pass "vellmark-cli.exe revoke removes the permission a killed write left"
  else
    cli_fail "vellmark-cli.exe revoke: exit $code, $(cat "$out/cli-revoke.log" "$out/cli-revoke-stderr.raw")"
  fi
  rig_camsim_seen plug

  cli cli-timeout write disabled --wait 2
  [ "$code" = 5 ] && ! permission && cli_pass "vellmark-cli.exe: a timeout at the unplug ends with code 5, no permission" ||
    cli_fail "vellmark-cli.exe timeout: exit $code"
  rig_camsim_seen unplug
  cli cli-none status --json
  [ "$code" = 3 ] && [ ! -s "$out/cli-none.log" ] && cli_pass "vellmark-cli.exe status without a camera: code 3, no line" ||
    cli_fail "vellmark-cli.exe status without a camera: exit $code, $(cat "$out/cli-none.log")"
  return "$failed"
}
