#include "app/cli/cli_scan.h"

#include "app/cli/cli_cameras.h"
#include "machine_data/camera_backup_text.h"
#include "machine_data/data_subfolder.h"
#include "overscan/camera_record.h"
#include "platform/data_files.h"
#include "toolkit/memory.h"
#include "wizard/camera_info_pane.h"

namespace {

constexpr size_t backupSizeLimit = 16 * 1024;

camerabackup::Blocks KeptBlocks(COrvelConfig* window)
{
    camerabackup::Blocks blocks;
    blocks.classRow = camerabackup::ClassRowOf(window->familyFlags);
    const uint8_t* descriptor = IsFamilyA(window->familyFlags) ? window->descriptorBlockA : window->descriptorBlockB;
    Move(window->headerBlock, blocks.header, headerLength);
    Move(descriptor, blocks.descriptor, DescriptorLength(window->familyFlags));
    Move(window->geometryBlock, blocks.geometry, geometryLength);
    return blocks;
}

}  // namespace

// The backups are named for the camera's product id and camera ID; of the
// files of those numbers, the one that holds this camera.
std::string BackupFileName(COrvelConfig* window)
{
    std::string folder;
    std::vector<std::string> names;
    if (!machinedata::DataSubfolder(datafiles::Subfolder::backups, &folder) || folder.empty() ||
        !datafiles::ListFiles(folder, &names))
        return "";
    const camerabackup::Blocks camera = KeptBlocks(window);
    const std::string prefix =
        std::to_string(camerabackup::ProductId(camera)) + "-" + std::to_string(camerabackup::CameraId(camera));
    for (const std::string& name : names) {
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string text, problem;
        camerabackup::Blocks backup;
        if (datafiles::ReadFile(datafiles::Join(folder, name), backupSizeLimit, &text) != datafiles::ReadResult::read)
            continue;
        if (camerabackup::Parse(text, &backup, &problem) && camerabackup::SameCamera(backup, camera)) return name;
    }
    return "";
}

CameraSeen SeenByWizard(COrvelConfig* window, const std::string& path)
{
    CameraSeen seen;
    seen.path = path;
    CCameraInfoPane* pane = window->infoPane;
    if (!pane || !(window->familyFlags & connectedFlag) || pane->overscanValue[0] == 0) return seen;
    seen.read = true;
    seen.classRow = camerabackup::ClassRowOf(window->familyFlags);
    seen.productId = GetU16(window->headerBlock, productIdOffset);
    seen.type = pane->typeValue;
    seen.id = pane->idValue;
    seen.sensor = static_cast<int>(window->sensorIndex);
    seen.mode = pane->overscanValue;
    seen.backup = BackupFileName(window);
    window->FindOriginal();
    seen.original = window->originalOffered;
    return seen;
}

std::vector<CameraSeen> ScanConnected(CliWizard* wizard)
{
    std::vector<CameraSeen> cameras;
    const std::vector<std::string> connected = ConnectedInterfaces();
    for (const std::string& path : connected) {
        COrvelConfig* window = wizard->Start(path, connected);
        CameraSeen seen = SeenByWizard(window, path);
        wizard->Close();
        if (seen.read) cameras.push_back(seen);
    }
    return cameras;
}
