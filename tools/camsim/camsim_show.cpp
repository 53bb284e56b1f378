// camsim list and show: the cameras on the bench, damaged ones with the
// reason, and a camera's EEPROM decoded with its armed faults.
#include <cstdio>

#include "platform/sim/sim_machine.h"
#include "tools/camsim/camera_image.h"
#include "tools/camsim/camsim_commands.h"
#include "tools/camsim/camsim_output.h"

namespace {

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

const char* FaultName(sim::FaultKind kind)
{
    switch (kind) {
    case sim::FaultKind::dropRequest: return "drop-request";
    case sim::FaultKind::dropReply: return "drop-reply";
    case sim::FaultKind::status: return "status";
    case sim::FaultKind::shortReply: return "short-reply";
    case sim::FaultKind::stuckByte: return "stuck-byte";
    case sim::FaultKind::lastByteFlipped: return "last-byte-flipped";
    case sim::FaultKind::hold: return "hold";
    }
    return "";
}

}  // namespace

std::string FaultText(const sim::Fault& fault)
{
    std::string text = std::string(FaultName(fault.kind)) + " at transfer " + std::to_string(fault.atTransfer);
    if (fault.kind == sim::FaultKind::status) {
        char status[24];
        std::snprintf(status, sizeof status, " (status 0x%02x)", fault.status);
        text += status;
    }
    return text;
}

int ListCameras(const Arguments& args)
{
    if (!args.empty()) return BadInput("list takes no arguments");
    for (const auto& camera : sim::Machine().Cameras()) {
        if (!camera->damage.empty()) {
            Say("%-16s damaged: %s\n", camera->name.c_str(), camera->damage.c_str());
            continue;
        }
        DecodedImage d = DecodeEeprom(camera->eeprom, camera->classRow);
        Say("%-16s %-9s class %d  row %2d  %-8s  writes %-3s  transfers %u\n", camera->name.c_str(),
                    camera->plugged ? "plugged" : "unplugged", camera->classRow, d.sensorRow, d.mode,
                    camera->writePermitted ? "yes" : "no", camera->transfers);
    }
    return 0;
}

int ShowCamera(const Arguments& args)
{
    if (args.size() != 1) return BadInput("show needs exactly one camera name");
    sim::SimCamera* camera = sim::Machine().FindCamera(args[0]);
    if (!camera) return BadInput("no camera named '" + args[0] + "' on the bench");
    Say("name: %s\n", camera->name.c_str());
    if (!camera->damage.empty()) {
        Say("state: damaged: %s\n", camera->damage.c_str());
        return 0;
    }
    DecodedImage d = DecodeEeprom(camera->eeprom, camera->classRow);
    Say("state: %s\n", camera->plugged ? "plugged" : "unplugged");
    Say("class: %d (family %s)\n", camera->classRow, IsFamilyARow(camera->classRow) ? "A" : "B");
    Say("product id: %u\n", d.productId);
    Say("camera id: %u\n", d.cameraId);
    Say("type: %s\n", d.type.c_str());
    Say("visible: %u x %u\n", d.visibleWidth, d.visibleHeight);
    Say("geometry: total %u x %u, offset %u,%u, width after offset %u\n", d.totalWidth, d.totalHeight,
                d.xOffset, d.yOffset, d.widthAfterOffset);
    Say("sensor row: %d\n", d.sensorRow);
    Say("mode: %s\n", d.mode);
    Say("writes permitted: %s\n", YesNo(camera->plugged && camera->writePermitted));
    Say("interface: %s\n", camera->interfacePath.c_str());
    Say("transfers: %u\n", camera->transfers);
    if (camera->faults.empty()) Say("faults: none\n");
    for (const auto& fault : camera->faults)
        Say("fault: %s, %s\n", FaultText(fault).c_str(), fault.fired ? "fired" : "armed");
    return 0;
}
