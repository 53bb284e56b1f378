// The window position saved per user, "Software\Kestrane\Vellmark",
// section "Window", values "XPos" and "YPos".
#include <algorithm>
#include <vector>

#include "app/main_window.h"
#include "platform/win_api.h"
#include "toolkit/reg_scanner.h"
#include "toolkit/text.h"

const char* const positionKey = "Software\\Kestrane\\Vellmark";

namespace {

// The part of the title bar that must lie on one monitor for the user to
// reach it with the mouse: its whole height and at least this much width.
constexpr int64_t reachableTitleWidth = 64;

struct Span {
    int64_t start, end;
};

struct MonitorList {
    std::vector<RECT> rects;
};

BOOL CALLBACK CollectMonitor(HMONITOR /*monitor*/, HDC /*dc*/, RECT* rect, LPARAM data)
{
    reinterpret_cast<MonitorList*>(data)->rects.push_back(*rect);
    return TRUE;
}

int64_t Overlap(Span a, Span b)
{
    return std::min(a.end, b.end) - std::max(a.start, b.start);
}

// The title bar strip of a window at (x, y), its frame above the caption
// included, lies on one monitor. Computed wide, so no value of the
// registry can overflow it.
bool TitleBarReachable(const MonitorList& monitors, int32_t x, int32_t y)
{
    const int64_t stripHeight =
        win::GetSystemMetrics(SM_CYFIXEDFRAME) + static_cast<int64_t>(win::GetSystemMetrics(SM_CYCAPTION));
    const Span across{x, static_cast<int64_t>(x) + mainWindowWidth};
    const Span down{y, y + stripHeight};
    for (const RECT& m : monitors.rects) {
        if (down.start < m.top || down.end > m.bottom) continue;
        if (Overlap(across, Span{m.left, m.right}) >= reachableTitleWidth) return true;
    }
    return false;
}

// Keeps the saved coordinates that leave the title bar reachable: both,
// else x alone, else y alone, the other one staying at its default.
void KeepReachable(int32_t x, int32_t y, int32_t* position)
{
    MonitorList monitors;
    win::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (TitleBarReachable(monitors, x, y)) {
        position[0] = x;
        position[1] = y;
    } else if (TitleBarReachable(monitors, x, position[1])) {
        position[0] = x;
    } else if (TitleBarReachable(monitors, position[0], y)) {
        position[1] = y;
    }
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
    // A position whose title bar is on no monitor (one removed since, or a
    // damaged value) would leave the window out of reach.
    KeepReachable(x, y, position);
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
