// What the end-to-end driver does to the program under test: start it,
// find its window and controls, press, choose, read and close message
// boxes, and photograph the display.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace driver {

struct Program {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// Runs a command line to its end; its exit code, or -1.
int Run(const std::string& commandLine);
bool Start(const std::string& commandLine, Program* program);
// Waits for the program to end; its exit code, or -1 after the timeout.
int WaitForExit(Program& program, DWORD timeoutMs);
void Kill(Program& program);
// Waits for the program's main window.
bool WaitForWindow(Program* program, DWORD timeoutMs);

// Texts read through the W functions, as UTF-8.
std::string Utf8(const wchar_t* text);
std::string WindowText(HWND window);
HWND FindChild(HWND window, const char* className, const char* text);
std::string PaneText(HWND window);
bool IsEnabled(HWND control);

// Presses the button with that text once it is there and enabled (within
// 3 seconds).
bool Press(HWND window, const char* text);
bool ChooseMode(HWND window, int position);
int ChosenMode(HWND window);
// The chooser's item at the position chosen with the mouse: a click on the
// chooser opens its list, a click on the item chooses it.
bool ClickChooserItem(HWND window, int position);
int ChooserItemCount(HWND window);
std::string ChooserItemText(HWND window, int position);

struct Box {
    HWND window = nullptr;
    std::string title;
    std::string text;
};
// The message box the program shows, within the timeout.
bool WaitForBox(DWORD processId, Box* box, DWORD timeoutMs);
void CloseBox(const Box& box);

// Polls the condition every 50 ms until it holds or the time is up.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += 50) {
        if (condition()) return true;
        if (waited >= timeoutMs) return false;
        Sleep(50);
    }
}

// The control with the keyboard focus in the program's window, and a key
// pressed there (Alt held for a system key).
HWND Focused(const Program& program);
void Key(HWND target, WPARAM key, bool alt = false);

// The keyboard's default in the program's window: the one button drawn as
// the default (none: empty), and the button the window names for Enter.
std::string DefaultLook(HWND window);
std::string DefaultForEnter(HWND window);

// Chooses the item of the window's system menu whose text begins with
// prefix, through the hook library hookDll; the item's whole text.
bool ChooseSystemMenuItem(const Program& program, const std::string& hookDll, const char* prefix,
                          std::string* itemText);

// Through the same hook library: the widths of the window's small and
// large icons (0 for none), and the window told of a move to a screen of
// another DPI with the place Windows would suggest.
bool IconWidths(const Program& program, const std::string& hookDll, int* small, int* large);
bool TellDpiChange(const Program& program, const std::string& hookDll, UINT dpi, const RECT& suggested);

// Pixels of the display, rows top to bottom, each B, G, R, X.
std::vector<uint8_t> Capture(const RECT& area);
bool Screenshot(const std::string& path);

}  // namespace driver
