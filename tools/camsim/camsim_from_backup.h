// camsim create NAME --from BACKUP: a bench camera made from a camera's
// backup file, so that support can run the wizard on a user's camera.
#pragma once

#include "tools/camsim/camsim_commands.h"

// Whether the create command's options name a backup file.
bool NamesBackup(const Arguments& args);
// create NAME --from FILE [--class ROW] [--product-id N] [--id N] [--type TEXT]:
// the EEPROM holds the backup's three blocks at their addresses and zeros
// elsewhere; the class is the backup's unless --class gives another of the
// same family; the other options put their field over the backup's.
int CreateCameraFromBackup(const Arguments& args);
