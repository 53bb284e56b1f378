#include "toolkit/win32/dpi_scaling.h"

#include <map>
#include <utility>

namespace win32_backend {

namespace {

typedef UINT(WINAPI* DpiForWindowFunction)(HWND);
typedef UINT(WINAPI* DpiForSystemFunction)();
typedef BOOL(WINAPI* AdjustForDpiFunction)(LPRECT, DWORD, BOOL, DWORD, UINT);

// A function of user32 that older Windows lack, or null.
template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

std::map<HWND, UINT>& Dpis()
{
    static std::map<HWND, UINT> dpis;
    return dpis;
}

int IconWidth(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

}  // namespace

int Scale(int value, UINT dpi)
{
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(layoutDpi));
}

int ScaleFontHeight(int height, UINT dpi)
{
    return height * static_cast<int>(dpi) / static_cast<int>(layoutDpi);
}

RECT ScaleRect(const CRect& rect, UINT dpi)
{
    return RECT{Scale(rect.x, dpi), Scale(rect.y, dpi), Scale(rect.x + rect.width, dpi),
                Scale(rect.y + rect.height, dpi)};
}

UINT SystemDpi()
{
    static const auto dpiForSystem = User32Function<DpiForSystemFunction>("GetDpiForSystem");
    if (dpiForSystem) return dpiForSystem();
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : layoutDpi;
}

UINT WindowDpi(HWND window)
{
    auto it = Dpis().find(window);
    return it == Dpis().end() ? layoutDpi : it->second;
}

UINT NoteNewWindow(HWND window)
{
    static const auto dpiForWindow = User32Function<DpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = dpiForWindow ? dpiForWindow(window) : 0;
    NoteDpi(window, dpi ? dpi : SystemDpi());
    return WindowDpi(window);
}

void NoteDpi(HWND window, UINT dpi)
{
    Dpis()[window] = dpi;
}

void ForgetDpi(HWND window)
{
    Dpis().erase(window);
}

SIZE OuterSize(int innerWidth, int innerHeight, DWORD style, UINT dpi)
{
    static const auto adjustForDpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer = {0, 0, innerWidth, innerHeight};
    if (!adjustForDpi || !adjustForDpi(&outer, style, FALSE, 0, dpi)) AdjustWindowRectEx(&outer, style, FALSE, 0);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

HICON IconAtSize(HICON icon, int size)
{
    static std::map<std::pair<HICON, int>, HICON> made;
    if (!icon || IconWidth(icon) == size) return icon;
    auto it = made.find(std::make_pair(icon, size));
    if (it != made.end()) return it->second;
    ICONINFOEXA info = {};
    info.cbSize = sizeof info;
    HICON sized = nullptr;
    if (GetIconInfoExA(icon, &info)) {
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        HMODULE module = info.szModName[0] ? GetModuleHandleA(info.szModName) : nullptr;
        const char* name = info.szResName[0] ? info.szResName : MAKEINTRESOURCEA(info.wResID);
        if (module && (info.szResName[0] || info.wResID))
            sized = static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }
    made[std::make_pair(icon, size)] = sized ? sized : icon;
    return sized ? sized : icon;
}

}  // namespace win32_backend
