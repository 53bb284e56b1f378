// The windowing functions of the platform seam, forwarded to Windows.
#include "platform/win_api.h"

namespace win {

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void* callback)
{
    return ::SetTimer(window, id, milliseconds, reinterpret_cast<TIMERPROC>(callback));
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    return ::KillTimer(window, id);
}

}  // namespace win

namespace win {

HANDLE LoadImageA(HMODULE instance, const char* name, UINT type, int width, int height, UINT flags)
{
    return ::LoadImageA(instance, name, type, width, height, flags);
}

int GetSystemMetrics(int index)
{
    return ::GetSystemMetrics(index);
}

BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data)
{
    return ::EnumDisplayMonitors(dc, clip, callback, data);
}

}  // namespace win
