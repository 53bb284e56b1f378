// The Win32 toolkit backend's top-level window: its class, its messages,
// the keyboard's dialog navigation, the window's own About command in its
// system menu, and its size at the window's DPI, which follows the screen
// it is on. Its classes are Unicode, so that the W texts of every language
// show whatever the system's code page.
#include <windows.h>

#include "toolkit/background.h"
#include "toolkit/backend.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/event_loop.h"
#include "toolkit/win32/busy_cursor.h"
#include "toolkit/win32/dpi_scaling.h"
#include "toolkit/win32/keyboard_focus.h"
#include "toolkit/win32/shown_text.h"
#include "toolkit/win32/win32_views.h"
#include "toolkit/window.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

using namespace win32_backend;

namespace {

const wchar_t windowClassName[] = L"VellmarkWindow";
constexpr UINT aboutMenuId = 0x0010;
constexpr uint32_t aboutCommand = 1001;
constexpr DWORD mainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Enter on a button, or a click: the button's own press. The command it
// posts runs once this message is handled; the wait cursor shows until the
// event loop comes back to wait.
void PressControl(HWND control)
{
    auto* button = dynamic_cast<CButton*>(ViewOf(control));
    if (button && button->Press()) ShowBusy();
}

// Esc, from the dialog navigation: the window closes as by its close box.
// A chooser whose list is open takes Esc itself and closes the list.
void CloseOnEscape(HWND window)
{
    HWND focus = GetFocus();
    if (dynamic_cast<CComboBox*>(ViewOf(focus)) && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0)) {
        SendMessageW(focus, CB_SHOWDROPDOWN, FALSE, 0);
        return;
    }
    if (CWindow* owner = WindowOf(window)) owner->MakeEvent(closeEvent);
}

void HandleCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) {
        // Enter or Esc, from the dialog navigation, with no control known
        // to it.
        if (LOWORD(wParam) == IDOK) PressControl(DefaultButton(window));
        if (LOWORD(wParam) == IDCANCEL) CloseOnEscape(window);
        return;
    }
    CView* view = ViewOf(control);
    if (HIWORD(wParam) == BN_CLICKED && dynamic_cast<CButton*>(view)) {
        PressControl(control);
    } else if (HIWORD(wParam) == CBN_SELCHANGE) {
        if (auto* combo = dynamic_cast<CComboBox*>(view))
            combo->Select(static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)) + 1);
    }
}

// The default button for Enter from the dialog navigation.
LRESULT DefaultButtonId(HWND window)
{
    HWND button = DefaultButton(window);
    return button ? MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID) : 0;
}

void NoteActivation(HWND native, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) NoteDeactivation(native);
    else if (!HIWORD(wParam)) RestoreFocus(native);
}

void NoteMove(HWND native, CWindow* window)
{
    if (IsIconic(native) || IsZoomed(native)) return;
    RECT outer;
    GetWindowRect(native, &outer);
    window->MoveTo(outer.left, outer.top);
}

void ApplyWindowState(CWindow* window, HWND native)
{
    // The title stays English: the family names and the program's name.
    SetWindowTextW(native, Wide(window->Title()).c_str());
    const UINT dpi = WindowDpi(native);
    if (window->SmallIcon())
        SendMessageW(native, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(IconAtSize(static_cast<HICON>(window->SmallIcon()), Scale(16, dpi))));
    if (window->LargeIcon())
        SendMessageW(native, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(IconAtSize(static_cast<HICON>(window->LargeIcon()), Scale(32, dpi))));
}

// The window's outer size for its inner area of layout units at dpi.
SIZE OuterSizeAt(const CWindow* window, UINT dpi)
{
    const CRect& r = window->RestoreRect();
    return OuterSize(Scale(r.width, dpi), Scale(r.height, dpi), mainWindowStyle, dpi);
}

// Moved to a screen of another DPI: the window takes the place Windows
// suggests and lays itself out again at the new DPI.
void ChangeDpi(HWND native, CWindow* window, WPARAM wParam, LPARAM lParam)
{
    NoteDpi(native, LOWORD(wParam));
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(native, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyWindowState(window, native);
    Relayout(window);
}

LRESULT CALLBACK WindowProc(HWND native, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* window = WindowOf(native);
    if (!window) return DefWindowProcW(native, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        HandleCommand(native, wParam, lParam);
        return 0;
    case DM_GETDEFID:
        return DefaultButtonId(native);
    case WM_ACTIVATE:
        NoteActivation(native, wParam);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == aboutMenuId) {
            window->MakeEvent(TEvent{evBroadcast, aboutCommand});
            return 0;
        }
        break;
    case WM_CLOSE:
        // The close box and Alt+F4 take the way of the close event.
        window->MakeEvent(closeEvent);
        return 0;
    case WM_ENDSESSION:
        // The session ends and the process with it, with no event loop to
        // come: the window closes now, as the close event would close it.
        if (wParam && !window->IsEnded()) window->Done();
        return 0;
    case WM_DPICHANGED:
        ChangeDpi(native, window, wParam, lParam);
        return 0;
    case WM_DEVICECHANGE:
        // A camera gone at step 2 starts the step's work from here.
        ShowBusy();
        return window->DeliverMessage(message, wParam, lParam);
    case WM_TIMER:
        return window->DeliverMessage(message, wParam, lParam);
    case WM_MOVE:
        NoteMove(native, window);
        break;
    case WM_SIZE:
        window->NoteState(wParam == SIZE_MINIMIZED, wParam == SIZE_MAXIMIZED);
        break;
    default:
        break;
    }
    return DefWindowProcW(native, message, wParam, lParam);
}

void RegisterClasses()
{
    if (State().classesReady) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExW(&windowClass);
    WNDCLASSEXW paneClass = windowClass;
    paneClass.lpfnWndProc = PaneProc;
    paneClass.hbrBackground = nullptr;
    paneClass.lpszClassName = paneClassName;
    RegisterClassExW(&paneClass);
    State().classesReady = true;
}

// The window opens at the system's DPI; where Windows gives it another,
// it takes the size for that one. Its place stays in screen pixels.
HWND MakeWindow(CWindow* window)
{
    const CRect& r = window->RestoreRect();
    const UINT systemDpi = SystemDpi();
    SIZE outer = OuterSizeAt(window, systemDpi);
    HWND native = CreateWindowExW(0, windowClassName, Wide(window->Title()).c_str(), mainWindowStyle, r.x, r.y, outer.cx,
                                  outer.cy, nullptr, nullptr, Instance(), nullptr);
    if (!native) return nullptr;
    const UINT dpi = NoteNewWindow(native);
    if (dpi != systemDpi) {
        outer = OuterSizeAt(window, dpi);
        SetWindowPos(native, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return native;
}

}  // namespace

namespace backend {

HWND CreateNativeWindow(CWindow* window)
{
    RegisterClasses();
    HWND native = MakeWindow(window);
    if (!native) return nullptr;
    State().windows[native] = window;
    HMENU menu = GetSystemMenu(native, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, aboutMenuId, ShownWide("About...").c_str());
    ApplyWindowState(window, native);
    int show = window->IsMinimized() ? SW_SHOWMINIMIZED : window->IsMaximized() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    ShowWindow(native, show);
    UpdateWindow(native);
    return native;
}

void DestroyNativeWindow(CWindow* window)
{
    for (auto it = State().windows.begin(); it != State().windows.end(); ++it) {
        if (it->second != window) continue;
        HWND native = it->first;
        State().windows.erase(it);
        ForgetKeyboard(native);
        ForgetDpi(native);
        DestroyWindow(native);
        return;
    }
}

// In layout units, whatever the window's DPI.
void InnerSize(const CWindow* window, int32_t* width, int32_t* height)
{
    *width = window->RestoreRect().width;
    *height = window->RestoreRect().height;
}

void WindowChanged(CWindow* window)
{
    HWND native = window->NativeWindow();
    if (!native) return;
    ApplyWindowState(window, native);
    if (window->IsMinimized() && !IsIconic(native)) ShowWindow(native, SW_MINIMIZE);
    if (window->IsMaximized() && !IsZoomed(native)) ShowWindow(native, SW_MAXIMIZE);
}

bool WaitForMessages()
{
    // The work of the events handled since is done.
    EndBusy();
    // What the events handled since may have changed, before waiting.
    for (const auto& window : State().windows) SyncKeyboard(window.first);
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return false;
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (!top || !WindowOf(top)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        return true;
    }
    // Tab in the order on screen; Enter on the focused or the default
    // button, Esc, from the dialog navigation.
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB)
        MoveFocusByTab(top, GetKeyState(VK_SHIFT) < 0);
    else if (!IsDialogMessageW(top, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace backend
