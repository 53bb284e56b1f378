#include "tools/camsim/camsim_commands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sim/bench.h"
#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "tools/camsim/camera_image.h"

namespace {

bool ParseNumber(const std::string& text, unsigned long long limit, unsigned long long* value)
{
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    *value = std::strtoull(text.c_str(), nullptr, 10);
    return *value <= limit;
}

struct CreateOptions {
    std::string name;
    CameraImage image;
    bool haveSensor = false, haveClass = false, haveProductId = false, haveId = false, haveType = false;
};

int ParseCreate(const Arguments& args, CreateOptions* options)
{
    if (args.empty()) return BadInput("create needs a camera name");
    options->name = args[0];
    if (!sim::IsValidCameraName(options->name))
        return BadInput("invalid camera name '" + options->name + "' (letters, digits, '-', '_', '.')");
    for (size_t i = 1; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) return BadInput("option " + option + " needs a value");
        const std::string& value = args[i + 1];
        unsigned long long number = 0;
        if (option == "--sensor") {
            if (!ParseNumber(value, 16, &number) || number < 1) return BadInput("sensor row must be 1..16, not '" + value + "'");
            options->image.sensorRow = static_cast<int>(number);
            options->haveSensor = true;
        } else if (option == "--class") {
            if (!ParseNumber(value, 6, &number) || number < 1) return BadInput("class row must be 1..6, not '" + value + "'");
            options->image.classRow = static_cast<int>(number);
            options->haveClass = true;
        } else if (option == "--mode") {
            if (value != "disabled" && value != "enabled") return BadInput("mode must be disabled or enabled, not '" + value + "'");
            options->image.overscan = value == "enabled";
        } else if (option == "--product-id") {
            if (!ParseNumber(value, 65535, &number)) return BadInput("product id must be 0..65535, not '" + value + "'");
            options->image.productId = static_cast<uint16_t>(number);
            options->haveProductId = true;
        } else if (option == "--id") {
            if (!ParseNumber(value, 4294967295ull, &number)) return BadInput("camera ID must be 0..4294967295, not '" + value + "'");
            options->image.cameraId = static_cast<uint32_t>(number);
            options->haveId = true;
        } else if (option == "--type") {
            if (value.size() > 14) return BadInput("type text holds at most 14 characters");
            options->image.type = value;
            options->haveType = true;
        } else {
            return BadInput("unknown option '" + option + "'");
        }
    }
    if (!options->haveSensor) return BadInput("create needs --sensor ROW (1..16)");
    if (!options->haveClass) return BadInput("create needs --class ROW (1..6)");
    if (!options->haveProductId) options->image.productId = DefaultProductId(options->image.classRow);
    if (!options->haveId) options->image.cameraId = CameraIdForName(options->name);
    if (!options->haveType) options->image.type = "SIM-" + std::to_string(options->image.sensorRow);
    return 0;
}

sim::SimCamera* NamedCamera(const Arguments& args, const char* command, int* exitCode)
{
    if (args.size() != 1) {
        *exitCode = BadInput(std::string(command) + " needs exactly one camera name");
        return nullptr;
    }
    sim::SimCamera* camera = sim::Machine().FindCamera(args[0]);
    if (!camera) *exitCode = BadInput("no camera named '" + args[0] + "' on the bench");
    return camera;
}

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

}  // namespace

int BadInput(const std::string& message)
{
    std::fprintf(stderr, "camsim: %s\n", message.c_str());
    return 2;
}

int CreateCamera(const Arguments& args)
{
    CreateOptions options;
    if (int bad = ParseCreate(args, &options)) return bad;
    sim::SimMachine& machine = sim::Machine();
    if (machine.FindCamera(options.name)) return BadInput("a camera named '" + options.name + "' exists already");
    sim::SimCamera& camera = machine.AddCamera(options.name, options.image.classRow);
    BuildEeprom(options.image, camera.eeprom);
    // An installed driver has its Parameters key.
    std::string service = sim::DriverServiceForProduct(options.image.productId);
    if (!service.empty()) {
        std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters";
        HKEY parameters = nullptr;
        if (win::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                 &parameters, nullptr) == ERROR_SUCCESS)
            win::RegCloseKey(parameters);
    }
    machine.SaveCameraState(camera);
    std::printf("created %s: class %d, sensor row %d, %s, unplugged\n", options.name.c_str(), options.image.classRow,
                options.image.sensorRow, options.image.overscan ? "enabled" : "disabled");
    return 0;
}

int PlugCamera(const Arguments& args, bool plug)
{
    int exitCode = 0;
    sim::SimCamera* camera = NamedCamera(args, plug ? "plug" : "unplug", &exitCode);
    if (!camera) return exitCode;
    if (plug)
        sim::Machine().Plug(*camera);
    else
        sim::Machine().Unplug(*camera);
    std::printf("%s %s%s\n", camera->name.c_str(), plug ? "plugged" : "unplugged",
                plug ? (camera->writePermitted ? ", writes permitted" : ", writes refused") : "");
    return 0;
}

int ListCameras(const Arguments& args)
{
    if (!args.empty()) return BadInput("list takes no arguments");
    for (const auto& camera : sim::Machine().Cameras()) {
        DecodedImage d = DecodeEeprom(camera->eeprom, camera->classRow);
        std::printf("%-16s %-9s class %d  row %2d  %-8s  writes %-3s  transfers %u\n", camera->name.c_str(),
                    camera->plugged ? "plugged" : "unplugged", camera->classRow, d.sensorRow, d.mode,
                    camera->writePermitted ? "yes" : "no", camera->transfers);
    }
    return 0;
}

int ShowCamera(const Arguments& args)
{
    int exitCode = 0;
    sim::SimCamera* camera = NamedCamera(args, "show", &exitCode);
    if (!camera) return exitCode;
    DecodedImage d = DecodeEeprom(camera->eeprom, camera->classRow);
    std::printf("name: %s\n", camera->name.c_str());
    std::printf("state: %s\n", camera->plugged ? "plugged" : "unplugged");
    std::printf("class: %d (family %s)\n", camera->classRow, IsFamilyARow(camera->classRow) ? "A" : "B");
    std::printf("product id: %u\n", d.productId);
    std::printf("camera id: %u\n", d.cameraId);
    std::printf("type: %s\n", d.type.c_str());
    std::printf("visible: %u x %u\n", d.visibleWidth, d.visibleHeight);
    std::printf("geometry: total %u x %u, offset %u,%u, width after offset %u\n", d.totalWidth, d.totalHeight,
                d.xOffset, d.yOffset, d.widthAfterOffset);
    std::printf("sensor row: %d\n", d.sensorRow);
    std::printf("mode: %s\n", d.mode);
    std::printf("writes permitted: %s\n", YesNo(camera->plugged && camera->writePermitted));
    std::printf("interface: %s\n", camera->interfacePath.c_str());
    std::printf("transfers: %u\n", camera->transfers);
    return 0;
}

namespace {

std::string ValueText(DWORD type, const uint8_t* data, DWORD size, const char** typeName)
{
    char text[16];
    if (type == REG_DWORD && size == 4) {
        *typeName = "REG_DWORD";
        std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24));
        return text;
    }
    if (type == REG_SZ) {
        *typeName = "REG_SZ";
        return std::string(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    }
    *typeName = "REG_BINARY";
    std::string hex;
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(text, sizeof text, "%02X", data[i]);
        hex += text;
    }
    return hex;
}

}  // namespace

int QueryRegistry(const Arguments& args)
{
    if (args.size() != 2 || args[0] != "query") return BadInput("usage: reg query KEY");
    const std::string& path = args[1];
    HKEY root = nullptr;
    if (path.rfind("HKLM\\", 0) == 0) root = HKEY_LOCAL_MACHINE;
    if (path.rfind("HKCU\\", 0) == 0) root = HKEY_CURRENT_USER;
    if (!root) return BadInput("a key is written HKLM\\... or HKCU\\..., not '" + path + "'");
    HKEY key = nullptr;
    if (win::RegOpenKeyExA(root, path.c_str() + 5, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return BadInput("no such key: " + path);
    std::printf("%s\n", path.c_str());
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        uint8_t data[1024];
        DWORD size = sizeof data, type = 0;
        if (win::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        const char* typeName = "";
        std::string text = ValueText(type, data, size, &typeName);
        std::printf("    %s    %s    %s\n", name[0] ? name : "(Default)", typeName, text.c_str());
    }
    win::RegCloseKey(key);
    return 0;
}

int SetFault(const Arguments& args)
{
    if (args.size() < 2) return BadInput("usage: fault NAME KIND TRANSFER [STATUS] | fault NAME clear");
    sim::SimCamera* camera = sim::Machine().FindCamera(args[0]);
    if (!camera) return BadInput("no camera named '" + args[0] + "' on the bench");
    if (args[1] == "clear" && args.size() == 2) {
        camera->faults.clear();
        sim::Machine().SaveCameraState(*camera);
        return 0;
    }
    unsigned long long at = 0, status = 0;
    if (args.size() < 3 || !ParseNumber(args[2], 4294967295ull, &at) || at == 0)
        return BadInput("a fault needs the transfer number it hits (1 or more)");
    std::string line = "fault " + args[1] + " " + args[2];
    if (args[1] == "status") {
        if (args.size() != 4) return BadInput("a status fault needs the status byte");
        status = std::strtoull(args[3].c_str(), nullptr, 0);
        if (status > 255) return BadInput("a status is one byte");
        line += " " + std::to_string(status);
    } else if (args.size() != 3) {
        return BadInput("too many arguments for a fault");
    }
    sim::SimCamera parsed(camera->name, camera->classRow);
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02llx", status);
    std::string text = "class " + std::to_string(camera->classRow) + "\nfault " + args[1] + " " + args[2] + " " + hex + "\n";
    if (!sim::bench::ApplyStateText(text, parsed) || parsed.faults.empty())
        return BadInput("unknown fault kind '" + args[1] + "'");
    camera->faults.push_back(parsed.faults.back());
    sim::Machine().SaveCameraState(*camera);
    return 0;
}
