// The simulated system information: the OS version record, the system
// library "advapi32.dll" with its service control manager, and counts of
// what is loaded and open so tests can see that nothing is left behind.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win_types.h"

namespace sim {

struct SimSystem {
    SimSystem();

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
