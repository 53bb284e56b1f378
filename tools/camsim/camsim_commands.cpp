#include "tools/camsim/camsim_commands.h"

#include <cstdio>

#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "tools/camsim/camera_image.h"
#include "tools/camsim/camsim_from_backup.h"
#include "tools/camsim/camsim_numbers.h"
#include "tools/camsim/camsim_output.h"

namespace {

struct CreateOptions {
    std::string name;
    CameraImage image;
    bool haveSensor = false, haveClass = false, haveProductId = false, haveId = false, haveType = false;
};

// One option of create; 0, or the exit code of bad input.
int ParseOption(const std::string& option, const std::string& value, CreateOptions* options)
{
    uint64_t number = 0;
    if (option == "--sensor") {
        if (!ParseNumber(value, 1, 16, &number)) return BadInput("sensor row must be 1..16, not '" + value + "'");
        options->image.sensorRow = static_cast<int>(number);
        options->haveSensor = true;
    } else if (option == "--class") {
        if (!ParseNumber(value, 1, 6, &number)) return BadInput("class row must be 1..6, not '" + value + "'");
        options->image.classRow = static_cast<int>(number);
        options->haveClass = true;
    } else if (option == "--mode") {
        if (value != "disabled" && value != "enabled")
            return BadInput("mode must be disabled or enabled, not '" + value + "'");
        options->image.overscan = value == "enabled";
    } else if (option == "--product-id") {
        if (!ParseNumber(value, 0, 65535, &number)) return BadInput("product id must be 0..65535, not '" + value + "'");
        options->image.productId = static_cast<uint16_t>(number);
        options->haveProductId = true;
    } else if (option == "--id") {
        if (!ParseNumber(value, 0, 4294967295u, &number))
            return BadInput("camera ID must be 0..4294967295, not '" + value + "'");
        options->image.cameraId = static_cast<uint32_t>(number);
        options->haveId = true;
    } else if (option == "--type") {
        if (value.size() > 14) return BadInput("type text holds at most 14 characters");
        options->image.type = value;
        options->haveType = true;
    } else {
        return BadInput("unknown option '" + option + "'");
    }
    return 0;
}

}  // namespace

int ParseNameAndOptions(const Arguments& args, std::string* name,
                        const std::function<int(const std::string&, const std::string&)>& parseOption)
{
    if (args.empty()) return BadInput("create needs a camera name");
    *name = args[0];
    if (!sim::IsValidCameraName(*name)) return BadInput("invalid camera name '" + *name + "': a name is " + sim::cameraNameRule);
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return BadInput("option " + args[i] + " needs a value");
        if (int bad = parseOption(args[i], args[i + 1])) return bad;
    }
    return 0;
}

namespace {

int ParseCreate(const Arguments& args, CreateOptions* options)
{
    auto option = [options](const std::string& name, const std::string& value) {
        return ParseOption(name, value, options);
    };
    if (int bad = ParseNameAndOptions(args, &options->name, option)) return bad;
    if (!options->haveSensor) return BadInput("create needs --sensor ROW (1..16)");
    if (!options->haveClass) return BadInput("create needs --class ROW (1..6)");
    if (!options->haveProductId) options->image.productId = DefaultProductId(options->image.classRow);
    if (!options->haveId) options->image.cameraId = CameraIdForName(options->name);
    if (!options->haveType) options->image.type = "SIM-" + std::to_string(options->image.sensorRow);
    return 0;
}

}  // namespace

// An installed driver has its Parameters key.
bool MakeDriverKey(uint16_t productId)
{
    std::string service = sim::DriverServiceForProduct(productId);
    if (service.empty()) return true;
    std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters";
    HKEY parameters = nullptr;
    LONG status = win::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                       &parameters, nullptr);
    if (status == ERROR_SUCCESS) {
        win::RegCloseKey(parameters);
        return true;
    }
    std::string reason = sim::Machine().BenchError();
    if (reason.empty()) reason = "error " + std::to_string(status);
    Failed("cannot create the key HKLM\\" + key + ": " + reason);
    return false;
}

int BadInput(const std::string& message)
{
    SayError(message);
    return 2;
}

int Failed(const std::string& message)
{
    SayError(message);
    return 1;
}

sim::SimCamera* NamedCamera(const std::string& name, int* exitCode)
{
    sim::SimCamera* camera = sim::Machine().FindCamera(name);
    if (!camera) {
        *exitCode = BadInput("no camera named '" + name + "' on the bench");
        return nullptr;
    }
    if (!camera->damage.empty()) {
        *exitCode = Failed("camera '" + name + "' is damaged: " + camera->damage);
        return nullptr;
    }
    return camera;
}

int CreateCamera(const Arguments& args)
{
    if (NamesBackup(args)) return CreateCameraFromBackup(args);
    CreateOptions options;
    if (int bad = ParseCreate(args, &options)) return bad;
    sim::SimMachine& machine = sim::Machine();
    for (const auto& camera : machine.Cameras())
        if (sim::SameName(camera->name, options.name))
            return BadInput("a camera named '" + camera->name + "' exists already");
    if (!MakeDriverKey(options.image.productId)) return 1;
    sim::SimCamera& camera = machine.AddCamera(options.name, options.image.classRow);
    BuildEeprom(options.image, camera.eeprom);
    if (!machine.SaveNewCamera(camera)) return Failed(machine.BenchError());
    Say("created %s: class %d, sensor row %d, %s, unplugged\n", options.name.c_str(), options.image.classRow,
                options.image.sensorRow, options.image.overscan ? "enabled" : "disabled");
    return 0;
}

int PlugCamera(const Arguments& args, bool plug)
{
    if (args.size() != 1) return BadInput(std::string(plug ? "plug" : "unplug") + " needs exactly one camera name");
    int exitCode = 0;
    sim::SimCamera* camera = NamedCamera(args[0], &exitCode);
    if (!camera) return exitCode;
    bool saved = plug ? sim::Machine().Plug(*camera) : sim::Machine().Unplug(*camera);
    if (!saved) return Failed(sim::Machine().BenchError());
    Say("%s %s%s\n", camera->name.c_str(), plug ? "plugged" : "unplugged",
                plug ? (camera->writePermitted ? ", writes permitted" : ", writes refused") : "");
    return 0;
}
