// The window position saved per user, "Software\Kestrane\Vellmark",
// section "Window", values "XPos" and "YPos".
#include "app/main_window.h"
#include "platform/win_api.h"
#include "toolkit/reg_scanner.h"
#include "toolkit/text.h"

const char* const positionKey = "Software\\Kestrane\\Vellmark";

namespace {

// A window of size length at start still overlaps the screen span
// [screenStart, screenStart + screenLength); computed wide, so no value of
// the registry can overflow it.
bool Overlaps(int32_t start, int32_t length, int32_t screenStart, int32_t screenLength)
{
    int64_t end = static_cast<int64_t>(start) + length;
    int64_t screenEnd = static_cast<int64_t>(screenStart) + screenLength;
    return start < screenEnd && end > screenStart;
}

}  // namespace

void LoadWindowPos(int32_t* position)
{
    CRegScannerA scanner;
    int32_t x = position[0];
    int32_t y = position[1];
    if (scanner.Init(0, "", LengthA(0, positionKey), positionKey, HKEY_CURRENT_USER) &&
        scanner.SetSection(6, "Window")) {
        scanner.GetKeyInt(4, "XPos", &x);
        scanner.GetKeyInt(4, "YPos", &y);
    }
    scanner.Done();
    // A position off every monitor (one removed since, or a damaged value)
    // would leave the window out of reach: such a coordinate stays default.
    if (Overlaps(x, mainWindowWidth, win::GetSystemMetrics(SM_XVIRTUALSCREEN),
                 win::GetSystemMetrics(SM_CXVIRTUALSCREEN)))
        position[0] = x;
    if (Overlaps(y, mainWindowHeight, win::GetSystemMetrics(SM_YVIRTUALSCREEN),
                 win::GetSystemMetrics(SM_CYVIRTUALSCREEN)))
        position[1] = y;
}

void SaveWindowPos(const int32_t* position)
{
    CRegScannerA scanner;
    if (scanner.Create(0, "", LengthA(0, positionKey), positionKey, HKEY_CURRENT_USER)) {
        bool selected = scanner.SetSection(6, "Window");
        if (!selected && scanner.CreateSection(6, "Window")) selected = scanner.SetSection(6, "Window");
        if (selected) {
            scanner.SetKeyInt(4, "XPos", position[0]);
            scanner.SetKeyInt(4, "YPos", position[1]);
        }
    }
    scanner.Done();
}
