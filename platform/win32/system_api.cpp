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
