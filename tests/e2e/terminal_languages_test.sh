#!/usr/bin/env bash
# The terminal program in other languages: a whole job in German (chosen by
# LANG) and in Japanese (by VELLMARK_LANG), driven by the keys the buttons
# show in that language, and the same job in the pseudo-language, where a
# program text left untranslated would stand out as plain English. No
# screen shows an English program text (the title line, with the camera's
# family name, aside); the run record and the camera's EEPROM are as in an
# English run.
#
#   terminal_languages_test.sh BIN_DIR
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")/../.." && pwd)
root=$(mktemp -d)
session=vellmark-languages-$$
. "$here/tests/e2e/tmux_session.sh"
trap 'stop_tmux; rm -rf "$root"' EXIT

# The program's English texts, none of which another language shows.
english=("Step " "Connect camera" "Scan camera" "Unplug" "Define Overscan" "successful" "Changes will" "unplugged"
         "Camera type" "Camera ID" "Not connected" "Disabled" "Enabled" "Write Overscan" "Next ->" "Finish"
         "About" "Tab focus" "press" "plug  q quit" "close the box")
no_english() {  # no_english WHERE
  local body phrase
  body=$(screen | tail -n +2)
  for phrase in "${english[@]}"; do
    if grep -qF -- "$phrase" <<<"$body"; then fail "$1: the English '$phrase' is shown"; fi
  done
}
# In the pseudo-language every program text is wrapped in "[!! ... !!]":
# outside the wrappers only data is left (the camera's type, numbers, and
# "Overscan v1.1", which stays as it is), with no word of plain letters.
all_wrapped() {  # all_wrapped WHERE
  local rest
  rest=$(screen | tail -n +2 | perl -CS -pe 's/\[!!.*?!!\]//g; s/Overscan v1\.1|SIM-4//g')
  if grep -qE '[A-Za-z]{3,}' <<<"$rest"; then fail "$1: a text left unwrapped: $(grep -oE '[A-Za-z]{3,}' <<<"$rest" | head -3)"; fi
  no_english "$1"
}

german() {
  environment="VELLMARK_LANG= LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8"; check=no_english
  step1="Schritt 1:"; line1="Kamera anschließen, [Kamera suchen] klicken"
  help=" k m w f drücken  a Info  p stecken  q Ende"; about="+- Info über das Konfigurationsprogramm -"
  close=" Enter: Meldung schließen"; line2="Stromversorgung der Kamera trennen"
  line3="Wieder anschließen, [Kamera suchen] klicken"; not_connected="Kameratyp:  Nicht verbunden"
  disabled_value="Overscan: Deaktiviert"; line4="Overscan-Modus festlegen"
  disabled="Deaktiviert"; enabled="Aktiviert"; next="Weiter ->"; finish="Fertig"
  line5=("Kamera erfolgreich aktualisiert." "Änderungen wirken, wenn die Kamera vom"
         "Strom getrennt und wieder verbunden ist.")
  scan_key=k; next_key=w; write_key=m; finish_key=f
}

japanese() {
  environment="VELLMARK_LANG=ja LANG=de_DE.UTF-8"; check=no_english
  step1="ステップ 1："; line1="カメラを接続し [カメラを検出] を押してください"
  help=" s w n f ボタン  a 情報  p 抜き差し  q 終了"; about="+- 設定ツールのバージョン情報 -"
  close=" Enter: 閉じる"; line2="カメラの電源を抜いてください"
  line3="再接続して [カメラを検出] を押してください"; not_connected="カメラ種別：  未接続"
  disabled_value="Overscan：  無効"; line4="Overscan モードを設定してください"
  disabled="無効"; enabled="有効"; next="次へ ->(N)"; finish="完了(F)"
  line5=("カメラの更新に成功しました。" "変更は、カメラの電源を一度抜いて" "再び接続した後に有効になります。")
  scan_key=s; next_key=n; write_key=w; finish_key=f
}

pseudo() {
  environment="VELLMARK_LANG=qps"; check=all_wrapped
  step1="[!! Šţép 1: !!]"; line1="[!! Çöññéçţ çåmérå åñd çlîçk [Šçåñ çåmérå] büţţöñ~~~~~~~ !!]"
  help="[!!  š w ñ f préšš  å Åböüţ  p plüg  q qüîţ~~~~~ !!]"; about="+- [!! Åböüţ çöñfîgüråţîöñ ţööl"
  close="[!!  Éñţér: çlöšé ţhé böx"; line2="[!! Üñplüg çåmérå pöwér !!]"
  line3="[!! Çöññéçţ çåmérå ågåîñ åñd çlîçk [Šçåñ çåmérå]~~~~~~~ !!]"; not_connected="[!! Ñöţ çöññéçţéd !!]"
  disabled_value="[!! Övéršçåñ: !!][!! Dîšåbléd !!]"; line4="[!! Défîñé Övéršçåñ mödé !!]"
  disabled="[!! Dîšåbléd !!]"; enabled="[!! Éñåbléd !!]"; next="[!! Ñéxţ -> !!]"; finish="[!! Fîñîšh !!]"
  line5=("[!! Çåmérå üpdåţé šüççéššfül.")
  scan_key=s; next_key=n; write_key=w; finish_key=f
}

# One whole job on a bench of its own, checked at every screen.
job() {
  bench=$root/$1
  mkdir "$bench"
  camsim create camera1 --sensor 4 --class 4 --mode disabled >/dev/null
  camsim plug camera1 >/dev/null
  tmux_env=$environment start_in_tmux 100 30 "'$bin/vellmark' --bench '$bench'"
  wait_for "$step1"; wait_for "$line1"; wait_for "$disabled_value"; wait_for ">[ $next ]<"; wait_for "$help"
  $check "$1 step 1"
  keys a
  wait_for "$about"; wait_for "$close"
  $check "$1 About box"
  press Enter
  wait_for "$help"
  keys "$next_key"
  wait_for "$line2"
  $check "$1 step 2"
  camsim unplug camera1 >/dev/null
  wait_for "$line3"; wait_for "$not_connected"
  $check "$1 step 3"
  camsim plug camera1 >/dev/null
  for _ in $(seq 20); do
    keys "$scan_key"
    if screen | grep -qF -- "$disabled_value"; then break; fi
  done
  wait_for ">[ $next ]<"
  keys "$next_key"
  wait_for "$line4"; wait_for "><$disabled v><"
  press Down
  wait_for "><$enabled v><"
  $check "$1 step 4"
  keys "$write_key"
  wait_for ">[ $next ]<"
  keys "$next_key"
  local line
  for line in "${line5[@]}"; do wait_for "$line"; done
  wait_for ">[ $finish ]<"
  $check "$1 step 5"
  keys "$finish_key"
  wait_for_exit 0
  camsim show camera1 | grep -qx "mode: enabled" || fail "$1: the camera was not switched to Enabled"
  local record
  record=$(ls "$bench"/logs/run-*.txt | tail -n1)
  for line in 'mode chosen at step 4: "Enabled"' "end: the window closed at step 5 as the user saw it, by Finish"; do
    grep -qF -- "$line" "$record" || fail "$1: the run record lacks: $line"
  done
  stop_tmux
}

german; job de
japanese; job ja
pseudo; job qps
echo "terminal in German, Japanese and the pseudo-language: whole jobs, no English program text shown"
