// Start-up of the program, its saved window position and its About box.
#pragma once

#include <cstdint>

#include "platform/win_types.h"
#include "toolkit/icon.h"

// The window's default place and its fixed size.
constexpr int32_t defaultWindowX = 100;
constexpr int32_t defaultWindowY = 100;
constexpr int32_t mainWindowWidth = 272;
constexpr int32_t mainWindowHeight = 164;

extern const char* const positionKey;  // below HKEY_CURRENT_USER
extern const char* const copyrightNotice;
extern TIcon aboutIcon;

// position: x and y. Load overwrites only what it finds, and of that only
// what leaves the title bar on a monitor; save creates the key when missing.
void LoadWindowPos(int32_t* position);
void SaveWindowPos(const int32_t* position);

// The program's file version, or "unknown".
void GetFileVersionText(uint32_t maxLen, char* text);

// The run's record, begun before the first thing it tells and ended last.
// program names the program when it is not the window, command gives its
// command line; exitLine, when given, follows the end as the last line.
void StartRunRecord(const char* program = nullptr, const char* command = nullptr);
void EndRunRecord(const char* exitLine = nullptr);

// Set as the main window closes: a write permission of the run could not
// be removed and stays until the next start.
extern bool permissionLeftAtEnd;

// The whole program: toolkit start-up, the main window, the event loop.
// Its exit code: 1 when a write permission stayed, else 0.
int RunProgram(HMODULE instance, int showMode);
