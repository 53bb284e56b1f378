#include "app/cli/cli_scan.h"

#include "camera/interface_list.h"
#include "machine_data/camera_backup_text.h"
#include "machine_data/update_note.h"
#include "overscan/camera_record.h"
#include "wizard/camera_info_pane.h"

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
    seen.backup = window->BackupFileName();
    window->FindOriginal();
    seen.original = window->originalOffered;
    // The blocks kept from the scan: the frame the camera holds, and its
    // key in the note of unfinished updates.
    const uint8_t* descriptor = IsFamilyA(window->familyFlags) ? window->descriptorBlockA : window->descriptorBlockB;
    seen.frameRead = true;
    seen.frame = FieldsOfBlocks(window->familyFlags, descriptor, window->geometryBlock);
    bool noted = false;
    if (!updatenote::Find(seen.productId, GetU32(descriptor, cameraIdOffset), &seen.unfinished, &noted) || !noted)
        seen.unfinished.clear();
    return seen;
}

std::vector<CameraSeen> ScanConnected(CliWizard* wizard)
{
    std::vector<CameraSeen> cameras;
    for (const std::string& path : ConnectedInterfaces()) {
        COrvelConfig* window = wizard->Start(path);
        CameraSeen seen = SeenByWizard(window, path);
        wizard->Close();
        if (seen.read) cameras.push_back(seen);
    }
    return cameras;
}
