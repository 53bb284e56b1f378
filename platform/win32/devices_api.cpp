// The device functions of the platform seam, forwarded to Windows.
#include "platform/win_api.h"

namespace win {

DWORD GetLastError()
{
    return ::GetLastError();
}

void SetLastError(DWORD code)
{
    ::SetLastError(code);
}

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags)
{
    return ::SetupDiGetClassDevsA(classGuid, enumerator, parent, flags);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, void* deviceInfo, const GUID* classGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData)
{
    return ::SetupDiEnumDeviceInterfaces(list, static_cast<SP_DEVINFO_DATA*>(deviceInfo), classGuid, index,
                                         interfaceData);
}

BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize,
                                      DWORD* requiredSize, void* deviceInfo)
{
    return ::SetupDiGetDeviceInterfaceDetailA(list, interfaceData, detail, detailSize, requiredSize,
                                              static_cast<SP_DEVINFO_DATA*>(deviceInfo));
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list)
{
    return ::SetupDiDestroyDeviceInfoList(list);
}

HANDLE CreateFileA(const char* path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD attributes, HANDLE templateFile)
{
    return ::CreateFileA(path, access, share, static_cast<SECURITY_ATTRIBUTES*>(security), disposition, attributes,
                         templateFile);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped)
{
    return ::ReadFile(file, buffer, toRead, read, static_cast<OVERLAPPED*>(overlapped));
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped)
{
    return ::WriteFile(file, buffer, toWrite, written, static_cast<OVERLAPPED*>(overlapped));
}

BOOL CloseHandle(HANDLE handle)
{
    return ::CloseHandle(handle);
}

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags)
{
    return ::RegisterDeviceNotificationA(recipient, filter, flags);
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY notification)
{
    return ::UnregisterDeviceNotification(notification);
}

}  // namespace win
