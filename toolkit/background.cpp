#include "toolkit/background.h"

#include <algorithm>

#include "toolkit/backend.h"
#include "toolkit/event_loop.h"

CBackground* PBackground = nullptr;

CBackground::~CBackground()
{
    for (CWindow* window : windows) delete window;
}

void CBackground::Init(bool /*mainApplication*/) {}

void CBackground::Register(CWindow* window)
{
    if (window && std::find(windows.begin(), windows.end(), window) == windows.end()) windows.push_back(window);
}

void CBackground::Select()
{
    selected = true;
}

void CBackground::Show()
{
    for (CWindow* window : windows) {
        if (window->IsEnded() || window->NativeWindow()) continue;
        window->Show();
        HWND native = backend::CreateNativeWindow(window);
        if (native) window->AttachNativeWindow(native);
    }
}

bool CBackground::FreeClosedWindows()
{
    for (size_t i = 0; i < windows.size();) {
        CWindow* window = windows[i];
        if (window->IsEnded()) {
            windows.erase(windows.begin() + static_cast<long>(i));
            delete window;
            continue;
        }
        window->FreeEndedChildren();
        ++i;
    }
    return !windows.empty();
}

void CBackground::Exec()
{
    for (;;) {
        event_loop::DispatchPending();
        if (!FreeClosedWindows()) return;
        if (event_loop::HasPending()) continue;
        if (!backend::WaitForMessages()) return;
    }
}

void CBackground::Done()
{
    for (CWindow* window : windows)
        if (!window->IsEnded()) window->Done();
    FreeClosedWindows();
}

void ReleaseBackground()
{
    delete PBackground;
    PBackground = nullptr;
}
