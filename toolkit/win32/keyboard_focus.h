// The keyboard in a top-level window of the Win32 backend: where the focus
// rests, which push button Enter presses, and the order Tab follows.
//
// The focus always rests on a visible, enabled control of the window, or on
// the window itself while it has none. The default button is the enabled
// push button that comes last on screen, the one that leads on. A chooser
// that appears takes the focus, since it asks for a decision first; Enter
// there presses the default button. Tab and Shift+Tab go through the
// controls in the order on screen, top to bottom and left to right.
#pragma once

#include <windows.h>

namespace win32_backend {

// After anything may have changed: the focus moved off a control that was
// ended or disabled (to the default button, else the first control), the
// focus following the default button when it rested there, and the default
// look on the button that Enter presses.
void SyncKeyboard(HWND window);

// The window is deactivated, and activated again: the focus goes back
// where it rested.
void NoteDeactivation(HWND window);
void RestoreFocus(HWND window);
// The window is going away.
void ForgetKeyboard(HWND window);

// Tab (or Shift+Tab) in the window: the focus on the next control.
void MoveFocusByTab(HWND window, bool backwards);

// The push button that Enter presses when the focus is on no push button.
HWND DefaultButton(HWND window);

}  // namespace win32_backend
