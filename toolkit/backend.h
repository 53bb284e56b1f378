// What a toolkit backend provides to the toolkit's portable core. One
// backend is linked into each program: headless for tests, the terminal
// one for the Linux program, Win32 for the Windows programs.
#pragma once

#include <cstdint>

#include "platform/win_types.h"
#include "toolkit/graphics.h"
#include "toolkit/icon.h"

class CView;
class CWindow;

constexpr uint32_t maxBoxText = 127;

struct MessageBoxContent {
    CWindow* owner;
    int kind;
    char title[maxBoxText + 1];
    char lines[3][maxBoxText + 1];
    TIcon icon;
};

namespace backend {

void InitStockResources();
void InitFonts(TFont* textFont, TFont* captionFont);
TIcon LoadResourceIcon(HMODULE application, int id);
int32_t TextWidth(TFont font, uint32_t length, const char* text);

// The native window of a top-level window, made and taken away.
HWND CreateNativeWindow(CWindow* window);
void DestroyNativeWindow(CWindow* window);
void InnerSize(const CWindow* window, int32_t* width, int32_t* height);
void WindowChanged(CWindow* window);  // title, icons, state

// A view inside a window that has a native window.
void AttachView(CView* view);
void DetachView(CView* view);
void ViewChanged(CView* view);  // shown, ended, text, state, repaint asked

// Shows the box and returns when it is closed.
int ShowMessageBox(const MessageBoxContent& content);

// Waits for window messages and delivers them; false when none will come.
bool WaitForMessages();

}  // namespace backend
