#include "toolkit/terminal/focus.h"

#include <algorithm>

#include "toolkit/button.h"
#include "toolkit/combo_box.h"

namespace terminal {

namespace {

bool IsControl(CView* view)
{
    return dynamic_cast<CButton*>(view) || dynamic_cast<CComboBox*>(view);
}

bool IsEnabled(CView* view)
{
    auto* button = dynamic_cast<CButton*>(view);
    return !button || button->IsEnabled();
}

}  // namespace

std::vector<CView*> ControlsOnScreen(CWindow* window)
{
    std::vector<CView*> views;
    for (CView* child : window->Children())
        if (!child->IsEnded() && child->IsShown() && IsControl(child)) views.push_back(child);
    std::stable_sort(views.begin(), views.end(), [](CView* a, CView* b) {
        return a->Rect().y != b->Rect().y ? a->Rect().y < b->Rect().y : a->Rect().x < b->Rect().x;
    });
    return views;
}

std::vector<CView*> EnabledControls(CWindow* window)
{
    std::vector<CView*> views = ControlsOnScreen(window);
    views.erase(std::remove_if(views.begin(), views.end(), [](CView* view) { return !IsEnabled(view); }),
                views.end());
    return views;
}

CButton* DefaultButton(CWindow* window)
{
    CButton* found = nullptr;
    for (CView* view : EnabledControls(window))
        if (auto* button = dynamic_cast<CButton*>(view)) found = button;
    return found;
}

namespace {

CComboBox* FirstChooser(const std::vector<CView*>& controls)
{
    for (CView* view : controls)
        if (auto* chooser = dynamic_cast<CComboBox*>(view)) return chooser;
    return nullptr;
}

}  // namespace

CView* FocusKeeper::Settle(CWindow* window)
{
    std::vector<CView*> enabled = EnabledControls(window);
    CComboBox* chooser = FirstChooser(enabled);
    CButton* defaultButton = DefaultButton(window);
    std::string defaultText = defaultButton ? defaultButton->Text() : "";
    bool defaultMoved = defaultButton && (defaultButton != lastDefault || defaultText != lastDefaultText);
    bool focusLive = std::find(enabled.begin(), enabled.end(), focused) != enabled.end();
    if (defaultMoved || !focusLive) {
        if (defaultButton) focused = defaultButton;
        else focused = enabled.empty() ? nullptr : enabled.front();
    }
    if (chooser && chooser != lastChooser) focused = chooser;
    lastChooser = chooser;
    lastDefault = defaultButton;
    lastDefaultText = defaultText;
    return focused;
}

void FocusKeeper::Move(CWindow* window, int step)
{
    Settle(window);
    std::vector<CView*> enabled = EnabledControls(window);
    if (enabled.empty()) return;
    auto at = std::find(enabled.begin(), enabled.end(), focused);
    long count = static_cast<long>(enabled.size());
    long index = at == enabled.end() ? 0 : (at - enabled.begin() + step + count) % count;
    focused = enabled[static_cast<size_t>(index)];
}

}  // namespace terminal
