// status: every connected camera as the wizard's step 1 shows it. Nothing
// is granted, written or backed up.
#include "app/cli/cli_commands.h"
#include "app/cli/cli_scan.h"

namespace {

// A camera another program holds: its mode "busy", nothing else known.
std::string JsonOfBusy()
{
    JsonLine line;
    line.Null("class").Null("product_id").Null("type").Null("camera_id").Null("sensor").Text("mode", "busy");
    return line.Null("backup").Flag("original", false).Finish();
}

std::string JsonOf(const CameraSeen& camera)
{
    if (camera.busy) return JsonOfBusy();
    JsonLine line;
    line.Number("class", camera.classRow).Number("product_id", camera.productId).Text("type", camera.type);
    line.Number("camera_id", std::stoll(camera.id.empty() ? "0" : camera.id));
    if (camera.sensor) line.Number("sensor", camera.sensor);
    else line.Null("sensor");
    line.Text("mode", camera.mode);
    if (camera.backup.empty()) line.Null("backup");
    else line.Text("backup", camera.backup);
    return line.Flag("original", camera.original).Finish();
}

std::string TextOf(const CameraSeen& camera)
{
    if (camera.busy) return "mode busy";
    return "class " + std::to_string(camera.classRow) + "  product id " + std::to_string(camera.productId) +
           "  type " + camera.type + "  camera ID " + camera.id + "  sensor " +
           (camera.sensor ? std::to_string(camera.sensor) : std::string("none")) + "  mode " + camera.mode +
           "  backup " + (camera.backup.empty() ? std::string("none") : camera.backup) + "  original " +
           (camera.original ? "offered" : "not offered");
}

}  // namespace

int RunStatus(const CliOptions& options, const CliReport& report)
{
    CliWizard wizard;
    const std::vector<CameraSeen> cameras = ScanConnected(&wizard);
    for (const CameraSeen& camera : cameras) report.Out(options.json ? JsonOf(camera) : TextOf(camera));
    if (!cameras.empty()) return cliexit::done;
    // No line at all in JSON: a script reads no camera from the empty output.
    if (!options.json) report.Error(cliexit::noCamera, "no camera is connected");
    return cliexit::noCamera;
}
