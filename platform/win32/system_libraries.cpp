#include "platform/system_libraries.h"

#include "platform/win32/system_library.h"

#include <cstring>

namespace programsecurity {

// Looked up at run time: Vista and Windows 7 have the function only with
// update 2533623, and the import table must not name it.
void LoadLibrariesFromSystemOnly()
{
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto set = kernel ? reinterpret_cast<SetDirectories>(
                            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                      : nullptr;
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// By its full path, which every supported Windows takes; the libraries it
// needs in turn are looked for beside it, in System32, first.
HMODULE LoadSystemLibrary(const char* name)
{
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) >= MAX_PATH) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return nullptr;
    }
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace programsecurity
