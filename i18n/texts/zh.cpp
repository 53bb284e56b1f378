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
};

}  // namespace

TextTable ChineseTexts()
{
    return {pairs, std::size(pairs)};
}
