// The cameras' backups in the data folder's backups subfolder, one file a
// camera: PRODUCTID-CAMERAID.txt, and PRODUCTID-CAMERAID-2.txt, -3, ...
// for other cameras with the same two numbers. A backup is made once,
// before the camera's first write, and never changed.
//
// A file is this camera's backup only when the program made it, it parses,
// it is the same camera, and its numbers are possible for the camera's
// sensor. Any other file of those names is passed over: never offered,
// never overwritten, never deleted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "machine_data/camera_backup_text.h"

namespace camerabackup {

// The totals of the camera's sensor row, which a believable backup holds.
struct SensorTotals {
    uint32_t width = 0, height = 0;
};

// What a search saw: the backup's file name, and the files passed over.
struct Search {
    bool found = false;
    std::string name;
    std::vector<std::string> passedOver;  // "NAME: why"
};

// The numbers of a backup are possible for the sensor: its totals, a
// visible window above 0 that fits with its offsets, the width after the
// offset the total width less the x offset.
bool Plausible(const Blocks& backup, SensorTotals totals);

// The camera's backup, when there is one: *backup. False when the folder
// cannot be used or read.
bool Find(const Blocks& camera, SensorTotals totals, Blocks* backup, Search* search);

// Saves the blocks as the camera's backup unless it has one already
// (search->found, search->name). True when the camera has its backup
// afterwards, or the machine keeps nothing; false when it cannot be saved.
bool KeepOnce(const Blocks& camera, SensorTotals totals, const std::string& version, Search* search);

}  // namespace camerabackup
