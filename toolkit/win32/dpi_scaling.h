// Scaling for the Win32 backend: the system's code and the toolkit's core
// place everything in units of a 96-DPI screen, and only this backend turns
// them into the pixels of the window's DPI. The Windows functions that know
// a window's own DPI came with Windows 10; before, the system's DPI serves.
#pragma once

#include <windows.h>

#include "toolkit/rect.h"

namespace win32_backend {

constexpr UINT layoutDpi = 96;

// A length or position of layout units in pixels at dpi, rounded.
int Scale(int value, UINT dpi);
// A font's height in pixels at dpi, rounded down: a text that fits its
// room at the layout's DPI then fits it at every DPI.
int ScaleFontHeight(int height, UINT dpi);
// A rectangle of layout units in pixels, edge by edge, so that rectangles
// that touch stay touching.
RECT ScaleRect(const CRect& rect, UINT dpi);

// The DPI that new windows open at.
UINT SystemDpi();
// The DPI of a top-level window as last noted (the layout's at first).
UINT WindowDpi(HWND window);
// Notes the DPI Windows gives the new window itself; its DPI afterwards.
UINT NoteNewWindow(HWND window);
void NoteDpi(HWND window, UINT dpi);
void ForgetDpi(HWND window);

// The outer size of a window of that style whose inner area is
// innerWidth x innerHeight pixels, with a frame drawn at dpi.
SIZE OuterSize(int innerWidth, int innerHeight, DWORD style, UINT dpi);

// The icon from the same resource as icon, size x size pixels, taken from
// the image of the icon group nearest to that size; icon itself when it
// has that size already or came from no resource.
HICON IconAtSize(HICON icon, int size);

}  // namespace win32_backend
