// The registry functions of the platform seam, forwarded to Windows.
#include "platform/win_api.h"

namespace win {

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result)
{
    return ::RegOpenKeyExA(key, subKey, options, access, result);
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
                     REGSAM access, void* security, HKEY* result, DWORD* disposition)
{
    return ::RegCreateKeyExA(key, subKey, reserved, keyClass, options, access,
                             static_cast<SECURITY_ATTRIBUTES*>(security), result, disposition);
}

LONG RegCloseKey(HKEY key)
{
    return ::RegCloseKey(key);
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size)
{
    return ::RegQueryValueExA(key, name, reserved, type, data, size);
}

LONG RegSetValueExA(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    return ::RegSetValueExA(key, name, reserved, type, data, size);
}

LONG RegDeleteValueA(HKEY key, const char* name)
{
    return ::RegDeleteValueA(key, name);
}

LONG RegEnumValueA(HKEY key, DWORD index, char* name, DWORD* nameLength, DWORD* reserved, DWORD* type, BYTE* data,
                   DWORD* dataSize)
{
    return ::RegEnumValueA(key, index, name, nameLength, reserved, type, data, dataSize);
}

}  // namespace win
