// The Win32 toolkit backend: a real top-level window with native buttons
// and a drop-down list, the information pane painted with GDI, standard
// message boxes, and the window's own About command in its system menu.
#include <windows.h>

#include <map>
#include <string>

#include "toolkit/background.h"
#include "toolkit/backend.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/event_loop.h"
#include "toolkit/text.h"
#include "toolkit/win32/gdi_device_context.h"
#include "toolkit/win32/keyboard_focus.h"
#include "toolkit/window.h"

namespace {

const char windowClassName[] = "VellmarkWindow";
const char paneClassName[] = "VellmarkPane";
constexpr UINT aboutMenuId = 0x0010;
constexpr uint32_t aboutCommand = 1001;
constexpr DWORD mainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

const TFontRecord textFontRecord = {"Tahoma", 11, false};
const TFontRecord captionFontRecord = {"Tahoma", 11, true};

struct Win32State {
    std::map<HWND, CWindow*> windows;
    std::map<CView*, HWND> views;
    std::map<HWND, CView*> viewOf;
    bool classesReady = false;
};

Win32State& State()
{
    static Win32State state;
    return state;
}

HINSTANCE Instance()
{
    return GetModuleHandleA(nullptr);
}

CWindow* WindowOf(HWND window)
{
    auto it = State().windows.find(window);
    return it == State().windows.end() ? nullptr : it->second;
}

CView* ViewOf(HWND control)
{
    auto it = State().viewOf.find(control);
    return it == State().viewOf.end() ? nullptr : it->second;
}

HWND HandleOf(CView* view)
{
    auto it = State().views.find(view);
    return it == State().views.end() ? nullptr : it->second;
}

void PaintPane(HWND pane)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(pane, &paint);
    if (CView* view = ViewOf(pane)) {
        win32_backend::GdiDeviceContext context(dc, view->GetPGContext(7)->textFont);
        view->PaintView(&context);
    }
    EndPaint(pane, &paint);
}

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintPane(pane);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcA(pane, message, wParam, lParam);
}

// Enter on a button, or a click: the button's own press.
void PressControl(HWND control)
{
    if (auto* button = dynamic_cast<CButton*>(ViewOf(control))) button->Press();
}

void HandleCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    if (!control) {
        // Enter, from the dialog navigation, with no default known to it.
        if (LOWORD(wParam) == IDOK) PressControl(win32_backend::DefaultButton(window));
        return;
    }
    CView* view = ViewOf(control);
    if (HIWORD(wParam) == BN_CLICKED && dynamic_cast<CButton*>(view)) {
        PressControl(control);
    } else if (HIWORD(wParam) == CBN_SELCHANGE) {
        if (auto* combo = dynamic_cast<CComboBox*>(view))
            combo->Select(static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)) + 1);
    }
}

// The default button for Enter from the dialog navigation.
LRESULT DefaultButtonId(HWND window)
{
    HWND button = win32_backend::DefaultButton(window);
    return button ? MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID) : 0;
}

void NoteActivation(HWND native, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) win32_backend::NoteDeactivation(native);
    else if (!HIWORD(wParam)) win32_backend::RestoreFocus(native);
}

void NoteMove(HWND native, CWindow* window)
{
    if (IsIconic(native) || IsZoomed(native)) return;
    RECT outer;
    GetWindowRect(native, &outer);
    window->MoveTo(outer.left, outer.top);
}

LRESULT CALLBACK WindowProc(HWND native, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* window = WindowOf(native);
    if (!window) return DefWindowProcA(native, message, wParam, lParam);
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
    case WM_DEVICECHANGE:
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
    return DefWindowProcA(native, message, wParam, lParam);
}

void RegisterClasses()
{
    if (State().classesReady) return;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = windowClassName;
    RegisterClassExA(&windowClass);
    WNDCLASSEXA paneClass = windowClass;
    paneClass.lpfnWndProc = PaneProc;
    paneClass.hbrBackground = nullptr;
    paneClass.lpszClassName = paneClassName;
    RegisterClassExA(&paneClass);
    State().classesReady = true;
}

void UpdatePaneText(CView* view, HWND pane)
{
    win32_backend::TextCollector collector;
    view->PaintView(&collector);
    SetWindowTextA(pane, collector.Text().c_str());
}

void SyncButton(CButton* button, HWND control)
{
    char current[maxButtonText + 2];
    GetWindowTextA(control, current, sizeof current);
    if (std::string(current) != button->Text()) SetWindowTextA(control, button->Text());
    SetWindowLongPtrA(control, GWLP_ID, static_cast<LONG_PTR>(button->Command()));
    EnableWindow(control, button->IsEnabled());
}

void SyncCombo(CComboBox* combo, HWND control)
{
    if (SendMessageA(control, CB_GETCOUNT, 0, 0) != combo->ItemCount()) {
        SendMessageA(control, CB_RESETCONTENT, 0, 0);
        for (int position = 1; position <= combo->ItemCount(); ++position)
            SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo->ItemText(position)));
    }
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(combo->SelectedPosition() - 1), 0);
}

// Every child clips its siblings: the ones stacked over it stay drawn when
// it repaints.
HWND CreateControl(CView* view, HWND parent)
{
    const CRect& r = view->Rect();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (view->IsShown() ? WS_VISIBLE : 0);
    HWND control = nullptr;
    if (auto* button = dynamic_cast<CButton*>(view)) {
        control = CreateWindowExA(0, "BUTTON", button->Text(), style | WS_TABSTOP | BS_PUSHBUTTON, r.x, r.y, r.width,
                                  r.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button->Command())), Instance(),
                                  nullptr);
    } else if (dynamic_cast<CComboBox*>(view)) {
        const int listHeight = 6 * r.height;
        control = CreateWindowExA(0, "COMBOBOX", "", style | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, r.x, r.y,
                                  r.width, r.height + listHeight, parent, nullptr, Instance(), nullptr);
    } else {
        control = CreateWindowExA(0, paneClassName, "", style, r.x, r.y, r.width, r.height, parent, nullptr,
                                  Instance(), nullptr);
    }
    if (control)
        SendMessageA(control, WM_SETFONT,
                     reinterpret_cast<WPARAM>(win32_backend::FontHandle(view->GetPGContext(7)->textFont)), TRUE);
    return control;
}

// Native children stack in the toolkit's order, the first one on top, so a
// view registered first is drawn over the ones it lies on.
void StackInOrder(CView* view, HWND control)
{
    HWND above = HWND_TOP;
    if (CNodeView* parent = view->Parent()) {
        for (CView* sibling : parent->Children()) {
            if (sibling == view) break;
            if (HWND handle = HandleOf(sibling)) above = handle;
        }
    }
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ApplyWindowState(CWindow* window, HWND native)
{
    SetWindowTextA(native, window->Title());
    if (window->SmallIcon()) SendMessageA(native, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(window->SmallIcon()));
    if (window->LargeIcon()) SendMessageA(native, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(window->LargeIcon()));
}

}  // namespace

namespace backend {

void InitStockResources()
{
    piInfo32 = LoadIcon(nullptr, IDI_INFORMATION);
    piStop = LoadIcon(nullptr, IDI_HAND);
}

void InitFonts(TFont* textFont, TFont* captionFont)
{
    *textFont = &textFontRecord;
    *captionFont = &captionFontRecord;
}

// The application's icon of that number, or its main icon when it has none.
TIcon LoadResourceIcon(HMODULE application, int id)
{
    HANDLE icon = LoadImageA(application, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR);
    if (!icon) icon = LoadImageA(application, "DEFAULT_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR);
    return icon;
}

int32_t TextWidth(TFont font, uint32_t length, const char* text)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, win32_backend::FontHandle(font));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen, text, static_cast<int>(LengthA(length, text)), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

HWND CreateNativeWindow(CWindow* window)
{
    RegisterClasses();
    const CRect& r = window->RestoreRect();
    RECT outer = {0, 0, r.width, r.height};
    AdjustWindowRectEx(&outer, mainWindowStyle, FALSE, 0);
    HWND native = CreateWindowExA(0, windowClassName, window->Title(), mainWindowStyle, r.x, r.y,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, Instance(),
                                  nullptr);
    if (!native) return nullptr;
    State().windows[native] = window;
    HMENU menu = GetSystemMenu(native, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, aboutMenuId, "About...");
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
        win32_backend::ForgetKeyboard(native);
        DestroyWindow(native);
        return;
    }
}

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

void AttachView(CView* view)
{
    if (HandleOf(view)) return;
    CWindow* window = view->OwnerWindow();
    HWND parent = window ? window->NativeWindow() : nullptr;
    if (!parent || view->IsEnded()) return;
    HWND control = CreateControl(view, parent);
    if (!control) return;
    State().views[view] = control;
    State().viewOf[control] = view;
    StackInOrder(view, control);
    ViewChanged(view);
}

void DetachView(CView* view)
{
    HWND control = HandleOf(view);
    if (!control) return;
    State().views.erase(view);
    State().viewOf.erase(control);
    DestroyWindow(control);
}

void ViewChanged(CView* view)
{
    if (auto* window = dynamic_cast<CWindow*>(view)) return WindowChanged(window);
    HWND control = HandleOf(view);
    if (!control) return;
    if (view->IsEnded()) return DetachView(view);
    const CRect& r = view->Rect();
    RECT now;
    GetWindowRect(control, &now);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    if (dynamic_cast<CButton*>(view) && (now.left != r.x || now.top != r.y))
        MoveWindow(control, r.x, r.y, r.width, r.height, TRUE);
    if (auto* button = dynamic_cast<CButton*>(view)) SyncButton(button, control);
    else if (auto* combo = dynamic_cast<CComboBox*>(view)) SyncCombo(combo, control);
    else {
        UpdatePaneText(view, control);
        InvalidateRect(control, nullptr, FALSE);
    }
    bool visible = IsWindowVisible(control) != FALSE;
    if (visible != view->IsShown()) ShowWindow(control, view->IsShown() ? SW_SHOW : SW_HIDE);
}

int ShowMessageBox(const MessageBoxContent& content)
{
    std::string text;
    for (const char* line : content.lines) {
        if (!line[0]) continue;
        if (!text.empty()) text += "\n";
        text += line;
    }
    HWND owner = content.owner ? content.owner->NativeWindow() : nullptr;
    MSGBOXPARAMSA box = {};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.hInstance = Instance();
    box.lpszText = text.c_str();
    box.lpszCaption = content.title;
    box.dwStyle = MB_OK;
    if (content.icon == piStop) box.dwStyle |= MB_ICONSTOP;
    else if (content.icon == piInfo32) box.dwStyle |= MB_ICONINFORMATION;
    else if (content.icon) {
        box.dwStyle |= MB_USERICON;
        box.lpszIcon = "DEFAULT_ICON";
    }
    return MessageBoxIndirectA(&box);
}

bool WaitForMessages()
{
    // What the events handled since may have changed, before waiting.
    for (const auto& window : State().windows) win32_backend::SyncKeyboard(window.first);
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return false;
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (!top || !WindowOf(top)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }
    // Tab in the order on screen; Enter on the focused or the default
    // button, from the dialog navigation.
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB)
        win32_backend::MoveFocusByTab(top, GetKeyState(VK_SHIFT) < 0);
    else if (!IsDialogMessageA(top, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

}  // namespace backend
