// The cameras' backups in the data folder's backups subfolder, one file a
// camera: PRODUCTID-CAMERAID.txt, and PRODUCTID-CAMERAID-2.txt, -3, ...
// for other cameras with the same two numbers. A backup is made once,
// before the camera's first write, and never changed.
#pragma once

#include <string>

#include "machine_data/camera_backup_text.h"

namespace camerabackup {

// The backup of the same camera (SameCamera), when there is one: *found.
// False when the folder cannot be read.
bool Find(const Blocks& camera, Blocks* backup, bool* found);

// Saves the blocks as the camera's backup unless it has one already.
// True when the camera has its backup afterwards, or the machine keeps
// nothing; false when it cannot be saved.
bool KeepOnce(const Blocks& camera, const std::string& version);

}  // namespace camerabackup
