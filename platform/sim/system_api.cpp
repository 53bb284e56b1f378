// The system information functions of the platform seam over the simulated
// machine.
#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"


namespace {

// The one library the simulated machine offers, as a module handle.
HMODULE const advapiModule = reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x7FF10000));
uintptr_t nextServiceHandle = 0x5000;

SC_HANDLE WINAPI SimOpenSCManagerA(const char* /*machine*/, const char* /*database*/, DWORD access)
{
    sim::SimSystem& system = sim::Machine().system;
    ++system.scmOpens;
    system.lastScmAccess = access;
    if ((access & ~system.scmGrantedAccess) != 0) {
        win::SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    ++system.openServiceHandles;
    nextServiceHandle += 4;
    return reinterpret_cast<SC_HANDLE>(nextServiceHandle);
}

BOOL WINAPI SimCloseServiceHandle(SC_HANDLE handle)
{
    sim::SimSystem& system = sim::Machine().system;
    if (!handle || system.openServiceHandles == 0) return FALSE;
    --system.openServiceHandles;
    return TRUE;
}

bool SameText(const char* a, const char* b)
{
    return a && b && sim::SameName(a, b);
}

}  // namespace

namespace win {

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    const sim::SimSystem& system = sim::Machine().system;
    if (system.versionFails || !info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *info = system.version;
    info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    return TRUE;
}

WORD GetUserDefaultUILanguage()
{
    return sim::Machine().system.uiLanguage;
}

HMODULE LoadLibraryA(const char* name)
{
    sim::SimSystem& system = sim::Machine().system;
    system.lastLibraryName = name ? name : "";
    if (!SameText(name, "advapi32.dll") || system.advapiMissing) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    ++system.loadedLibraries;
    return advapiModule;
}

FARPROC GetProcAddress(HMODULE module, const char* name)
{
    const sim::SimSystem& system = sim::Machine().system;
    if (module != advapiModule || system.loadedLibraries == 0 || !name) return nullptr;
    if (std::strcmp(name, "OpenSCManagerA") == 0 && !system.openScManagerMissing)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&SimOpenSCManagerA));
    if (std::strcmp(name, "CloseServiceHandle") == 0 && !system.closeServiceHandleMissing)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&SimCloseServiceHandle));
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE module)
{
    sim::SimSystem& system = sim::Machine().system;
    if (module != advapiModule || system.loadedLibraries == 0) return FALSE;
    --system.loadedLibraries;
    return TRUE;
}

}  // namespace win
