// The Windows API subset the system calls, and nothing more.
//
// The system never includes <windows.h> itself: it calls these functions in
// namespace win, with the real API's names and arguments. Each area
// (devices, registry, system information) has two implementations chosen at
// link time: platform/win32 forwards to the real API, platform/sim serves a
// simulated machine with simulated cameras.
#pragma once

#include "platform/win_types.h"

namespace win {

// Devices: interface lists, device and pipe files, notifications, and the
// thread's last-error code that the interface list reports through.
DWORD GetLastError();
void SetLastError(DWORD code);
HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* enumerator, HWND parent, DWORD flags);
BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, void* deviceInfo, const GUID* classGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* interfaceData);
BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* interfaceData,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize,
                                      DWORD* requiredSize, void* deviceInfo);
BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list);

HANDLE CreateFileA(const char* path, DWORD access, DWORD share, void* security, DWORD disposition,
                   DWORD attributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped);
BOOL CloseHandle(HANDLE handle);

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags);
BOOL UnregisterDeviceNotification(HDEVNOTIFY notification);

// Registry.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
                     REGSAM access, void* security, HKEY* result, DWORD* disposition);
LONG RegCloseKey(HKEY key);
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
LONG RegDeleteValueA(HKEY key, const char* name);
LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved, DWORD* type, BYTE* data,
                   DWORD* dataSize);

// System information: the OS version record, and libraries loaded at run
// time, on Windows from System32 alone. OpenSCManagerA and CloseServiceHandle are reached only through
// GetProcAddress on "advapi32.dll", so they have no entry here.
BOOL GetVersionExA(OSVERSIONINFOA* info);
// The user's UI language id (LANGID): the language the program speaks when
// the user asks for none.
WORD GetUserDefaultUILanguage();
HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);

// The program's own file and its version record (on Windows through
// System32's version.dll, loaded at the first call).
DWORD GetModuleFileNameA(HMODULE module, char* name, DWORD size);
DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle);
BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* block);
BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length);

// Windowing: the window timers, icons from resources, system metrics (the
// virtual screen of all monitors, the title bar's height), and the monitors
// one by one: the callback gets each one's rectangle in screen coordinates.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void* callback);
BOOL KillTimer(HWND window, UINT_PTR id);
HANDLE LoadImageA(HMODULE instance, const char* name, UINT type, int width, int height, UINT flags);
int GetSystemMetrics(int index);
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data);

}  // namespace win

// The service control manager functions as GetProcAddress hands them out.
typedef SC_HANDLE(WINAPI* OpenSCManagerAFunction)(const char* machine, const char* database, DWORD access);
typedef BOOL(WINAPI* CloseServiceHandleFunction)(SC_HANDLE handle);
