// The system information functions of the platform seam, forwarded to Windows.
#include "platform/win_api.h"

namespace win {

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    return ::GetVersionExA(info);
}

HMODULE LoadLibraryA(const char* name)
{
    return ::LoadLibraryA(name);
}

FARPROC GetProcAddress(HMODULE module, const char* name)
{
    return ::GetProcAddress(module, name);
}

BOOL FreeLibrary(HMODULE module)
{
    return ::FreeLibrary(module);
}

}  // namespace win

namespace win {

DWORD GetModuleFileNameA(HMODULE module, char* name, DWORD size)
{
    return ::GetModuleFileNameA(module, name, size);
}

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle)
{
    return ::GetFileVersionInfoSizeA(file, handle);
}

BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* block)
{
    return ::GetFileVersionInfoA(file, handle, size, block);
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length)
{
    return ::VerQueryValueA(block, subBlock, buffer, length);
}

}  // namespace win
