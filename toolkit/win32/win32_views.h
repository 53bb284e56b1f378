// What the parts of the Win32 backend share: the native windows of the
// toolkit's windows and views, and the pane's window class.
#pragma once

#include <windows.h>

#include <map>

class CView;
class CWindow;

namespace win32_backend {

extern const wchar_t paneClassName[];

struct Win32State {
    std::map<HWND, CWindow*> windows;
    std::map<CView*, HWND> views;
    std::map<HWND, CView*> viewOf;
    bool classesReady = false;
};

Win32State& State();
HINSTANCE Instance();
CWindow* WindowOf(HWND window);
CView* ViewOf(HWND control);
HWND HandleOf(CView* view);

// The window procedure of the pane's class.
LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);
// Every view of the window placed again, and its fonts taken, at the
// window's DPI (after it changed).
void Relayout(CWindow* window);

}  // namespace win32_backend
