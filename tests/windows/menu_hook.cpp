// Loaded into the program under test by a message hook, since a window's
// menus can be read only in its own process: on the driver's request it
// finds the item of the window's system menu whose text begins with the
// asked prefix and chooses it, as a person would from that menu. What it
// found is left on the window as a property, an atom of the item's text.
#include <windows.h>

#include <cstring>

namespace {

const char requestName[] = "VellmarkDriverChooseMenuItem";
const char foundProperty[] = "VellmarkDriverMenuItem";

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

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ChooseMenuItemHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT request = RegisterWindowMessageA(requestName);
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == request)
        ChooseItem(message->hwnd, static_cast<ATOM>(message->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
