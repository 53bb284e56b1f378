#!/usr/bin/env bash
# Runs the Windows end-to-end driver under Wine on a virtual display: a
# fresh Wine prefix and bench inside the output folder, Xvfb of our own,
# and only our own Wine and Xvfb stopped afterwards.
#
#   wine_e2e.sh WINDOWS_BIN_DIR OUTPUT_DIR [WINDOWS_X86_BIN_DIR [SIGNED_DIR]]
#
# With the third folder its 32-bit vellmark.exe also runs, through the
# same rig (whose driver stays 64-bit) in the same prefix; with the fourth,
# the signed package's programs start too.
set -euo pipefail
bin=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -rf "$out/prefix" "$out/bench" "$out/rig-bench" "$out/screenshots" "$out/wineboot.log" "$out/setup.log"
mkdir -p "$out/bench" "$out/screenshots"

export WINEPREFIX=$out/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's 64-bit loader runs every 64-bit program itself. Debian's wine
# command starts the 32-bit loader first whenever 32-bit Wine is installed,
# which then hands over, so the 64-bit checks would need a machine that
# runs 32-bit code; only the 32-bit program needs that here.
export WINELOADER=/usr/lib/wine/wine64
wine=$WINELOADER
# A step that stops the run says so, with the log it wrote: the set-up
# below sends its output to files, and a silent failure tells nothing.
trap 'echo "FAIL: the set-up stopped at line $LINENO: $BASH_COMMAND"' ERR
show_log() { [ -f "$1" ] && { echo "--- $1"; tr -d '\r' <"$1" | tail -n 40; }; return 0; }
exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  [ -z "${spare_prefix:-}" ] || rm -rf "$spare_prefix"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
if ! [ -s "$out/display" ]; then
  echo "FAIL: Xvfb gave no display"
  show_log "$out/xvfb.log"
  exit 1
fi
export DISPLAY=:$(head -n1 "$out/display")

# The prefix, made once more from nothing if the first try fails (a Wine
# server of an earlier run still going away, say), and then in a folder of
# its own under /tmp, in case the build tree's file system is the trouble.
make_prefix() {
  rm -rf "$WINEPREFIX"
  "$wine" wineboot -i >>"$out/wineboot.log" 2>&1 && wineserver -w
}
retry_prefix() {  # retry_prefix NEW-PREFIX
  echo "note: wineboot failed in $WINEPREFIX, trying again in $1"
  show_log "$out/wineboot.log"
  wineserver -k 2>/dev/null || true
  sleep 2
  export WINEPREFIX=$1
  make_prefix
}
spare_prefix=
if ! make_prefix && ! retry_prefix "$WINEPREFIX"; then
  spare_prefix=$(mktemp -d /tmp/vellmark-wine.XXXXXX)
  if ! retry_prefix "$spare_prefix/prefix"; then
    echo "FAIL: Wine could not make its prefix"
    show_log "$out/wineboot.log"
    exit 1
  fi
fi
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$out/setup.log" 2>&1
# Every program in one virtual desktop of the display's size, where Wine
# draws the windows' frames and titles itself.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$out/setup.log" 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$out/setup.log" 2>&1
# Wine's own fonts (Debian's fonts-wine), with the metrics of the Windows
# fonts the program asks for, where every Wine program finds them.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# Japanese and Chinese: the window asks for the system's interface font of
# the language, which a Windows of that language has; here Noto Sans CJK
# (Debian's fonts-noto-cjk) stands in for it under those names, so that the
# screenshots show real characters in the face the program asks for.
cp /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc /usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc \
  "$WINEPREFIX/drive_c/windows/Fonts/"
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
"$wine" reg add "$substitutes" /v "MS UI Gothic" /d "Noto Sans CJK JP" /f >>"$out/setup.log" 2>&1
"$wine" reg add "$substitutes" /v "Microsoft YaHei UI" /d "Noto Sans CJK SC" /f >>"$out/setup.log" 2>&1
# Tahoma links to them, as on Windows, for the texts of the message boxes
# (Wine draws a box's own title bar in a font of its own, without them).
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
  /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP\0NotoSansCJK-Regular.ttc,Noto Sans CJK SC' /f >>"$out/setup.log" 2>&1
wineserver -w
trap - ERR

windows_path() { echo "Z:${1//\//\\}"; }
# rig_said COUNT LINE: until the rig's camera has said the line COUNT times
# (it says each camera interface it shows or takes away), at most 60 s.
rig_said() {
  for _ in $(seq 600); do
    [ "$(tr -d '\r' <"$out/rig-camera.log" 2>/dev/null | grep -cxF -- "$2")" -ge "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
status=0

# Output goes to files: Wine's own services, started on the way, would
# keep a pipe open.
run_driver() {  # run_driver NAME BENCH [rig]
  local name=$1 bench=$2
  shift 2
  local code=0
  "$wine" "$bin/e2e_driver.exe" "$(windows_path "$bin")" "$(windows_path "$bench")" \
    "$(windows_path "$out/screenshots")" "$@" >"$out/$name.raw" 2>"$out/$name-stderr.log" || code=$?
  tr -d '\r' <"$out/$name.raw" >"$out/$name.log"
  cat "$out/$name.log"
  [ "$code" = 0 ] && grep -q ", 0 failed$" "$out/$name.log"
}

# vellmark-sim.exe and vellmark.exe without a camera.
run_driver driver "$out/bench" || status=1

# Every language's texts measured at the four DPIs in the window's fonts,
# in one process (no window needed); then the whole wizard in German and
# Chinese at 96 DPI. The other languages run at the other DPIs below.
run_driver fit "$out/bench" fit || status=1
rm -rf "$out/language-bench-96"
mkdir -p "$out/language-bench-96"
run_driver languages-96 "$out/language-bench-96" dpi 96 de zh || status=1

# The chooser's accessible name as the backend sets it, seen by a recording
# annotation service (this oleacc's own answers E_NOTIMPL).
if "$wine" "$bin/chooser_name_check.exe" >"$out/chooser-name.raw" 2>"$out/chooser-name-stderr.log"; then
  tr -d '\r' <"$out/chooser-name.raw"
else
  tr -d '\r' <"$out/chooser-name.raw"
  echo "FAIL: chooser_name_check.exe"
  status=1
fi

# Keys typed at the X server right after the start (xdotool, through the
# virtual desktop's X window as a keyboard's reach it), never posted to the
# window: the driver says when the window is up and checks the focus moved.
rm -rf "$out/keys-bench" "$out/keys-ready"
mkdir -p "$out/keys-bench"
run_driver typed-keys "$out/keys-bench" typed-keys "$(windows_path "$out/keys-ready")" &
typed_driver=$!
for _ in $(seq 300); do [ -e "$out/keys-ready" ] && break; sleep 0.1; done
if [ -e "$out/keys-ready" ]; then
  xdotool key Tab
else
  echo "FAIL: the typed-keys run never said its window was up"
fi
wait "$typed_driver" || status=1

# The programs beside a planted version.dll, which none of them loads.
. "$(dirname "$0")/wine_planted_dll.sh"
planted_dll_run || status=1

# The shipping vellmark.exe through the rig: the camera driver installed
# in this prefix, the camera behind the pipes on a bench of its own.
mkdir -p "$out/rig-bench"
if "$wine" "$bin/rig_install.exe" "$(windows_path "$bin/camrig.inf")" 2 4 >"$out/rig-install.log" 2>&1; then
  VELLMARK_BENCH=$(windows_path "$out/rig-bench") "$wine" "$bin/rig_camera.exe" >"$out/rig-camera.log" 2>&1 &
  if ! rig_said 1 "rig_camera: watching the bench"; then
    echo "FAIL: rig_camera.exe never said it watches the bench:"
    show_log "$out/rig-camera.log"
    status=1
  fi
  run_driver rig-driver "$out/rig-bench" rig || status=1
  . "$(dirname "$0")/wine_cli.sh"
  cli_rig_run "$out/rig-bench" || status=1
  # A kernel without 32-bit support cannot run the 32-bit program at all:
  # that is said, not failed. 32-bit Wine missing is a failure.
  if [ -n "${3:-}" ] && [ -e /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >"$out/wine32.log" 2>&1; then
    echo "SKIP: this machine does not run 32-bit programs, so the 32-bit vellmark.exe was not run:"
    show_log "$out/wine32.log"
  elif [ -n "${3:-}" ]; then
    run_driver rig-x86-driver "$out/rig-bench" rig-x86 "$(windows_path "$(cd "$3" && pwd)/vellmark.exe")" || status=1
  fi
else
  echo "FAIL: the rig could not be installed:"
  tr -d '\r' <"$out/rig-install.log"
  status=1
fi
# The programs of the signed package (SIGNED_DIR/ARCH/vellmark.exe), when
# the build was configured with them, as ./scripts/test configures it, or
# VELLMARK_SIGNED_PROGRAMS names them: each still starts, and one missing
# fails the test.
signed_dir=${4:-${VELLMARK_SIGNED_PROGRAMS:-}}
if [ -n "$signed_dir" ]; then
  VELLMARK_SIGNED_PROGRAMS=$signed_dir
  for arch in x64 x86; do
    signed=$VELLMARK_SIGNED_PROGRAMS/$arch/vellmark.exe
    if [ ! -e "$signed" ]; then
      echo "FAIL: no signed program at $signed"
      status=1
    elif [ "$arch" = x86 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
      echo "SKIP: this machine does not run 32-bit programs, so the signed 32-bit vellmark.exe was not started"
    else
      run_driver "signed-$arch" "$out/bench" signed "$(windows_path "$signed")" || status=1
    fi
  done
else
  echo "note: no signed programs were given, so none was started (./scripts/test gives them)"
fi
# The whole run again at 120, 144 and 192 DPI (the runs above are at 96):
# the prefix's LogPixels set, as a person sets the scaling, and Wine
# started anew to take it (the rig's camera goes with it); each run on a
# bench of its own, from the default window position. After English, the
# run goes on in the languages of that DPI, the pseudo-language among them.
wineserver -k 2>/dev/null || true
for dpi in 120 144 192; do
  wineserver -w
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >>"$out/setup.log" 2>&1
  "$wine" reg delete 'HKCU\Software\Kestrane\Vellmark' /f >>"$out/setup.log" 2>&1 || true
  wineserver -k 2>/dev/null || true
  wineserver -w
  # The service control manager up before the program asks it whether it
  # runs as administrator: Wine starts it on the first call, and a fresh
  # server under load has answered the program's first call with a refusal.
  "$wine" sc query >>"$out/setup.log" 2>&1 || true
  rm -rf "$out/dpi-bench-$dpi"
  mkdir -p "$out/dpi-bench-$dpi"
  case $dpi in
    120) languages="fr it" ;;
    144) languages="es qps" ;;
    192) languages="ja" ;;
  esac
  # shellcheck disable=SC2086
  run_driver "dpi-$dpi" "$out/dpi-bench-$dpi" dpi "$dpi" en $languages || status=1
done
echo "screenshots: $out/screenshots"
python3=$(command -v /usr/bin/python3 || command -v python3)
"$python3" "$(dirname "$0")/contact_sheet.py" "$out/screenshots" "$out/screenshots/contact-sheet.png" || status=1
exit "$status"
