// Japanese: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    // The wizard's steps: the pane's title and lines.
    {"Step 1:", "ステップ 1："},
    {"Step 2:", "ステップ 2："},
    {"Step 3:", "ステップ 3："},
    {"Step 4:", "ステップ 4："},
    {"Step 5:", "ステップ 5："},
    {"Connect camera and click [Scan camera] button", "カメラを接続し [カメラを検出] を押してください"},
    {"Unplug camera power", "カメラの電源を抜いてください"},
    {"Connect camera again and click [Scan camera]", "再接続して [カメラを検出] を押してください"},
    {"Define Overscan mode", "Overscan モードを設定してください"},
    {"Camera update successful.", "カメラの更新に成功しました。"},
    {"Changes will take effect after camera is", "変更は、カメラの電源を一度抜いて"},
    {"unplugged from power and plugged again.", "再び接続した後に有効になります。"},
    // The buttons.
    {"Scan camera", "カメラを検出"},
    {"Next ->", "次へ ->"},
    {"Write Overscan", "モード書き込み"},
    {"Finish", "完了"},
    // The chooser's items at step 4, the first two also the pane's values.
    {"Disabled", "無効"},
    {"Enabled", "有効"},
    {"Original", "元の設定"},
    // The pane's labels and the values it shows for a camera.
    {"Camera type:", "カメラ種別："},
    {"Camera ID:", "カメラ ID："},
    {"Overscan:", "Overscan："},
    {"Not connected", "未接続"},
    {"Cannot be configured", "設定不可"},
    {"Driver not installed", "ドライバー未インストール"},
    // The window menu's entry and the About box.
    {"About...", "バージョン情報..."},
    {"About configuration tool", "設定ツールのバージョン情報"},
    {"Copyright (C) 2009-2026 Kestrane", "Copyright (C) 2009-2026 Kestrane"},
    {"unknown", "不明"},
    // The message boxes: the title, then each box's two lines.
    {"Error", "エラー"},
    {"The last update of this camera did not finish", "このカメラの前回の更新は完了していません"},
    {"Write the overscan mode again", "Overscan モードをもう一度書き込んでください"},
    {"This camera is different", "別のカメラです"},
    {"Plug in the same camera", "同じカメラを接続してください"},
    {"Cannot write Windows Registry", "Windows レジストリに書き込めません"},
    {"Application requires administrative priviledges", "このプログラムには管理者権限が必要です"},
    {"Run it as Administrator", "管理者として実行してください"},
    {"Camera not connected", "カメラが接続されていません"},
    {"Plug in the camera", "カメラを接続してください"},
    {"Cannot write camera EEPROM", "カメラの EEPROM に書き込めません"},
    {"Contact technical support", "テクニカル サポートにお問い合わせください"},
    {"Cannot save camera backup", "カメラのバックアップを保存できません"},
    {"Check the disk and try again", "ディスクを確認して、もう一度お試しください"},
    {"Cannot remove the write permission", "書き込み許可を取り消せません"},
    {"It is removed at the next start of the program", "次回のプログラム起動時に取り消されます"},
    // The terminal program's own lines: its key help, its box, its asks.
    {" Tab focus  Enter press  Up/Down mode", " Tab 移動  Enter 実行  Up/Down モード"},
    {" s w n f press  a About  p plug  q quit", " s w n f ボタン  a 情報  p 抜き差し  q 終了"},
    {" Enter: close the box", " Enter: 閉じる"},
    {"OK", "OK"},
    {"Please enlarge the terminal to {1}", "端末を {1} 以上に広げてください"},
    {"Enlarge to {1}", "{1} に拡大"},
    {" The bench cannot be saved: {1}", " テストベンチを保存できません: {1}"},
    // The console program's messages.
    {"usage: vellmark-cli status [--json]\n"
     "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "       vellmark-cli revoke [--json]\n"
     "       vellmark-cli --help | --version",
     "使い方: vellmark-cli status [--json]\n"
     "        vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "        vellmark-cli revoke [--json]\n"
     "        vellmark-cli --help | --version"},
    {"  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
     "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
     "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
     "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
     "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
     "          listed with mode busy and nothing else.",
     "  status  接続されているカメラをすべて表示します: クラス行、製品ID、種別、カメラ ID、センサー行、\n"
     "          ウィザードのステップ 1 が示すモード、バックアップ、\"Original\" を選べるかどうか、カメラが\n"
     "          保持するフレーム (全体サイズのうちの表示サイズとオフセット x,y)、インターフェイス パス、\n"
     "          未完了の更新があればそのモード。印字可能な ASCII でないバイトは \\xHH と表示します。\n"
     "          何も変更しないため、別のインスタンスの書き込みと並行して実行できます。そのインスタンスが\n"
     "          使用中のカメラはモード busy とだけ表示します。"},
    {"  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
     "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
     "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
     "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
     "  write   1 台のカメラに対してウィザードの作業を行います (--camera で選んだカメラ、または接続されて\n"
     "          いる唯一のカメラ)。指示されたら電源を抜き、指示されたら再び接続します。書き込みと検証が\n"
     "          行われます。各待機は最長 --wait 秒 (300) です。すでにそのモードの値を持つカメラには何も\n"
     "          しません (許可も指示も書き込みもなし、終了コード 0)。--force を付けると書き込みます。"},
    {"  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
     "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
     "          a driver key: what was done and why. Runs beside a running copy.",
     "  revoke  終了した実行がドライバーのキーに残した書き込み許可 (AllowEEPROMWrite) を、許可ジャーナル\n"
     "          の記載どおりに削除します。実行中のインスタンスの許可は残します。ドライバーのキーごとに\n"
     "          1 行で、何をしたかとその理由を表示します。実行中のインスタンスと並行して実行できます。"},
    {"  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
     "          interface path as status shows it; where several cameras match, the error lists them.",
     "  --camera CAMERA  カメラ ID、PRODUCTID-CAMERAID (バックアップ ファイルの名前と同じ形)、または status\n"
     "          が示すインターフェイス パス。複数のカメラが一致するときは、エラーにそれらを表示します。"},
    {"  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
     "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
     "          is chosen.",
     "  --json  1 行に 1 つの JSON オブジェクト: カメラごと、またはイベントごと。エラーも含みます (--json\n"
     "          がどこにあっても、誤った使い方も)。カメラが決まると、write の各行に camera_id と time (UTC)\n"
     "          が付きます。JSON の出力はどの言語でも英語のままです。"},
    {"  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
     "  --bench DIR  シミュレートされたカメラのベンチ。省略時は $VELLMARK_BENCH、それもなければ\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench)。"},
    {"exit codes:\n"
     "  0  done\n"
     "  1  the write, its verification or the backup failed (the camera put back as far as it answers)\n"
     "  2  bad usage\n"
     "  3  no camera, no such camera, or it cannot be configured\n"
     "  4  no administrator rights, or the permission could not be granted\n"
     "  5  a wait timed out (nothing written; the permission revoked)\n"
     "  6  another copy runs (write; status runs beside it)\n"
     "  7  a different camera was plugged in\n"
     "  8  the permission could not be removed afterwards (revoke: a permission could not be removed)\n"
     "  9  the bench or the data folder cannot be used, or its lock cannot be opened\n"
     "  10 the output could not be written (standard output closed, a full disk)\n"
     "  a signal's status when a signal ended it (the permission revoked first)",
     "終了コード:\n"
     "  0  完了\n"
     "  1  書き込み、その検証、またはバックアップに失敗 (カメラは応答する範囲で元に戻されます)\n"
     "  2  使い方の誤り\n"
     "  3  カメラがない、該当するカメラがない、または構成できない\n"
     "  4  管理者権限がない、または許可を付与できなかった\n"
     "  5  待機がタイムアウトした (何も書き込まず、許可は取り消し済み)\n"
     "  6  別のインスタンスが実行中 (write の場合。status は並行して実行できます)\n"
     "  7  別のカメラが接続された\n"
     "  8  あとで許可を削除できなかった (revoke: 削除できなかった許可がある)\n"
     "  9  ベンチまたはデータ フォルダーを使えない、またはそのロックを開けない\n"
     "  10 出力を書き込めなかった (標準出力が閉じている、ディスクがいっぱい)\n"
     "  シグナルで終了した場合はそのシグナルの状態 (許可は先に取り消し済み)"},
    {"{1} (see vellmark-cli --help)", "{1} (vellmark-cli --help を参照)"},
    {"unknown option '--bench'", "不明なオプション '--bench'"},
    {"--bench needs a directory", "--bench にはディレクトリが必要です"},
    {"--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
     "--camera にはカメラ ID (10 進数)、PRODUCTID-CAMERAID、または status が示すインターフェイス パスが必要です"},
    {"--wait needs a number of seconds from 1 to 86400", "--wait には 1 から 86400 までの秒数が必要です"},
    {"unknown argument '{1}'", "不明な引数 '{1}'"},
    {"a command is needed: status or write", "コマンドが必要です: status または write"},
    {"--help takes no arguments", "--help は引数を取りません"},
    {"--version takes no arguments", "--version は引数を取りません"},
    {"unknown command '{1}'", "不明なコマンド '{1}'"},
    {"write needs a mode: disabled, enabled or original", "write にはモードが必要です: disabled、enabled、original のいずれか"},
    {"unknown mode '{1}': disabled, enabled or original", "不明なモード '{1}': disabled、enabled、original のいずれかです"},
    {"the output could not be written: {1}", "出力を書き込めませんでした: {1}"},
    {"the output could not be written: standard output is closed", "出力を書き込めませんでした: 標準出力が閉じています"},
    {"another copy of vellmark or vellmark-cli runs ({1})", "vellmark または vellmark-cli の別のインスタンスが実行中です ({1})"},
    {"cannot make sure that no other copy runs: {1}", "別のインスタンスが実行中でないことを確認できません: {1}"},
    {"class {1}", "クラス {1}"},
    {"product id {1}", "製品ID {1}"},
    {"type {1}", "種別 {1}"},
    {"camera ID {1}", "カメラ ID {1}"},
    {"sensor {1}", "センサー {1}"},
    {"sensor none", "センサー 不明"},
    {"mode {1}", "モード {1}"},
    {"backup {1}", "バックアップ {1}"},
    {"backup none", "バックアップ なし"},
    {"original offered", "Original 選択可"},
    {"original not offered", "Original 選択不可"},
    {"frame {1} x {2} of {3} x {4} at {5},{6}", "フレーム {3} x {4} 中 {1} x {2} (オフセット {5},{6})"},
    {"frame unknown", "フレーム 不明"},
    {"path {1}", "パス {1}"},
    {"unfinished {1}", "未完了 {1}"},
    {"no camera is connected", "カメラが接続されていません"},
    {"no camera with the ID {1} (connected: {2})", "ID {1} のカメラはありません (接続中: {2})"},
    {"no camera with the product id {1} and the ID {2} (connected: {3})", "製品ID {1}、ID {2} のカメラはありません (接続中: {3})"},
    {"no camera at the interface path {1} (connected: {2})", "インターフェイス パス {1} にカメラはありません (接続中: {2})"},
    {"several cameras match --camera {1} ({2}): choose one with --camera and one of these",
     "複数のカメラが --camera {1} に一致します ({2})。--camera とこのうちの 1 つで選んでください"},
    {"several cameras are connected (IDs {1}): choose one with --camera ID",
     "複数のカメラが接続されています (ID {1})。--camera ID で 1 台を選んでください"},
    {"several cameras are connected ({1}): choose one with --camera and one of these",
     "複数のカメラが接続されています ({1})。--camera とこのうちの 1 つで選んでください"},
    {"the camera {1} cannot be written: {2}", "カメラ {1} には書き込めません: {2}"},
    {"the camera {1} has no numbers of its own in a backup: Original is not offered",
     "カメラ {1} 自身の値がバックアップにありません。Original は選べません"},
    {"timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
     "カメラの電源が抜かれるのを待つ間にタイムアウトしました。何も書き込まず、許可は取り消しました"},
    {"timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
     "カメラが接続されるのを待つ間にタイムアウトしました。何も書き込まず、許可は取り消しました"},
    {"the permission could not be noted in {1}: nothing granted", "許可を {1} に記録できませんでした。何も付与していません"},
    {"the permission could not be granted: run it from an administrator's command prompt",
     "許可を付与できませんでした。管理者として開いたコマンド プロンプトから実行してください"},
    {"run it from an administrator's command prompt", "管理者として開いたコマンド プロンプトから実行してください"},
    {"the camera cannot be configured", "カメラを構成できません"},
    {"Unplug the power of camera {1} now.", "カメラ {1} の電源を今すぐ抜いてください。"},
    {"Plug camera {1} in again.", "カメラ {1} をもう一度接続してください。"},
    {"a different camera was plugged in: nothing written", "別のカメラが接続されました。何も書き込んでいません"},
    {"the camera refused the write: unplug its power after the permission is granted, then write again",
     "カメラが書き込みを拒否しました。許可が付与されてから電源を抜き、もう一度書き込んでください"},
    {"a different camera is connected: nothing written", "別のカメラが接続されています。何も書き込んでいません"},
    {"the camera is not connected: nothing written", "カメラが接続されていません。何も書き込んでいません"},
    {"the update could not be noted in {1}: nothing written", "更新を {1} に記録できませんでした。何も書き込んでいません"},
    {"the camera's backup could not be saved: nothing written", "カメラのバックアップを保存できませんでした。何も書き込んでいません"},
    {"the camera's EEPROM could not be written or verified (put back as far as it answers)",
     "カメラの EEPROM を書き込めないか、検証できませんでした (応答する範囲で元に戻しました)"},
    {"Original is not offered for this camera: nothing written", "このカメラでは Original を選べません。何も書き込んでいません"},
    {"the camera was written, but the permission could not be removed: the driver still accepts writes; "
     "start vellmark-cli or vellmark again to remove it",
     "カメラへの書き込みは完了しましたが、許可を削除できませんでした。ドライバーはまだ書き込みを受け付けます。削除するには vellmark-cli または vellmark をもう一度起動してください"},
    {"Changes will take effect after camera is unplugged from power and plugged again.",
     "変更は、カメラの電源を一度抜いて再び接続した後に有効になります。"},
    {"the camera {1} is already {2}: nothing written", "カメラ {1} はすでにモード {2} です。何も書き込んでいません"},
    {"the camera {1} is no longer connected", "カメラ {1} はもう接続されていません"},
    {"removed AllowEEPROMWrite under HKLM\\{1}: {2}", "HKLM\\{1} の AllowEEPROMWrite を削除しました: {2}"},
    {"found no AllowEEPROMWrite under HKLM\\{1}: {2}", "HKLM\\{1} に AllowEEPROMWrite はありませんでした: {2}"},
    {"left AllowEEPROMWrite under HKLM\\{1}: {2}", "HKLM\\{1} の AllowEEPROMWrite は残しました: {2}"},
    {"failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}", "HKLM\\{1} の AllowEEPROMWrite を削除できませんでした: {2}"},
    {"run {1} has ended", "実行 {1} は終了しています"},
    {"an earlier run has ended", "以前の実行は終了しています"},
    {"no longer listed for run {1} when revoked", "取り消しの時点で実行 {1} の記載がなくなっていました"},
    {"no longer listed for an earlier run when revoked", "取り消しの時点で以前の実行の記載がなくなっていました"},
    {"run {1} still runs", "実行 {1} はまだ実行中です"},
    {"the grants journal is not to be believed ({1})", "許可ジャーナルは信頼できません ({1})"},
    {"the grants journal is out of reach ({1})", "許可ジャーナルにアクセスできません ({1})"},
    {"{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
     "administrator's command prompt",
     "{1} 件の許可を削除できませんでした。ドライバーはまだ書き込みを受け付けます。管理者として開いたコマンド プロンプトからもう一度実行してください"},
    {"nothing to revoke: the grants journal lists no driver key", "取り消すものはありません。許可ジャーナルにドライバーのキーはありません"},
};

}  // namespace

TextTable JapaneseTexts()
{
    return {pairs, std::size(pairs)};
}
