// status: every connected camera as the wizard's step 1 shows it. Nothing
// is granted, written or backed up.
#include <utility>

#include "app/cli/cli_commands.h"
#include "app/cli/cli_printable.h"
#include "app/cli/cli_scan.h"

namespace {

// The frame's numbers in JSON, null each where the blocks were not read.
void AddFrame(const CameraSeen& camera, JsonLine* line)
{
    const WrittenFields& frame = camera.frame;
    const std::pair<const char*, long long> numbers[] = {
        {"visible_width", frame.visibleWidth}, {"visible_height", frame.visibleHeight},
        {"total_width", frame.totalWidth},     {"total_height", frame.totalHeight},
        {"x_offset", frame.xOffset},           {"y_offset", frame.yOffset}};
    for (const auto& number : numbers) {
        if (camera.frameRead) line->Number(number.first, number.second);
        else line->Null(number.first);
    }
}

// "frame 3358 x 2536 of 3448 x 2574 at 27,30": visible of total at the
// x,y offsets.
std::string FrameText(const CameraSeen& camera)
{
    if (!camera.frameRead) return "frame unknown";
    const WrittenFields& frame = camera.frame;
    return "frame " + std::to_string(frame.visibleWidth) + " x " + std::to_string(frame.visibleHeight) + " of " +
           std::to_string(frame.totalWidth) + " x " + std::to_string(frame.totalHeight) + " at " +
           std::to_string(frame.xOffset) + "," + std::to_string(frame.yOffset);
}

// A camera another program holds: its mode "busy" and its path, nothing
// else known.
std::string JsonOfBusy(const CameraSeen& camera)
{
    JsonLine line;
    line.Null("class").Null("product_id").Null("type").Null("camera_id").Null("sensor").Text("mode", "busy");
    line.Null("backup").Flag("original", false).Null("unfinished").Text("path", camera.path);
    AddFrame(camera, &line);
    return line.Finish();
}

std::string JsonOf(const CameraSeen& camera)
{
    if (camera.busy) return JsonOfBusy(camera);
    JsonLine line;
    line.Number("class", camera.classRow).Number("product_id", camera.productId).Text("type", camera.type);
    line.Number("camera_id", std::stoll(camera.id.empty() ? "0" : camera.id));
    if (camera.sensor) line.Number("sensor", camera.sensor);
    else line.Null("sensor");
    line.Text("mode", camera.mode);
    if (camera.backup.empty()) line.Null("backup");
    else line.Text("backup", camera.backup);
    line.Flag("original", camera.original);
    if (camera.unfinished.empty()) line.Null("unfinished");
    else line.Text("unfinished", camera.unfinished);
    line.Text("path", camera.path);
    AddFrame(camera, &line);
    return line.Finish();
}

std::string TextOf(const CameraSeen& camera)
{
    if (camera.busy) return "mode busy";
    return "class " + std::to_string(camera.classRow) + "  product id " + std::to_string(camera.productId) +
           "  type " + camera.type + "  camera ID " + camera.id + "  sensor " +
           (camera.sensor ? std::to_string(camera.sensor) : std::string("none")) + "  mode " + camera.mode +
           "  backup " + (camera.backup.empty() ? std::string("none") : camera.backup) + "  original " +
           (camera.original ? "offered" : "not offered") + "  " + FrameText(camera) + "  path " + camera.path +
           (camera.unfinished.empty() ? std::string() : "  unfinished " + camera.unfinished);
}

}  // namespace

int RunStatus(const CliOptions& options, const CliReport& report)
{
    CliWizard wizard;
    const std::vector<CameraSeen> cameras = ScanConnected(&wizard);
    // One line a camera in plain text, whatever bytes it holds: shown printable.
    for (const CameraSeen& camera : cameras) report.Out(options.json ? JsonOf(camera) : Printable(TextOf(camera)));
    if (!cameras.empty()) return cliexit::done;
    // No line at all in JSON: a script reads no camera from the empty output.
    if (!options.json) report.Error(cliexit::noCamera, "no camera is connected");
    return cliexit::noCamera;
}
