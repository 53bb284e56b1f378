#!/usr/bin/env bash
# vellmark-cli in the user's language: its plain-text lines in German (by
# VELLMARK_LANG and by LANG) and Japanese with the exit codes unchanged,
# every line of the pseudo-language marked, and what scripts read the same
# in every language: the --json output of status and of a whole write, the
# run record and the grants journal.
#
#   cli_languages_test.sh BIN_DIR
set -euo pipefail
bin=$1
work=$(mktemp -d)
bench=$work/bench
mkdir -m 700 "$bench"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
unset VELLMARK_LANG LC_ALL LC_MESSAGES LANG
fail() { echo "FAIL: $*" >&2; exit 1; }
camsim() { "$bin/camsim" --bench "$bench" "$@" >/dev/null; }

# run [NAME=VALUE...] -- ARGUMENTS: exit code, output and errors in $status, $out, $err.
# On the bench, but for --help, which takes no more.
run() {
  local env=()
  while [ "$1" != -- ]; do env+=("$1"); shift; done
  shift
  [ "$1" = --help ] || set -- "$@" --bench "$bench"
  status=0
  env "${env[@]}" "$bin/vellmark-cli" "$@" >"$work/out" 2>"$work/err" || status=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
}

# No camera, bad usage, nothing to revoke: the line written out, its exit code as in English.
while IFS='|' read -r env args code want_out want_err; do
  run $env -- $args
  [ "$status" = "$code" ] && [ "$out" = "$want_out" ] && [ "$err" = "$want_err" ] ||
    fail "$env vellmark-cli $args: exit $status, output '$out', errors '$err'"
done <<'CASES'
VELLMARK_LANG=de|status|3||vellmark-cli: keine Kamera ist verbunden
LANG=de_DE.UTF-8|write enabled|3||vellmark-cli: keine Kamera ist verbunden
LANG=de_DE.UTF-8|write foo|2||vellmark-cli: unbekannter Modus 'foo': disabled, enabled oder original (siehe vellmark-cli --help)
LC_ALL=de_DE.UTF-8 LANG=C|status --wait 3|2||vellmark-cli: unbekanntes Argument '--wait' (siehe vellmark-cli --help)
VELLMARK_LANG=de|revoke|0|nichts zu entziehen: das Berechtigungsjournal verzeichnet keinen Treiberschlüssel|
VELLMARK_LANG=ja|frobnicate|2||vellmark-cli: 不明なコマンド 'frobnicate' (vellmark-cli --help を参照)
VELLMARK_LANG=en LANG=de_DE.UTF-8|write foo|2||vellmark-cli: unknown mode 'foo': disabled, enabled or original (see vellmark-cli --help)
LANG=C|status|3||vellmark-cli: no camera is connected
VELLMARK_LANG=de|write foo --json|2|{"event": "error", "code": 2, "message": "unknown mode 'foo': disabled, enabled or original (see vellmark-cli --help)"}|
VELLMARK_LANG=de|status --json|3||
CASES

# The help in German: its prose translated, the command line's words kept.
run VELLMARK_LANG=de -- --help
[ "$status" = 0 ] && [ "${out%%$'\n'*}" = "Aufruf: vellmark-cli status [--json]" ] || fail "German help: exit $status, '$out'"
for kept in "--camera CAMERA" "[--wait SECONDS] [--force] [--json]" "AllowEEPROMWrite" "PRODUCTID-CAMERAID" \
  "Exit-Codes:" "  7  eine andere Kamera wurde angeschlossen"; do
  grep -qF -- "$kept" <<<"$out" || fail "German help has no '$kept'"
done

# The pseudo-language marks every text the program made: a line that is
# not wrapped escaped translation.
marked() {  # marked WHAT TEXT: every line (after the program's name) is one text, wrapped
  while IFS= read -r line; do
    [[ ${line#vellmark-cli: } =~ ^\[!!\ .*\ !!\]$ ]] || fail "$1: '$line' is not translated"
  done <<<"$2"
}
run VELLMARK_LANG=qps -- status
[ "$status" = 3 ] && marked "status without cameras" "$err"
run VELLMARK_LANG=qps -- write foo
[ "$status" = 2 ] && marked "bad usage" "$err"
run VELLMARK_LANG=qps -- revoke
[ "$status" = 0 ] && marked "revoke" "$out"
run VELLMARK_LANG=qps -- --help
# Each entry of the help is one text over several lines; each line holds accented letters.
[ "$status" = 0 ] && [ "$(grep -c '^\[!! ' <<<"$out")" = 8 ] && ! grep -qvP '[^\x00-\x7f]|^$' <<<"$out" ||
  fail "help in the pseudo-language: '$out'"

camsim create solo --sensor 4 --class 4 --id 1001 --type SIM-4
camsim plug solo

# status: the words in the language, the values as JSON gives them, the path last.
while IFS='|' read -r lang path line; do
  run VELLMARK_LANG=$lang -- status
  [ "$status" = 0 ] && [ "${out%  $path *}" = "$line" ] || fail "status in $lang: exit $status, '$out'"
done <<'CASES'
de|Pfad|Klasse 4  Produkt-ID 1030  Typ SIM-4  Kamera-ID 1001  Sensor 4  Modus Disabled  keine Sicherung  Original nicht angeboten  Bildfeld 3358 x 2536 von 3448 x 2574 bei 27,30
ja|パス|クラス 4  製品ID 1030  種別 SIM-4  カメラ ID 1001  センサー 4  モード Disabled  バックアップ なし  Original 選択不可  フレーム 3448 x 2574 中 3358 x 2536 (オフセット 27,30)
CASES
run VELLMARK_LANG=qps -- status
fields=$(sed 's/  /\n/g' <<<"$out")
[ "$status" = 0 ] && [ "$(wc -l <<<"$fields")" = 10 ] && marked "status" "$fields"
run -- status --json
english=$out
[[ $english == '{"class": 4, "product_id": 1030, '* ]] || fail "status --json said '$english'"
for lang in de ja qps; do
  run VELLMARK_LANG=$lang -- status --json
  [ "$status" = 0 ] && [ "$out" = "$english" ] || fail "status --json in $lang: '$out', not '$english'"
done

# A whole write in the background, camsim unplugging and plugging at its
# prompts: its output in $work/job, the grants journal as it stood at the
# plug prompt in $work/journal, the run record's lines in $work/record.
write_job() {  # write_job LANGUAGE ARGUMENTS...
  local lang=$1
  shift
  rm -f "$work/job" "$work/rc"
  (status=0; VELLMARK_LANG=$lang "$bin/vellmark-cli" write enabled --force "$@" --bench "$bench" >"$work/job" 2>&1 ||
     status=$?; echo $status >"$work/rc") &
  local writer=$!
  # The plug prompt is the second line, the third in JSON (after "unplugged").
  for lines in 1 $([ "${1:-}" = --json ] && echo 3 || echo 2); do
    for _ in $(seq 300); do [ "$(wc -l <"$work/job")" -ge $lines ] && break; sleep 0.1; done
    [ "$(wc -l <"$work/job")" -ge $lines ] || fail "write in $lang: no prompt in '$(cat "$work/job")'"
    if [ $lines = 1 ]; then
      camsim unplug solo
    else
      sed -E 's/\(run [0-9]+, started [0-9]+\)/(run PID, started T)/' "$bench/grants.txt" >"$work/journal"
      camsim plug solo
    fi
  done
  wait $writer || true
  [ "$(cat "$work/rc")" = 0 ] || fail "write in $lang: exit $(cat "$work/rc"), '$(cat "$work/job")'"
  # Times masked; the waits' lines, as many as the waits took turns, left out.
  sed -E 's/[0-9]{2}:[0-9]{2}:[0-9]{2}/T/g; s/[0-9]{8}-[0-9]{6}/D/g; s/[0-9]{4}-[0-9]{2}-[0-9]{2}/D/g' \
    "$(ls -t "$bench"/logs/run-*.txt | head -n1)" | grep -vE 'not connected$|^\(the same ' >"$work/record"
}
mask_times() { sed -E 's/"time": "[^"]*"/"time": "T"/' "$work/job"; }

# English first, as it stands; the camera is Enabled and has its backup from then on.
write_job en
[ "$(cat "$work/job")" = "Unplug the power of camera 1001 now.
Plug camera 1001 in again.
Camera update successful.
Changes will take effect after camera is unplugged from power and plugged again." ] ||
  fail "write in English said '$(cat "$work/job")'"
write_job en --json
english_job=$(mask_times)
english_journal=$(cat "$work/journal")
english_record=$(cat "$work/record")
[ "$(wc -l <<<"$english_job")" = 7 ] && [[ $english_job == *'{"event": "done", "mode": "Enabled", "unchanged": false, "camera_id": 1001, "time": "T"}' ]] ||
  fail "write --json in English said '$english_job'"
grep -qF "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters  (run PID, started T)" <<<"$english_journal" ||
  fail "the grants journal at the plug prompt: '$english_journal'"
for lang in de ja; do
  write_job $lang --json
  [ "$(mask_times)" = "$english_job" ] || fail "write --json in $lang said '$(mask_times)', not '$english_job'"
  [ "$(cat "$work/journal")" = "$english_journal" ] || fail "the grants journal in $lang: '$(cat "$work/journal")'"
  [ "$(cat "$work/record")" = "$english_record" ] ||
    fail "the run record in $lang differs: $(diff <(echo "$english_record") "$work/record")"
done

# The plain-text write: German prompts and end, every line marked in the pseudo-language.
write_job de
[ "$(cat "$work/job")" = "Trennen Sie jetzt die Stromversorgung der Kamera 1001.
Schließen Sie die Kamera 1001 wieder an.
Kamera erfolgreich aktualisiert.
Änderungen wirken, sobald die Kamera vom Strom getrennt und wieder verbunden ist." ] ||
  fail "write in German said '$(cat "$work/job")'"
write_job qps
marked "write" "$(cat "$work/job")"
[ "$(wc -l <"$work/job")" = 4 ] || fail "write in the pseudo-language said '$(cat "$work/job")'"
echo "PASS: cli_languages_test"
