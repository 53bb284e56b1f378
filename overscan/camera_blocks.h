// A camera's three blocks as the backups hold them, for comparing cameras.
#pragma once

#include <cstdint>

#include "machine_data/camera_backup_text.h"

camerabackup::Blocks BlocksOf(uint32_t familyFlags, const uint8_t* header, const uint8_t* descriptor,
                              const uint8_t* geometry);
