#include "toolkit/win32/keyboard_focus.h"

#include <algorithm>
#include <map>
#include <vector>

namespace win32_backend {

namespace {

struct KeyboardState {
    HWND lastDefault = nullptr;  // the default button at the last look
    HWND rested = nullptr;       // where the focus rested before deactivation
    HWND chooser = nullptr;      // the chooser at the last look
};

std::map<HWND, KeyboardState>& States()
{
    static std::map<HWND, KeyboardState> states;
    return states;
}

bool IsPushButton(HWND control)
{
    char className[16];
    if (!GetClassNameA(control, className, sizeof className) || lstrcmpiA(className, "Button") != 0) return false;
    const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool IsReachable(HWND control)
{
    return IsWindowVisible(control) && IsWindowEnabled(control) &&
           (GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP) != 0;
}

// The window's controls that the keyboard reaches, in the order on screen.
std::vector<HWND> ScreenOrder(HWND window)
{
    std::vector<HWND> controls;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsReachable(child)) controls.push_back(child);
    auto topLeft = [](HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        return std::make_pair(r.top, r.left);
    };
    std::stable_sort(controls.begin(), controls.end(),
                     [&](HWND a, HWND b) { return topLeft(a) < topLeft(b); });
    return controls;
}

// The window's own control that holds the focus, or null.
HWND FocusedControl(HWND window)
{
    HWND focus = GetFocus();
    while (focus && GetParent(focus) != window) focus = GetParent(focus);
    return focus && IsReachable(focus) ? focus : nullptr;
}

HWND FirstChoice(HWND window)
{
    if (HWND button = DefaultButton(window)) return button;
    std::vector<HWND> controls = ScreenOrder(window);
    return controls.empty() ? window : controls.front();
}

bool IsChooser(HWND control)
{
    char className[16];
    return GetClassNameA(control, className, sizeof className) && lstrcmpiA(className, "ComboBox") == 0;
}

// The first chooser the keyboard reaches, or null.
HWND FirstChooser(HWND window)
{
    std::vector<HWND> controls = ScreenOrder(window);
    auto chooser = std::find_if(controls.begin(), controls.end(), IsChooser);
    return chooser == controls.end() ? nullptr : *chooser;
}

void SetButtonLook(HWND button, bool isDefault)
{
    const LONG_PTR type = GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK;
    const LONG_PTR wanted = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (type != wanted) SendMessageA(button, BM_SETSTYLE, static_cast<WPARAM>(wanted), TRUE);
}

// Enter presses the focused push button, else the default one: that one
// looks like the default.
void ShowDefaultLook(HWND window, HWND focused, HWND defaultButton)
{
    HWND pressed = focused && IsPushButton(focused) ? focused : defaultButton;
    // The old one first, so that two never look like the default at once.
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != pressed && IsPushButton(child)) SetButtonLook(child, false);
    if (pressed) SetButtonLook(pressed, true);
}

}  // namespace

HWND DefaultButton(HWND window)
{
    std::vector<HWND> controls = ScreenOrder(window);
    auto last = std::find_if(controls.rbegin(), controls.rend(), IsPushButton);
    return last == controls.rend() ? nullptr : *last;
}

void SyncKeyboard(HWND window)
{
    KeyboardState& state = States()[window];
    HWND defaultButton = DefaultButton(window);
    HWND focused = FocusedControl(window);
    HWND chooser = FirstChooser(window);
    // Only an active window takes the focus: never steal it from another.
    if (GetActiveWindow() == window && !IsIconic(window)) {
        const bool defaultMoved = defaultButton && defaultButton != state.lastDefault;
        HWND next = nullptr;
        // A new chooser asks for a decision before any button: it takes the
        // focus, and Enter there still presses the default button.
        if (chooser && chooser != state.chooser) next = chooser;
        else if (!focused || (defaultMoved && focused == state.lastDefault)) next = FirstChoice(window);
        if (next) {
            if (GetFocus() != next) SetFocus(next);
            focused = FocusedControl(window);
        }
    }
    state.lastDefault = defaultButton;
    state.chooser = chooser;
    ShowDefaultLook(window, focused, defaultButton);
}

void RestoreFocus(HWND window)
{
    KeyboardState& state = States()[window];
    HWND rested = state.rested;
    const bool usable = rested && GetParent(rested) == window && IsReachable(rested);
    SetFocus(usable ? rested : FirstChoice(window));
}

void ForgetKeyboard(HWND window)
{
    States().erase(window);
}

void NoteDeactivation(HWND window)
{
    States()[window].rested = FocusedControl(window);
}

void MoveFocusByTab(HWND window, bool backwards)
{
    std::vector<HWND> controls = ScreenOrder(window);
    if (controls.empty()) return;
    auto at = std::find(controls.begin(), controls.end(), FocusedControl(window));
    size_t index = at == controls.end() ? 0 : static_cast<size_t>(at - controls.begin());
    const size_t count = controls.size();
    if (at != controls.end()) index = backwards ? (index + count - 1) % count : (index + 1) % count;
    else if (backwards) index = count - 1;
    SetFocus(controls[index]);
}

}  // namespace win32_backend
