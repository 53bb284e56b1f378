# The programs started from a folder where a version.dll was planted beside
# them, as a web page may save one into the Downloads folder that a zip is
# unpacked in. Sourced by wine_e2e.sh. Wine is told to take a version.dll
# found on the search path before its own, as Windows would; the planted
# one (planted_dll.c) marks each call of the version functions that the
# programs use. No program may call them, and each must still read its
# version, through System32's version.dll.
#
# Wine's own user32.dll and setupapi.dll import version.dll, and Wine looks
# for the imports of its system libraries in the program's folder too, so
# under Wine the planted library is loaded at every start whatever the
# program does; Windows takes the libraries that its KnownDLLs import from
# System32. That load is told, not failed: the programs' own imports are
# checked by check_imports.py.
#
#   planted_dll_run     (uses $wine, $bin, $out, windows_path and run_driver)
planted_dll_run() {
  local dir=$out/planted-dll failed=0 code
  local overrides="$WINEDLLOVERRIDES;version=n,b"
  planted_fail() { echo "FAIL: $*"; failed=1; }
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$bin/vellmark.exe" "$bin/vellmark-sim.exe" "$bin/vellmark-cli.exe" "$dir/"
  cp "$bin/planted_version.dll" "$dir/version.dll"

  ( export WINEDLLOVERRIDES=$overrides; run_driver planted-driver "$out/bench" planted "$(windows_path "$dir")" ) ||
    failed=1

  code=0
  WINEDLLOVERRIDES=$overrides "$wine" "$dir/vellmark-cli.exe" --version >"$out/planted-cli.raw" 2>&1 || code=$?
  [ "$code" = 0 ] && [ "$(tr -d '\r' <"$out/planted-cli.raw")" = "vellmark-cli 1.1.0.0" ] &&
    echo "PASS: planted: vellmark-cli.exe --version reads 1.1.0.0" ||
    planted_fail "planted: vellmark-cli.exe --version: exit $code, $(cat "$out/planted-cli.raw")"
  code=0
  WINEDLLOVERRIDES=$overrides "$wine" "$dir/vellmark-cli.exe" status >"$out/planted-status.raw" 2>&1 || code=$?
  [ "$code" = 3 ] && echo "PASS: planted: vellmark-cli.exe status without a camera ends with code 3" ||
    planted_fail "planted: vellmark-cli.exe status: exit $code, $(cat "$out/planted-status.raw")"

  [ ! -e "$dir/version.dll.called" ] && echo "PASS: planted: no program called the version.dll beside it" ||
    planted_fail "planted: the version.dll beside the programs was called by: $(tr -d '\r' <"$dir/version.dll.called")"
  [ -e "$dir/version.dll.loaded" ] && echo "note: Wine's own libraries loaded the planted version.dll in" \
    "$(tr -d '\r' <"$dir/version.dll.loaded" | sort -u | tr '\n' ' ')"
  return "$failed"
}
