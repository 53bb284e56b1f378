#include "tools/camsim/camsim_from_backup.h"

#include <cstdio>
#include <cstring>

#include "machine_data/camera_backup_text.h"
#include "overscan/camera_record.h"
#include "platform/data_files.h"
#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#include "tools/camsim/camera_image.h"
#include "tools/camsim/camsim_numbers.h"

namespace {

constexpr size_t backupSizeLimit = 64 * 1024;

struct FromOptions {
    std::string name, file;
    int classRow = 0;
    bool haveProductId = false, haveId = false, haveType = false;
    uint16_t productId = 0;
    uint32_t cameraId = 0;
    std::string type;
};

int ParseFromOption(const std::string& option, const std::string& value, FromOptions* options)
{
    uint64_t number = 0;
    if (option == "--from") {
        options->file = value;
    } else if (option == "--class") {
        if (!ParseNumber(value, 1, 6, &number)) return BadInput("class row must be 1..6, not '" + value + "'");
        options->classRow = static_cast<int>(number);
    } else if (option == "--product-id") {
        if (!ParseNumber(value, 0, 65535, &number)) return BadInput("product id must be 0..65535, not '" + value + "'");
        options->productId = static_cast<uint16_t>(number);
        options->haveProductId = true;
    } else if (option == "--id") {
        if (!ParseNumber(value, 0, 4294967295u, &number))
            return BadInput("camera ID must be 0..4294967295, not '" + value + "'");
        options->cameraId = static_cast<uint32_t>(number);
        options->haveId = true;
    } else if (option == "--type") {
        if (value.size() > cameraTypeLength) return BadInput("type text holds at most 14 characters");
        options->type = value;
        options->haveType = true;
    } else if (option == "--sensor" || option == "--mode") {
        return BadInput(option + " cannot go with --from: the geometry is the backup's");
    } else {
        return BadInput("unknown option '" + option + "'");
    }
    return 0;
}

int ParseFrom(const Arguments& args, FromOptions* options)
{
    auto option = [options](const std::string& name, const std::string& value) {
        return ParseFromOption(name, value, options);
    };
    return ParseNameAndOptions(args, &options->name, option);
}

int ReadBackup(const FromOptions& options, camerabackup::Blocks* blocks)
{
    std::string text, problem;
    switch (datafiles::ReadFile(options.file, backupSizeLimit, &text)) {
    case datafiles::ReadResult::missing: return BadInput("no backup file '" + options.file + "'");
    case datafiles::ReadResult::planted:
    case datafiles::ReadResult::failed: return BadInput("cannot read the backup file '" + options.file + "'");
    case datafiles::ReadResult::read: break;
    }
    if (!camerabackup::Parse(text, blocks, &problem))
        return BadInput("'" + options.file + "' is not a camera backup: " + problem);
    // The blocks lie where the backup's family has them.
    if (options.classRow && IsFamilyARow(options.classRow) != IsFamilyARow(blocks->classRow))
        return BadInput("class row " + std::to_string(options.classRow) + " is of the other family than the backup's " +
                        std::to_string(blocks->classRow));
    if (options.classRow) blocks->classRow = options.classRow;
    return 0;
}

void BuildFromBackup(const camerabackup::Blocks& blocks, const FromOptions& options, uint8_t* eeprom)
{
    const uint32_t flags = camerabackup::ClassMask(blocks.classRow);
    std::memset(eeprom, 0, 256);
    std::memcpy(eeprom + headerAddress, blocks.header, headerLength);
    std::memcpy(eeprom + descriptorAddress, blocks.descriptor, DescriptorLength(flags));
    std::memcpy(eeprom + GeometryAddress(flags), blocks.geometry, geometryLength);
    if (options.haveProductId) PutU16(eeprom + headerAddress, productIdOffset, options.productId);
    uint8_t* descriptor = eeprom + descriptorAddress;
    if (options.haveId)
        for (int i = 0; i < 4; ++i) descriptor[cameraIdOffset + i] = static_cast<uint8_t>(options.cameraId >> (8 * i));
    if (options.haveType) {
        std::memset(descriptor + CameraTypeOffset(flags), 0, cameraTypeLength);
        std::memcpy(descriptor + CameraTypeOffset(flags), options.type.data(), options.type.size());
    }
}

}  // namespace

bool NamesBackup(const Arguments& args)
{
    for (size_t i = 1; i < args.size(); i += 2)
        if (args[i] == "--from") return true;
    return false;
}

int CreateCameraFromBackup(const Arguments& args)
{
    FromOptions options;
    camerabackup::Blocks blocks;
    if (int bad = ParseFrom(args, &options)) return bad;
    if (int bad = ReadBackup(options, &blocks)) return bad;
    sim::SimMachine& machine = sim::Machine();
    for (const auto& camera : machine.Cameras())
        if (sim::SameName(camera->name, options.name))
            return BadInput("a camera named '" + camera->name + "' exists already");
    uint8_t eeprom[256];
    BuildFromBackup(blocks, options, eeprom);
    const uint16_t productId = GetU16(eeprom, productIdOffset);
    if (!MakeDriverKey(productId)) return 1;
    sim::SimCamera& camera = machine.AddCamera(options.name, blocks.classRow);
    std::memcpy(camera.eeprom, eeprom, sizeof eeprom);
    if (!machine.SaveNewCamera(camera)) return Failed(machine.BenchError());
    std::printf("created %s from %s: class %d, product id %u, camera ID %u, unplugged\n", options.name.c_str(),
                options.file.c_str(), blocks.classRow, productId, GetU32(eeprom + descriptorAddress, cameraIdOffset));
    return 0;
}
