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
};

}  // namespace

TextTable JapaneseTexts()
{
    return {pairs, std::size(pairs)};
}
