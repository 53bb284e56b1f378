// The views of the Win32 backend as native child windows: push buttons, a
// drop-down list, and the information pane painted with GDI. Each is
// placed from the view's rectangle in layout units, scaled to the window's
// DPI, in a font of that DPI. They are Unicode windows: each shows its
// English text in the chosen language.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/control_label.h"
#include "toolkit/win32/accessible_names.h"
#include "toolkit/win32/dpi_scaling.h"
#include "toolkit/win32/gdi_device_context.h"
#include "toolkit/win32/shown_text.h"
#include "toolkit/win32/win32_views.h"
#include "toolkit/window.h"

namespace win32_backend {

const wchar_t paneClassName[] = L"VellmarkPane";

Win32State& State()
{
    static Win32State state;
    return state;
}

HINSTANCE Instance()
{
    return GetModuleHandleW(nullptr);
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

namespace {

UINT DpiOfControl(HWND control)
{
    return WindowDpi(GetAncestor(control, GA_ROOT));
}

void PaintPane(HWND pane)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(pane, &paint);
    if (CView* view = ViewOf(pane)) {
        GdiDeviceContext context(dc, view->GetPGContext(7)->textFont, DpiOfControl(pane));
        view->PaintView(&context);
    }
    EndPaint(pane, &paint);
}

bool IsPane(CView* view)
{
    return !dynamic_cast<CButton*>(view) && !dynamic_cast<CComboBox*>(view);
}

// What the window's panes draw, in the window's layout units.
std::vector<DrawnText> TextsOfPanes(CWindow* window)
{
    std::vector<DrawnText> texts;
    for (const auto& entry : State().views) {
        CView* view = entry.first;
        if (view->OwnerWindow() != window || !IsPane(view) || !view->IsShown()) continue;
        TextCollector collector;
        view->PaintView(&collector);
        for (DrawnText text : collector.Texts())
            texts.push_back(DrawnText{text.x + view->Rect().x, text.y + view->Rect().y, text.text});
    }
    return texts;
}

// A chooser is named by the label the panes show before it on its row.
void NameChooser(CComboBox* combo, HWND control)
{
    TFont font = combo->GetPGContext(7)->textFont;
    const int32_t lineHeight = font ? font->height : 0;
    NameControl(control, LabelBefore(TextsOfPanes(combo->OwnerWindow()), combo->Rect(), lineHeight));
}

void NameChoosers(CWindow* window)
{
    for (const auto& entry : State().views)
        if (auto* combo = dynamic_cast<CComboBox*>(entry.first))
            if (combo->OwnerWindow() == window) NameChooser(combo, entry.second);
}

// The pane's texts as its window text, its accessible name; a change is
// told to screen readers.
void UpdatePaneText(CView* view, HWND pane)
{
    TextCollector collector;
    view->PaintView(&collector);
    wchar_t current[512] = L"";
    GetWindowTextW(pane, current, 512);
    const std::wstring shown = Wide(collector.Text());
    if (shown == current) return;
    SetWindowTextW(pane, shown.c_str());
    AnnounceNameChange(pane);
    NameChoosers(view->OwnerWindow());
}

void SyncButton(CButton* button, HWND control)
{
    wchar_t current[256] = L"";
    GetWindowTextW(control, current, 256);
    const std::wstring shown = ShownWide(button->Text());
    if (shown != current) SetWindowTextW(control, shown.c_str());
    SetWindowLongPtrW(control, GWLP_ID, static_cast<LONG_PTR>(button->Command()));
    EnableWindow(control, button->IsEnabled());
}

void SyncCombo(CComboBox* combo, HWND control)
{
    if (SendMessageW(control, CB_GETCOUNT, 0, 0) != combo->ItemCount()) {
        SendMessageW(control, CB_RESETCONTENT, 0, 0);
        for (int position = 1; position <= combo->ItemCount(); ++position)
            SendMessageW(control, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ShownWide(combo->ItemText(position)).c_str()));
    }
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(combo->SelectedPosition() - 1), 0);
}

// The view's place in pixels at dpi; a chooser's reaches down over its
// open list, six rows of its own height.
RECT PlaceOf(CView* view, UINT dpi)
{
    RECT place = ScaleRect(view->Rect(), dpi);
    if (dynamic_cast<CComboBox*>(view)) place.bottom += 6 * (place.bottom - place.top);
    return place;
}

void TakeFont(CView* view, HWND control, UINT dpi)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(view->GetPGContext(7)->textFont, dpi)),
                 TRUE);
}

// Every child clips its siblings: the ones stacked over it stay drawn when
// it repaints.
HWND CreateControl(CView* view, HWND parent)
{
    const UINT dpi = WindowDpi(parent);
    const RECT r = PlaceOf(view, dpi);
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (view->IsShown() ? WS_VISIBLE : 0);
    const wchar_t* className = paneClassName;
    std::wstring text;
    DWORD controlStyle = style;
    HMENU id = nullptr;
    if (auto* button = dynamic_cast<CButton*>(view)) {
        className = L"BUTTON";
        text = ShownWide(button->Text());
        controlStyle |= WS_TABSTOP | BS_PUSHBUTTON;
        id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(button->Command()));
    } else if (dynamic_cast<CComboBox*>(view)) {
        className = L"COMBOBOX";
        controlStyle |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    }
    HWND control = CreateWindowExW(0, className, text.c_str(), controlStyle, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, parent, id, Instance(), nullptr);
    if (control) TakeFont(view, control, dpi);
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

void MoveTo(HWND control, const RECT& place)
{
    MoveWindow(control, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

}  // namespace

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintPane(pane);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return DefWindowProcW(pane, message, wParam, lParam);
}

void Relayout(CWindow* window)
{
    const UINT dpi = WindowDpi(window->NativeWindow());
    for (const auto& entry : State().views) {
        if (entry.first->OwnerWindow() != window) continue;
        MoveTo(entry.second, PlaceOf(entry.first, dpi));
        TakeFont(entry.first, entry.second, dpi);
        InvalidateRect(entry.second, nullptr, TRUE);
    }
}

}  // namespace win32_backend

namespace backend {

using namespace win32_backend;

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
    ForgetName(control);
    DestroyWindow(control);
}

void ViewChanged(CView* view)
{
    if (auto* window = dynamic_cast<CWindow*>(view)) return WindowChanged(window);
    HWND control = HandleOf(view);
    if (!control) return;
    if (view->IsEnded()) return DetachView(view);
    const RECT place = PlaceOf(view, DpiOfControl(control));
    RECT now;
    GetWindowRect(control, &now);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&now), 2);
    if (dynamic_cast<CButton*>(view) && (now.left != place.left || now.top != place.top)) MoveTo(control, place);
    if (auto* button = dynamic_cast<CButton*>(view)) SyncButton(button, control);
    else if (auto* combo = dynamic_cast<CComboBox*>(view)) {
        SyncCombo(combo, control);
        NameChooser(combo, control);
    } else {
        UpdatePaneText(view, control);
        InvalidateRect(control, nullptr, FALSE);
    }
    bool visible = IsWindowVisible(control) != FALSE;
    if (visible != view->IsShown()) ShowWindow(control, view->IsShown() ? SW_SHOW : SW_HIDE);
}

}  // namespace backend
