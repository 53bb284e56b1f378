// Takes the address of every function of the platform seam; linking this
// program proves that each one is defined with the declared signature.
#include <cstdio>

#include "platform/win_api.h"

int main()
{
    const void* functions[] = {
        reinterpret_cast<const void*>(&win::GetLastError),
        reinterpret_cast<const void*>(&win::SetLastError),
        reinterpret_cast<const void*>(&win::SetupDiGetClassDevsA),
        reinterpret_cast<const void*>(&win::SetupDiEnumDeviceInterfaces),
        reinterpret_cast<const void*>(&win::SetupDiGetDeviceInterfaceDetailA),
        reinterpret_cast<const void*>(&win::SetupDiDestroyDeviceInfoList),
        reinterpret_cast<const void*>(&win::CreateFileA),
        reinterpret_cast<const void*>(&win::ReadFile),
        reinterpret_cast<const void*>(&win::WriteFile),
        reinterpret_cast<const void*>(&win::CloseHandle),
        reinterpret_cast<const void*>(&win::RegisterDeviceNotificationA),
        reinterpret_cast<const void*>(&win::UnregisterDeviceNotification),
        reinterpret_cast<const void*>(&win::RegOpenKeyExA),
        reinterpret_cast<const void*>(&win::RegCreateKeyExA),
        reinterpret_cast<const void*>(&win::RegCloseKey),
        reinterpret_cast<const void*>(&win::RegQueryValueExA),
        reinterpret_cast<const void*>(&win::RegSetValueExA),
        reinterpret_cast<const void*>(&win::RegDeleteValueA),
        reinterpret_cast<const void*>(&win::RegEnumValueA),
        reinterpret_cast<const void*>(&win::GetModuleFileNameA),
        reinterpret_cast<const void*>(&win::GetFileVersionInfoSizeA),
        reinterpret_cast<const void*>(&win::GetFileVersionInfoA),
        reinterpret_cast<const void*>(&win::VerQueryValueA),
        reinterpret_cast<const void*>(&win::LoadImageA),
        reinterpret_cast<const void*>(&win::GetSystemMetrics),
        reinterpret_cast<const void*>(&win::EnumDisplayMonitors),
        reinterpret_cast<const void*>(&win::GetVersionExA),
        reinterpret_cast<const void*>(&win::LoadLibraryA),
        reinterpret_cast<const void*>(&win::GetProcAddress),
        reinterpret_cast<const void*>(&win::FreeLibrary),
        reinterpret_cast<const void*>(&win::SetTimer),
        reinterpret_cast<const void*>(&win::KillTimer),
    };
    int missing = 0;
    for (const void* function : functions)
        if (!function) ++missing;
    std::printf("%d platform functions, %d missing\n", static_cast<int>(sizeof functions / sizeof *functions), missing);
    return missing;
}
