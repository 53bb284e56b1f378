#include "app/cli/cli_camera_choice.h"

#include <cstdlib>

#include "app/cli/cli_scan.h"
#include "camera/interface_choice.h"

namespace {

bool Number(const std::string& text, unsigned long max, unsigned long* value)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    *value = std::strtoul(text.c_str(), nullptr, 10);
    return *value <= max;
}

std::string PairOf(const CameraSeen& camera)
{
    return std::to_string(camera.productId) + "-" + camera.id;
}

// How many of the connected cameras the form would choose.
template <typename Same>
size_t Count(const std::vector<CameraSeen>& connected, Same same)
{
    size_t count = 0;
    for (const CameraSeen& other : connected) count += same(other) ? 1 : 0;
    return count;
}

}  // namespace

bool ParseCameraChoice(const std::string& text, CameraChoice* choice)
{
    unsigned long product = 0, id = 0;
    choice->text = text;
    if (Number(text, 0xFFFFFFFFul, &id)) {
        choice->by = CameraChoice::By::id;
    } else if (!text.empty() && text[0] == '\\') {
        choice->by = CameraChoice::By::path;
        choice->path = text;
        return true;
    } else {
        const size_t dash = text.find('-');
        if (dash == std::string::npos || !Number(text.substr(0, dash), 0xFFFFul, &product) ||
            !Number(text.substr(dash + 1), 0xFFFFFFFFul, &id))
            return false;
        choice->by = CameraChoice::By::productAndId;
        choice->productId = static_cast<uint16_t>(product);
    }
    choice->cameraId = static_cast<uint32_t>(id);
    return true;
}

bool Chooses(const CameraChoice& choice, const CameraSeen& camera)
{
    switch (choice.by) {
    case CameraChoice::By::id: return camera.id == std::to_string(choice.cameraId);
    case CameraChoice::By::productAndId:
        return camera.productId == choice.productId && camera.id == std::to_string(choice.cameraId);
    case CameraChoice::By::path: return SameInterface(camera.path, choice.path);
    }
    return false;
}

std::string ChoosingForm(const CameraSeen& camera, const std::vector<CameraSeen>& connected)
{
    if (Count(connected, [&](const CameraSeen& other) { return other.id == camera.id; }) == 1) return camera.id;
    if (Count(connected, [&](const CameraSeen& other) { return PairOf(other) == PairOf(camera); }) == 1)
        return PairOf(camera);
    return camera.path;
}
