#include "overscan/administrator_probe.h"

#include "platform/win_api.h"
#include "toolkit/memory.h"

namespace {

constexpr DWORD allGenericRights = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE;

template <typename Function>
Function FindFunction(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(win::GetProcAddress(library, name)));
}

// The library is loaded at run time, so the program does not depend on it.
bool ServiceManagerGrantsAll(HMODULE advapi)
{
    auto openManager = FindFunction<OpenSCManagerAFunction>(advapi, "OpenSCManagerA");
    auto closeHandle = FindFunction<CloseServiceHandleFunction>(advapi, "CloseServiceHandle");
    if (!openManager || !closeHandle) return false;
    SC_HANDLE manager = openManager(nullptr, nullptr, allGenericRights);
    if (!manager) return false;
    closeHandle(manager);
    return true;
}

}  // namespace

bool IsAdministrator()
{
    OSVERSIONINFOA version;
    Fill(&version, sizeof version, 0);
    version.dwOSVersionInfoSize = sizeof version;
    if (win::GetVersionExA(&version) != 1) return false;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return true;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT) return false;
    HMODULE advapi = win::LoadLibraryA("advapi32.dll");
    if (!advapi) return false;
    bool granted = ServiceManagerGrantsAll(advapi);
    win::FreeLibrary(advapi);
    return granted;
}
