// The note of an update begun and not finished, as the wizard keeps it: saved
// before the first write, taken off once both blocks are verified, looked up
// at every step-1 scan, and its mode preselected at step 4.
#include <algorithm>

#include "app/orvel_config.h"
#include "machine_data/run_record.h"
#include "machine_data/update_note.h"
#include "toolkit/combo_box.h"

namespace {

uint64_t CameraKey(uint16_t productId, uint32_t cameraId)
{
    return static_cast<uint64_t>(productId) << 32 | cameraId;
}

}  // namespace

std::string unsavedNote;

uint32_t COrvelConfig::KeptCameraId()
{
    return GetU32(KeptDescriptor(), cameraIdOffset);
}

// The mode is the chooser's item being written; no chooser or no selection
// writes the normal geometry.
bool COrvelConfig::NoteUpdateBegun()
{
    const int position = modeCombo ? modeCombo->SelectedPosition() : 0;
    const char* mode = position >= 1 && position <= modeCombo->ItemCount() ? modeCombo->ItemText(position)
                                                                           : "Disabled";
    const uint16_t productId = GetU16(headerBlock, productIdOffset);
    const uint32_t cameraId = KeptCameraId();
    // This run knows of the update: its own failure is told by its own box.
    const uint64_t key = CameraKey(productId, cameraId);
    if (std::find(unfinishedKnown.begin(), unfinishedKnown.end(), key) == unfinishedKnown.end())
        unfinishedKnown.push_back(key);
    // A note that cannot be read as the program's is replaced, and told;
    // one that cannot be replaced is the cause that nothing is written.
    const bool saved = updatenote::Mend() && updatenote::Begin(productId, cameraId, mode);
    unsavedNote = saved ? std::string() : updatenote::Path();
    return runrecord::UpdateNote("saved", productId, cameraId, saved);
}

void COrvelConfig::NoteUpdateEnded()
{
    const uint16_t productId = GetU16(headerBlock, productIdOffset);
    const uint32_t cameraId = KeptCameraId();
    runrecord::UpdateNote("taken off", productId, cameraId, updatenote::End(productId, cameraId));
    unfinishedMode.clear();
}

// The chooser's first selection: the mode of an unfinished update when the
// chooser offers it, else the one the scan found.
int COrvelConfig::PreselectedPosition() const
{
    for (int position = 1; modeCombo && !unfinishedMode.empty() && position <= modeCombo->ItemCount(); ++position)
        if (unfinishedMode == modeCombo->ItemText(position)) return position;
    return overscanEnabled ? enabledPosition : disabledPosition;
}

// At a step-1 scan: the kept camera's note, if it has one. True when this
// run has not told of it yet; it is then known as told.
bool COrvelConfig::UnfinishedUpdateToTell()
{
    const uint16_t productId = GetU16(headerBlock, productIdOffset);
    const uint32_t cameraId = KeptCameraId();
    bool found = false;
    unfinishedMode.clear();
    if (!updatenote::Find(productId, cameraId, &unfinishedMode, &found) || !found) {
        unfinishedMode.clear();
        return false;
    }
    const uint64_t key = CameraKey(productId, cameraId);
    if (std::find(unfinishedKnown.begin(), unfinishedKnown.end(), key) != unfinishedKnown.end()) return false;
    unfinishedKnown.push_back(key);
    runrecord::UpdateNote("found", productId, cameraId, true);
    return true;
}
