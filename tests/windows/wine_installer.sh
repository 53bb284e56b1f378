#!/usr/bin/env bash
# The 64-bit installer under Wine, in a fresh prefix on a display of our
# own: a silent install and what it leaves (files, Apps & features entry,
# Start-menu shortcuts), the whole wizard of the installed vellmark.exe
# against the rig's camera, a higher version over it, an older one refused,
# an uninstall refused while a write runs, the silent uninstall removing
# the permission that write left when killed, and what stays afterwards.
# Then the installer's and uninstaller's pages in English and German,
# photographed into OUTPUT_DIR/screenshots for the user guide.
#
#   wine_installer.sh WINDOWS_BIN_DIR OUTPUT_DIR
#
# HOME, and with it Wine's desktop and menu folders, lies in the output
# folder, and winemenubuilder is off: nothing reaches this machine's own
# desktop or menus.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
rm -rf "$out/prefix" "$out/home" "$out/stage" "$out/rig-bench" "$out/screenshots" "$out/locale"
mkdir -p "$out/home" "$out/stage" "$out/rig-bench" "$out/screenshots"
started=$SECONDS

export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config XDG_DATA_HOME=$out/home/.local/share
export WINEPREFIX=$out/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINELOADER=/usr/lib/wine/wine64
wine=$WINELOADER
windows_path() { echo "Z:${1//\//\\}"; }
status=0
fail() { echo "FAIL: $*"; status=1; }
pass() { echo "PASS: $*"; }

# The installers of the programs in BIN: this version, and a higher one
# standing for the next release, built while Wine makes its prefix.
cp "$bin/vellmark.exe" "$bin/vellmark-cli.exe" "$out/stage/"
"$top/scripts/render-guide" "$out/stage"
sed 's/$/\r/' "$top/packaging/README.txt" >"$out/stage/README.txt"
sed 's/$/\r/' "$top/packaging/CHANGES.txt" >"$out/stage/CHANGES.txt"
( "$top/scripts/make-installer" x64 1.1.0.0 "$out/stage" "$out/setup-1.1.0.0.exe" &&
  "$top/scripts/make-installer" x64 1.1.0.1 "$out/stage" "$out/setup-1.1.0.1.exe" ) &
builder=$!
# The German pages: Wine takes the user's language from the locale, made
# here from the system's locale sources.
( mkdir -p "$out/locale" && localedef -i de_DE -f UTF-8 "$out/locale/de_DE.UTF-8" ) &
localer=$!

exec 3>"$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.1; done
[ -s "$out/display" ] || { echo "FAIL: Xvfb gave no display"; exit 1; }
export DISPLAY=:$(head -n1 "$out/display")

"$wine" wineboot -i >"$out/wineboot.log" 2>&1 && wineserver -w || { echo "FAIL: Wine could not make its prefix"; exit 1; }
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >"$out/setup.log" 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$out/setup.log" 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$out/setup.log" 2>&1
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
wait "$builder" || { echo "FAIL: the installers could not be built"; exit 1; }
echo "prefix and installers ready after $((SECONDS - started)) s"

program_files="$WINEPREFIX/drive_c/Program Files/Vellmark"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellmark'
run() {  # run NAME COMMAND...: output in $out/NAME.log, the exit code in $code
  local name=$1
  shift
  code=0
  "$wine" "$@" >"$out/$name.raw" 2>&1 || code=$?
  tr -d '\r' <"$out/$name.raw" >"$out/$name.log"
}
entry_values() { run entry reg query "$entry"; sed -n 's/^    //p' "$out/entry.log" | sed 's/  */ /g' | sort; }
entries_named_vellmark() {
  run entries reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s
  grep -c 'DisplayName *REG_SZ *Vellmark$' "$out/entries.log" || true
}
permission() { "$wine" reg query 'HKLM\SYSTEM\CurrentControlSet\Services\brennccdF\Parameters' /v AllowEEPROMWrite \
  >/dev/null 2>&1; }
wait_line() {  # wait_line FILE TEXT
  for _ in $(seq 300); do tr -d '\r' <"$1" 2>/dev/null | grep -qF -- "$2" && return 0; sleep 0.1; done
  return 1
}

echo "installing after $((SECONDS - started)) s"
run install "$out/setup-1.1.0.0.exe" /S
[ "$code" = 0 ] && pass "the silent install ends with exit code 0" || fail "the silent install: exit $code"
# The files of the zip, as staged for it, and the uninstaller.
installed=$( (cd "$program_files" && find . -type f | sort) 2>&1 || true)
staged=$( (cd "$out/stage" && find . -type f; echo ./Uninstall.exe) | sort)
[ "$installed" = "$staged" ] && grep -qx './README.txt' <<<"$installed" && grep -qx './images/step1.png' <<<"$installed" &&
  grep -qx './vellmark-cli.exe' <<<"$installed" &&
  pass "Program Files\\Vellmark holds the programs, the guide, README.txt and CHANGES.txt" ||
  fail "the installed files: $installed"
size_kb=$(( ($(cd "$out/stage" && find . -type f -exec cat {} + | wc -c) + 1023) / 1024 ))
expected="DisplayIcon REG_SZ C:\\Program Files\\Vellmark\\vellmark.exe,0
DisplayName REG_SZ Vellmark
DisplayVersion REG_SZ 1.1.0.0
EstimatedSize REG_DWORD 0x$(printf %x "$size_kb")
NoModify REG_DWORD 0x1
NoRepair REG_DWORD 0x1
Publisher REG_SZ Kestrane
QuietUninstallString REG_SZ \"C:\\Program Files\\Vellmark\\Uninstall.exe\" /S
UninstallString REG_SZ \"C:\\Program Files\\Vellmark\\Uninstall.exe\""
got=$(entry_values)
[ "$got" = "$expected" ] && pass "the Apps & features entry has its nine values" || fail "the entry: $got"
for link in "Vellmark.lnk:vellmark.exe" "Vellmark User Guide.lnk:Vellmark User Guide.html"; do
  if [ -f "$menu/${link%%:*}" ] && LC_ALL=C grep -aq "Program Files.Vellmark.${link#*:}" "$menu/${link%%:*}"; then
    pass "the Start menu's ${link%%:*} points to ${link#*:}"
  else
    fail "no Start-menu ${link%%:*} pointing to ${link#*:}"
  fi
done

# The installed vellmark.exe through the whole wizard on the rig.
if run rig-install "$bin/rig_install.exe" "$(windows_path "$bin/camrig.inf")" 2 4 && [ "$code" = 0 ]; then
  VELLMARK_BENCH=$(windows_path "$out/rig-bench") "$wine" "$bin/rig_camera.exe" >"$out/rig-camera.log" 2>&1 &
  run wizard "$bin/e2e_driver.exe" "$(windows_path "$bin")" "$(windows_path "$out/rig-bench")" \
    "$(windows_path "$out/screenshots")" installed 'C:\Program Files\Vellmark\vellmark.exe'
  cat "$out/wizard.log"
  [ "$code" = 0 ] && grep -q ", 0 failed$" "$out/wizard.log" || fail "the installed vellmark.exe's wizard on the rig"
else
  fail "the rig could not be installed: $(cat "$out/rig-install.log")"
fi

echo "upgrading after $((SECONDS - started)) s"
run upgrade "$out/setup-1.1.0.1.exe" /S
[ "$code" = 0 ] && [ "$(entries_named_vellmark)" = 1 ] && entry_values | grep -qx 'DisplayVersion REG_SZ 1.1.0.1' &&
  pass "1.1.0.1 over 1.1.0.0: one entry, of 1.1.0.1" || fail "the upgrade: exit $code, $(cat "$out/entries.log")"
run downgrade "$out/setup-1.1.0.0.exe" /S
[ "$code" = 3 ] && entry_values | grep -qx 'DisplayVersion REG_SZ 1.1.0.1' &&
  pass "1.1.0.0 over 1.1.0.1, silent: refused with exit code 3, 1.1.0.1 stays" || fail "the downgrade: exit $code"

# A write that waits for the plug holds the permission: the uninstall
# refuses while it runs, and removes what it left once killed.
cli_bench=$(windows_path "$out/rig-bench")
camsim() { VELLMARK_BENCH=$cli_bench "$wine" "$bin/camsim.exe" "$@" >>"$out/camsim.log" 2>&1; }
camsim create rigU --sensor 4 --class 4 --mode disabled --id 6161 && camsim plug rigU
( "$wine" "$program_files/vellmark-cli.exe" write enabled --camera 6161 --wait 60 >"$out/cli-write.raw" 2>&1 ) &
writer=$!
if wait_line "$out/cli-write.raw" "Unplug the power of camera 6161 now."; then
  camsim unplug rigU
  wait_line "$out/cli-write.raw" "Plug camera 6161 in again." || fail "the write did not see the unplug"
else
  fail "the write did not ask for the unplug: $(cat "$out/cli-write.raw")"
fi
permission || fail "no AllowEEPROMWrite while the write waits for the plug"
# In place (_?=), so that this process is the uninstaller and its exit
# code is the uninstall's; from a batch file, as a lab's script runs it,
# which passes the command line as written.
printf '"C:\\Program Files\\Vellmark\\Uninstall.exe" /S _?=C:\\Program Files\\Vellmark\r\nexit /b %%errorlevel%%\r\n' \
  >"$out/uninstall-in-place.bat"
run uninstall-refused cmd /c "$(windows_path "$out/uninstall-in-place.bat")"
[ "$code" = 4 ] && [ -f "$program_files/vellmark.exe" ] && permission && [ "$(entries_named_vellmark)" = 1 ] &&
  pass "while a write runs the silent uninstall ends with exit code 4 and removes nothing" ||
  fail "the uninstall beside a running write: exit $code"
"$wine" taskkill /F /IM vellmark-cli.exe >>"$out/camsim.log" 2>&1 || true
wait "$writer" || true
permission && grep -q 'brennccdF' "$WINEPREFIX/drive_c/ProgramData/Vellmark/grants.txt" ||
  fail "the killed write left no permission and journal line"

# The silent uninstall as Apps & features starts it: the uninstaller
# copies itself away and returns at once, so its end is waited for.
entry_values | sed -n 's/^QuietUninstallString REG_SZ \(.*\)/\1\r/p' >"$out/uninstall-quiet.bat"
run uninstall cmd /c "$(windows_path "$out/uninstall-quiet.bat")"
for _ in $(seq 600); do [ -e "$program_files" ] || break; sleep 0.1; done
wineserver -k 2>/dev/null || true
wineserver -w
left=$( (cd "$WINEPREFIX/drive_c" && find "Program Files/Vellmark"
  find "ProgramData/Microsoft/Windows/Start Menu/Programs" -iname '*vellmark*') 2>/dev/null || true)
run gone reg query "$entry"
if [ -z "$left" ] && [ "$code" != 0 ] && ! permission && ! grep -qs brennccdF "$WINEPREFIX/drive_c/ProgramData/Vellmark/grants.txt" &&
    [ -n "$(ls -A "$WINEPREFIX/drive_c/ProgramData/Vellmark/Backups" 2>/dev/null)" ]; then
  pass "the silent uninstall removes the left permission, the files, shortcuts and entry, and keeps the backups"
else
  fail "after the uninstall: left [$left], entry query exit $code, permission $(permission && echo stays || echo gone)," \
    "backups [$(ls "$WINEPREFIX/drive_c/ProgramData/Vellmark/Backups" 2>&1)]"
fi

# The pages, as a person clicks through them, in English and in German.
echo "pages after $((SECONDS - started)) s"
wait "$localer" || fail "the German locale could not be made"
for language in en de; do
  locale=C.UTF-8
  [ "$language" = de ] && locale=de_DE.UTF-8
  LOCPATH=$out/locale LC_ALL=$locale run "pages-$language" "$bin/installer_pages.exe" \
    "$(windows_path "$out/setup-1.1.0.0.exe")" 'C:\Program Files\Vellmark' "$(windows_path "$out/screenshots")" "$language"
  cat "$out/pages-$language.log"
  [ "$code" = 0 ] || fail "the $language pages"
  # Wine takes the language anew with its next server.
  if [ "$language" = en ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w
  fi
done
echo "screenshots: $out/screenshots"
echo "wine_installer.sh took $((SECONDS - started)) s"
exit "$status"
