// status: every connected camera as the wizard's step 1 shows it. Nothing
// is granted, written or backed up.
#include <utility>

#include "app/cli/cli_commands.h"
#include "app/cli/cli_printable.h"
#include "app/cli/cli_scan.h"
#include "i18n/translate.h"

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
    if (!camera.frameRead) return Tr("frame unknown");
    const WrittenFields& frame = camera.frame;
    return TrFormat(
        "frame {1} x {2} of {3} x {4} at {5},{6}",
        {std::to_string(frame.visibleWidth), std::to_string(frame.visibleHeight), std::to_string(frame.totalWidth),
         std::to_string(frame.totalHeight), std::to_string(frame.xOffset), std::to_string(frame.yOffset)});
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

// One line a camera, its fields two spaces apart. The words are the
// person's, in the chosen language; the values stay as the camera, the
// files and --json give them (the mode as the write command and JSON name
// it, the type, the IDs, the backup's file name, the path), so that a line
// can be matched with them in any language. What a camera holds is shown
// printable: its bytes may be escape sequences and line ends.
std::string TextOf(const CameraSeen& camera)
{
    if (camera.busy) return TrFormat("mode {1}", {camera.mode});
    const std::string fields[] = {
        TrFormat("class {1}", {std::to_string(camera.classRow)}),
        TrFormat("product id {1}", {std::to_string(camera.productId)}),
        TrFormat("type {1}", {Printable(camera.type)}),
        TrFormat("camera ID {1}", {Printable(camera.id)}),
        camera.sensor ? TrFormat("sensor {1}", {std::to_string(camera.sensor)}) : Tr("sensor none"),
        TrFormat("mode {1}", {Printable(camera.mode)}),
        camera.backup.empty() ? Tr("backup none") : TrFormat("backup {1}", {Printable(camera.backup)}),
        Tr(camera.original ? "original offered" : "original not offered"),
        FrameText(camera),
        TrFormat("path {1}", {Printable(camera.path)}),
        camera.unfinished.empty() ? std::string() : TrFormat("unfinished {1}", {Printable(camera.unfinished)})};
    std::string line;
    for (const std::string& field : fields)
        if (!field.empty()) line += (line.empty() ? "" : "  ") + field;
    return line;
}

}  // namespace

int RunStatus(const CliOptions& options, const CliReport& report)
{
    CliWizard wizard;
    const std::vector<CameraSeen> cameras = ScanConnected(&wizard);
    for (const CameraSeen& camera : cameras) report.Out(options.json ? JsonOf(camera) : TextOf(camera));
    if (!cameras.empty()) return cliexit::done;
    // No line at all in JSON: a script reads no camera from the empty output.
    if (!options.json) report.Error(cliexit::noCamera, Said("no camera is connected"));
    return cliexit::noCamera;
}
