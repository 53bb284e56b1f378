// What the wizard's step 1 shows of each connected camera, and what the
// console program's status tells of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/cli/cli_wizard.h"
#include "overscan/written_fields.h"

struct CameraSeen {
    std::string path;
    bool read = false;  // false: "Not connected" (it could not be opened or read)
    bool busy = false;  // its interface is held by another program (a write of another copy)
    int classRow = 0;
    uint16_t productId = 0;
    std::string type;
    std::string id;
    int sensor = 0;
    std::string mode;    // "Enabled", "Disabled", "Cannot be configured", "Driver not installed"
    std::string backup;  // its file name, or "" for none
    bool original = false;
    // The frame as the camera holds it (visible and total size, offsets),
    // where its blocks were read.
    bool frameRead = false;
    WrittenFields frame = {};
    // The mode its unfinished update was writing, as the note names it;
    // "" without one.
    std::string unfinished;
};

// Reads the window's step-1 screen and record after its scan.
CameraSeen SeenByWizard(COrvelConfig* window, const std::string& path);
// Each connected camera, scanned by a window of its own; one whose
// interface another program holds is listed busy, with nothing read.
std::vector<CameraSeen> ScanConnected(CliWizard* wizard);
