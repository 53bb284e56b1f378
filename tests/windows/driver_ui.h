// What the end-to-end driver does to the program under test: start it,
// find its window and controls, press, choose, read and close message
// boxes, and photograph the display.
#pragma once

#include <windows.h>

#include <string>

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

std::string WindowText(HWND window);
HWND FindChild(HWND window, const char* className, const char* text);
std::string PaneText(HWND window);
bool IsEnabled(HWND control);

// Presses the button with that text, if it is there and enabled.
bool Press(HWND window, const char* text);
bool ChooseMode(HWND window, int position);
int ChosenMode(HWND window);

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

bool Screenshot(const std::string& path);

}  // namespace driver
