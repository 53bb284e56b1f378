// The system information functions of the platform seam, forwarded to Windows.
#include "platform/win_api.h"
#include "platform/win32/system_library.h"

namespace win {

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    return ::GetVersionExA(info);
}

WORD GetUserDefaultUILanguage()
{
    return ::GetUserDefaultUILanguage();
}

// The libraries the system loads are Windows' own: from System32 alone.
HMODULE LoadLibraryA(const char* name)
{
    return programsecurity::LoadSystemLibrary(name);
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

namespace {

// version.dll is not one of Windows' KnownDLLs, so it is not imported: it
// is loaded from System32 at the first call and kept.
HMODULE VersionLibrary()
{
    static HMODULE version = programsecurity::LoadSystemLibrary("version.dll");
    return version;
}

// Null where the library cannot be loaded; the version is then unknown.
template <typename Function>
Function VersionFunction(const char* name)
{
    HMODULE version = VersionLibrary();
    return version ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(version, name))) : nullptr;
}

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, char* name, DWORD size)
{
    return ::GetModuleFileNameA(module, name, size);
}

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle)
{
    auto sizeOf = VersionFunction<decltype(&::GetFileVersionInfoSizeA)>("GetFileVersionInfoSizeA");
    return sizeOf ? sizeOf(file, handle) : 0;
}

BOOL GetFileVersionInfoA(const char* file, DWORD handle, DWORD size, void* block)
{
    auto read = VersionFunction<decltype(&::GetFileVersionInfoA)>("GetFileVersionInfoA");
    return read ? read(file, handle, size, block) : FALSE;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length)
{
    auto query = VersionFunction<decltype(&::VerQueryValueA)>("VerQueryValueA");
    return query ? query(block, subBlock, buffer, length) : FALSE;
}

}  // namespace win
