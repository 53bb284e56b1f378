#!/usr/bin/env bash
# Runs the Windows end-to-end driver under Wine on a virtual display: a
# fresh Wine prefix and bench inside the output folder, Xvfb of our own,
# and only our own Wine and Xvfb stopped afterwards.
#
#   wine_e2e.sh WINDOWS_BIN_DIR OUTPUT_DIR
set -euo pipefail
bin=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -rf "$out/prefix" "$out/bench" "$out/screenshots"
mkdir -p "$out/bench" "$out/screenshots"

export WINEPREFIX=$out/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$out/display")

wineboot -i >"$out/wineboot.log" 2>&1
wineserver -w
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

windows_path() { echo "Z:${1//\//\\}"; }
status=0
wine "$bin/e2e_driver.exe" "$(windows_path "$bin")" "$(windows_path "$out/bench")" \
  "$(windows_path "$out/screenshots")" 2>"$out/wine-stderr.log" | tr -d '\r' | tee "$out/driver.log" || status=$?
[ "${PIPESTATUS[0]:-$status}" = 0 ] || status=1
grep -q ", 0 failed$" "$out/driver.log" || status=1
echo "screenshots: $out/screenshots"
exit "$status"
