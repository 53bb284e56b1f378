#include "app/cli/cli_scan.h"

#include "camera/device_interface.h"
#include "camera/interface_list.h"
#include "machine_data/camera_backup_text.h"
#include "machine_data/update_note.h"
#include "overscan/camera_record.h"
#include "platform/win_api.h"
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

namespace {

// Whether the interface cannot be opened because another program holds it.
bool HeldByAnother(const std::string& path)
{
    HANDLE handle = OpenDevicePath(path.c_str());
    if (handle != INVALID_HANDLE_VALUE) {
        win::CloseHandle(handle);
        return false;
    }
    return win::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

std::vector<CameraSeen> ScanConnected(CliWizard* wizard)
{
    std::vector<CameraSeen> cameras;
    for (const std::string& path : ConnectedInterfaces()) {
        COrvelConfig* window = wizard->Start(path);
        CameraSeen seen = SeenByWizard(window, path);
        wizard->Close();
        seen.busy = !seen.read && HeldByAnother(path);
        if (seen.busy) seen.mode = "busy";
        if (seen.read || seen.busy) cameras.push_back(seen);
    }
    return cameras;
}
