// Loaded into the program under test by a message hook, for what can be
// done only in the window's own process. On the driver's requests it
// finds the item of the window's system menu whose text begins with the
// asked prefix and chooses it, as a person would from that menu (what it
// found is left on the window as a property, an atom of the item's text);
// measures the window's icons; and tells the window that it moved to a
// screen of another DPI, with the place Windows would suggest.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char requestName[] = "VellmarkDriverChooseMenuItem";
const char foundProperty[] = "VellmarkDriverMenuItem";
const char iconRequestName[] = "VellmarkDriverIconSizes";
const char dpiRequestName[] = "VellmarkDriverDpiChange";
const char answerProperty[] = "VellmarkDriverAnswer";

// The position of the first item whose text begins with prefix, or -1.
int FindItem(HMENU menu, const char* prefix, char* text, int size)
{
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        if (GetMenuStringA(menu, static_cast<UINT>(position), text, size, MF_BYPOSITION) <= 0) continue;
        if (std::strncmp(text, prefix, std::strlen(prefix)) == 0) return position;
    }
    return -1;
}

void ChooseItem(HWND window, ATOM prefixAtom)
{
    char prefix[64] = "";
    GlobalGetAtomNameA(prefixAtom, prefix, sizeof prefix);
    HMENU menu = GetSystemMenu(window, FALSE);
    char text[128] = "";
    const int position = menu ? FindItem(menu, prefix, text, sizeof text) : -1;
    if (position < 0) {
        SetPropA(window, foundProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)));
        return;
    }
    SetPropA(window, foundProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomA(text))));
    PostMessageA(window, WM_SYSCOMMAND, GetMenuItemID(menu, position), 0);
}

int IconWidth(HWND window, WPARAM kind)
{
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0));
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The answer: the small icon's width in the low half, the large one's in
// the high half.
void MeasureIcons(HWND window)
{
    const int sizes = MAKELONG(IconWidth(window, ICON_SMALL), IconWidth(window, ICON_BIG));
    SetPropA(window, answerProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(sizes)));
}

// placeAtom names "left top width height", the suggested place.
void ChangeDpi(HWND window, WPARAM dpi, ATOM placeAtom)
{
    char place[64] = "";
    GlobalGetAtomNameA(placeAtom, place, sizeof place);
    int left = 0, top = 0, width = 0, height = 0;
    sscanf(place, "%d %d %d %d", &left, &top, &width, &height);
    RECT suggested = {left, top, left + width, top + height};
    SendMessageA(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    SetPropA(window, answerProperty, reinterpret_cast<HANDLE>(1));
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ChooseMenuItemHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT request = RegisterWindowMessageA(requestName);
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    static const UINT iconRequest = RegisterWindowMessageA(iconRequestName);
    static const UINT dpiRequest = RegisterWindowMessageA(dpiRequestName);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == request)
        ChooseItem(message->hwnd, static_cast<ATOM>(message->wParam));
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == iconRequest) MeasureIcons(message->hwnd);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == dpiRequest)
        ChangeDpi(message->hwnd, message->wParam, static_cast<ATOM>(message->lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
