// The simulated system information: the OS version record, the system
// library "advapi32.dll" with its service control manager, and counts of
// what is loaded and open so tests can see that nothing is left behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace sim {

// One value of a version record, by its query path
// ("\\VarFileInfo\\Translation", "\\StringFileInfo\\040904e4\\FileVersion").
struct VersionValue {
    std::string path;
    std::vector<uint8_t> data;  // texts carry their terminator
    bool text;
};

struct SimSystem {
    SimSystem();

    // The program's file and its version record; an empty record means the
    // file has none.
    std::string moduleFileName = "C:\\Program Files\\Vellmark\\vellmark.exe";
    std::vector<VersionValue> versionRecord;
    void UseProgramVersionRecord();
    void SetVersionText(const std::string& path, const std::string& value);
    bool RemoveVersionValue(const std::string& path);

    // The monitors in the order they are enumerated, the primary one first;
    // the virtual screen is the box around them all.
    std::vector<RECT> monitors = {RECT{0, 0, 1920, 1080}};
    // The title bar's height and the frame above it, as at 96 dpi.
    int captionHeight = 23;
    int frameHeight = 3;
    int iconLoads = 0;

    // The user's UI language id; 0 for none, as on a machine without
    // Windows, where the locale variables speak for the user.
    WORD uiLanguage = 0;

    OSVERSIONINFOA version;
    bool versionFails = false;

    bool advapiMissing = false;
    bool openScManagerMissing = false;
    bool closeServiceHandleMissing = false;
    // Access rights the service control manager grants; an administrator
    // gets all generic rights.
    DWORD scmGrantedAccess = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE;

    int loadedLibraries = 0;
    int openServiceHandles = 0;
    int scmOpens = 0;
    DWORD lastScmAccess = 0;
    std::string lastLibraryName;
};

}  // namespace sim
