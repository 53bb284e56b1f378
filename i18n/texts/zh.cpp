// Chinese: the program's texts, each after the English text it stands for.
#include <iterator>

#include "i18n/texts.h"

namespace {

const TextPair pairs[] = {
    // The wizard's steps: the pane's title and lines.
    {"Step 1:", "步骤 1："},
    {"Step 2:", "步骤 2："},
    {"Step 3:", "步骤 3："},
    {"Step 4:", "步骤 4："},
    {"Step 5:", "步骤 5："},
    {"Connect camera and click [Scan camera] button", "连接相机，然后单击 [检测相机]"},
    {"Unplug camera power", "断开相机电源"},
    {"Connect camera again and click [Scan camera]", "重新连接相机，然后单击 [检测相机]"},
    {"Define Overscan mode", "设置过扫描模式"},
    {"Camera update successful.", "相机更新成功。"},
    {"Changes will take effect after camera is", "更改将在相机断开电源"},
    {"unplugged from power and plugged again.", "并重新接通后生效。"},
    // The buttons.
    {"Scan camera", "检测相机"},
    {"Next ->", "下一步 ->"},
    {"Write Overscan", "写入过扫描"},
    {"Finish", "完成"},
    // The chooser's items at step 4, the first two also the pane's values.
    {"Disabled", "禁用"},
    {"Enabled", "启用"},
    {"Original", "原始设置"},
    // The pane's labels and the values it shows for a camera.
    {"Camera type:", "相机类型："},
    {"Camera ID:", "相机 ID："},
    {"Overscan:", "过扫描："},
    {"Not connected", "未连接"},
    {"Cannot be configured", "无法配置"},
    {"Driver not installed", "未安装驱动程序"},
    // The window menu's entry and the About box.
    {"About...", "关于..."},
    {"About configuration tool", "关于配置工具"},
    {"Copyright (C) 2009-2026 Kestrane", "Copyright (C) 2009-2026 Kestrane"},
    {"unknown", "未知"},
    // The message boxes: the title, then each box's two lines.
    {"Error", "错误"},
    {"The last update of this camera did not finish", "此相机上次更新未完成"},
    {"Write the overscan mode again", "请重新写入过扫描模式"},
    {"This camera is different", "这是另一台相机"},
    {"Plug in the same camera", "请连接同一台相机"},
    {"Cannot write Windows Registry", "无法写入 Windows 注册表"},
    {"Application requires administrative priviledges", "本程序需要管理员权限"},
    {"Run it as Administrator", "请以管理员身份运行"},
    {"Camera not connected", "相机未连接"},
    {"Plug in the camera", "请连接相机"},
    {"Cannot write camera EEPROM", "无法写入相机 EEPROM"},
    {"Contact technical support", "请联系技术支持"},
    {"Cannot save camera backup", "无法保存相机备份"},
    {"Check the disk and try again", "请检查磁盘后重试"},
    {"Cannot remove the write permission", "无法撤销写入权限"},
    {"It is removed at the next start of the program", "将在程序下次启动时撤销"},
    // The terminal program's own lines: its key help, its box, its asks.
    {" Tab focus  Enter press  Up/Down mode", " Tab 切换  Enter 按下  Up/Down 模式"},
    {" s w n f press  a About  p plug  q quit", " s w n f 按钮  a 关于  p 插拔  q 退出"},
    {" Enter: close the box", " Enter: 关闭对话框"},
    {"OK", "确定"},
    {"Please enlarge the terminal to {1}", "请将终端放大到 {1}"},
    {"Enlarge to {1}", "放大到 {1}"},
    {" The bench cannot be saved: {1}", " 无法保存测试台：{1}"},
    // The console program's messages.
    {"usage: vellmark-cli status [--json]\n"
     "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "       vellmark-cli revoke [--json]\n"
     "       vellmark-cli --help | --version",
     "用法: vellmark-cli status [--json]\n"
     "      vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
     "      vellmark-cli revoke [--json]\n"
     "      vellmark-cli --help | --version"},
    {"  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
     "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
     "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
     "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
     "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
     "          listed with mode busy and nothing else.",
     "  status  列出每台已连接的相机：类行、产品 ID、类型、相机 ID、传感器行、向导步骤 1 显示的模式、\n"
     "          备份、是否提供 \"Original\"、相机保存的画幅（在偏移 x,y 处的可见尺寸与总尺寸）、接口路径，\n"
     "          以及未完成更新的模式（如有）。不是可打印 ASCII 的字节显示为 \\xHH。\n"
     "          不做任何更改，因此可与另一个实例的写入同时运行；该实例占用的相机仅显示模式 busy。"},
    {"  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
     "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
     "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
     "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
     "  write   对一台相机执行向导的工作（--camera 选定的相机，或唯一连接的相机）：按提示断开其电源，\n"
     "          再按提示重新接上；随后写入并校验。每次等待最长 --wait 秒（300）。已具有该模式数值的相机\n"
     "          保持不动（不授予、不提示、不写入；退出码 0）；--force 则照样写入。"},
    {"  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
     "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
     "          a driver key: what was done and why. Runs beside a running copy.",
     "  revoke  删除已结束的运行在驱动程序项下留下的写入许可（AllowEEPROMWrite），依据许可日志所列；\n"
     "          正在运行的实例的许可保留。每个驱动程序项一行：做了什么以及原因。可与正在运行的实例同时运行。"},
    {"  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
     "          interface path as status shows it; where several cameras match, the error lists them.",
     "  --camera CAMERA  相机 ID、PRODUCTID-CAMERAID（与其备份文件的命名相同），或 status 显示的接口路径；\n"
     "          有多台相机匹配时，错误信息会列出它们。"},
    {"  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
     "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
     "          is chosen.",
     "  --json  每行一个 JSON 对象：每台相机或每个事件一个，错误也是（包括用法错误，无论 --json 在何处）；\n"
     "          选定相机后，write 的每行带有 camera_id 和 time（UTC）。JSON 输出在任何语言下都保持英文。"},
    {"  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
     "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
     "  --bench DIR  模拟相机的测试台；否则为 $VELLMARK_BENCH；再否则为\n"
     "          $XDG_STATE_HOME/vellmark/bench（~/.local/state/vellmark/bench）。"},
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
     "退出码：\n"
     "  0  完成\n"
     "  1  写入、校验或备份失败（相机已在其响应的范围内恢复）\n"
     "  2  用法错误\n"
     "  3  没有相机、没有该相机，或无法配置\n"
     "  4  没有管理员权限，或无法授予许可\n"
     "  5  等待超时（未写入任何内容；许可已撤销）\n"
     "  6  另一个实例正在运行（write；status 可与之同时运行）\n"
     "  7  接上了另一台相机\n"
     "  8  事后无法删除许可（revoke：有许可无法删除）\n"
     "  9  无法使用测试台或数据文件夹，或无法打开其锁\n"
     "  10 无法写入输出（标准输出已关闭、磁盘已满）\n"
     "  由信号结束时为该信号的状态（许可已先撤销）"},
    {"{1} (see vellmark-cli --help)", "{1}（参见 vellmark-cli --help）"},
    {"unknown option '--bench'", "未知选项 '--bench'"},
    {"--bench needs a directory", "--bench 需要一个目录"},
    {"--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an interface path as status shows it",
     "--camera 需要相机 ID（十进制数）、PRODUCTID-CAMERAID 或 status 显示的接口路径"},
    {"--wait needs a number of seconds from 1 to 86400", "--wait 需要 1 到 86400 之间的秒数"},
    {"unknown argument '{1}'", "未知参数 '{1}'"},
    {"a command is needed: status or write", "需要一个命令：status 或 write"},
    {"--help takes no arguments", "--help 不接受参数"},
    {"--version takes no arguments", "--version 不接受参数"},
    {"unknown command '{1}'", "未知命令 '{1}'"},
    {"write needs a mode: disabled, enabled or original", "write 需要一个模式：disabled、enabled 或 original"},
    {"unknown mode '{1}': disabled, enabled or original", "未知模式 '{1}'：应为 disabled、enabled 或 original"},
    {"the output could not be written: {1}", "无法写入输出：{1}"},
    {"the output could not be written: standard output is closed", "无法写入输出：标准输出已关闭"},
    {"another copy of vellmark or vellmark-cli runs ({1})", "vellmark 或 vellmark-cli 的另一个实例正在运行（{1}）"},
    {"cannot make sure that no other copy runs: {1}", "无法确认没有其他实例在运行：{1}"},
    {"class {1}", "类 {1}"},
    {"product id {1}", "产品 ID {1}"},
    {"type {1}", "类型 {1}"},
    {"camera ID {1}", "相机 ID {1}"},
    {"sensor {1}", "传感器 {1}"},
    {"sensor none", "传感器 未知"},
    {"mode {1}", "模式 {1}"},
    {"backup {1}", "备份 {1}"},
    {"backup none", "无备份"},
    {"original offered", "Original 可选"},
    {"original not offered", "Original 不可选"},
    {"frame {1} x {2} of {3} x {4} at {5},{6}", "画幅 {3} x {4} 中的 {1} x {2}（偏移 {5},{6}）"},
    {"frame unknown", "画幅 未知"},
    {"path {1}", "路径 {1}"},
    {"unfinished {1}", "未完成 {1}"},
    {"no camera is connected", "没有连接相机"},
    {"no camera with the ID {1} (connected: {2})", "没有 ID 为 {1} 的相机（已连接：{2}）"},
    {"no camera with the product id {1} and the ID {2} (connected: {3})", "没有产品 ID 为 {1} 且 ID 为 {2} 的相机（已连接：{3}）"},
    {"no camera at the interface path {1} (connected: {2})", "接口路径 {1} 上没有相机（已连接：{2}）"},
    {"several cameras match --camera {1} ({2}): choose one with --camera and one of these",
     "多台相机与 --camera {1} 匹配（{2}）：请用 --camera 加其中之一选择一台"},
    {"several cameras are connected (IDs {1}): choose one with --camera ID", "连接了多台相机（ID {1}）：请用 --camera ID 选择一台"},
    {"several cameras are connected ({1}): choose one with --camera and one of these",
     "连接了多台相机（{1}）：请用 --camera 加其中之一选择一台"},
    {"the camera {1} cannot be written: {2}", "无法写入相机 {1}：{2}"},
    {"the camera {1} has no numbers of its own in a backup: Original is not offered",
     "相机 {1} 的备份中没有其自身的数值：不提供 Original"},
    {"timed out waiting for the camera to be unplugged: nothing written, the permission revoked",
     "等待断开相机电源超时：未写入任何内容，许可已撤销"},
    {"timed out waiting for the camera to be plugged in: nothing written, the permission revoked",
     "等待重新接上相机超时：未写入任何内容，许可已撤销"},
    {"the permission could not be noted in {1}: nothing granted", "无法在 {1} 中记录许可：未授予任何许可"},
    {"the permission could not be granted: run it from an administrator's command prompt",
     "无法授予许可：请在以管理员身份运行的命令提示符中运行"},
    {"run it from an administrator's command prompt", "请在以管理员身份运行的命令提示符中运行"},
    {"the camera cannot be configured", "无法配置相机"},
    {"Unplug the power of camera {1} now.", "现在请断开相机 {1} 的电源。"},
    {"Plug camera {1} in again.", "请重新接上相机 {1}。"},
    {"a different camera was plugged in: nothing written", "接上了另一台相机：未写入任何内容"},
    {"the camera refused the write: unplug its power after the permission is granted, then write again",
     "相机拒绝了写入：请在授予许可之后断开其电源，然后重新写入"},
    {"a different camera is connected: nothing written", "连接的是另一台相机：未写入任何内容"},
    {"the camera is not connected: nothing written", "相机未连接：未写入任何内容"},
    {"the update could not be noted in {1}: nothing written", "无法在 {1} 中记录更新：未写入任何内容"},
    {"the camera's backup could not be saved: nothing written", "无法保存相机的备份：未写入任何内容"},
    {"the camera's EEPROM could not be written or verified (put back as far as it answers)",
     "无法写入或校验相机的 EEPROM（已在其响应的范围内恢复）"},
    {"Original is not offered for this camera: nothing written", "此相机不提供 Original：未写入任何内容"},
    {"the camera was written, but the permission could not be removed: the driver still accepts writes; "
     "start vellmark-cli or vellmark again to remove it",
     "相机已写入，但无法删除许可：驱动程序仍接受写入；请再次启动 vellmark-cli 或 vellmark 以将其删除"},
    {"Changes will take effect after camera is unplugged from power and plugged again.", "更改将在相机断开电源并重新接通后生效。"},
    {"the camera {1} is already {2}: nothing written", "相机 {1} 已是模式 {2}：未写入任何内容"},
    {"the camera {1} is no longer connected", "相机 {1} 已不再连接"},
    {"removed AllowEEPROMWrite under HKLM\\{1}: {2}", "已删除 HKLM\\{1} 下的 AllowEEPROMWrite：{2}"},
    {"found no AllowEEPROMWrite under HKLM\\{1}: {2}", "HKLM\\{1} 下未找到 AllowEEPROMWrite：{2}"},
    {"left AllowEEPROMWrite under HKLM\\{1}: {2}", "保留了 HKLM\\{1} 下的 AllowEEPROMWrite：{2}"},
    {"failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}", "无法删除 HKLM\\{1} 下的 AllowEEPROMWrite：{2}"},
    {"run {1} has ended", "运行 {1} 已结束"},
    {"an earlier run has ended", "先前的一次运行已结束"},
    {"no longer listed for run {1} when revoked", "撤销时已不再为运行 {1} 列出"},
    {"no longer listed for an earlier run when revoked", "撤销时已不再为先前的运行列出"},
    {"run {1} still runs", "运行 {1} 仍在运行"},
    {"the grants journal is not to be believed ({1})", "许可日志不可信（{1}）"},
    {"the grants journal is out of reach ({1})", "无法访问许可日志（{1}）"},
    {"{1} permission(s) could not be removed: the driver still accepts writes; run it again from an "
     "administrator's command prompt",
     "有 {1} 项许可无法删除：驱动程序仍接受写入；请在以管理员身份运行的命令提示符中再次运行"},
    {"nothing to revoke: the grants journal lists no driver key", "无需撤销：许可日志中没有列出任何驱动程序项"},
};

}  // namespace

TextTable ChineseTexts()
{
    return {pairs, std::size(pairs)};
}
