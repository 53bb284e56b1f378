// The window timers, icons, metrics and monitors of the platform seam over
// the simulated machine.
#include <algorithm>
#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"

namespace sim {

void SimClock::Set(HWND window, UINT_PTR id, uint32_t interval)
{
    Kill(window, id);
    timers.push_back(SimTimer{window, id, interval ? interval : 1, now + (interval ? interval : 1)});
}

bool SimClock::Kill(HWND window, UINT_PTR id)
{
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const SimTimer& t) { return t.window == window && t.id == id; });
    if (it == timers.end()) return false;
    timers.erase(it);
    return true;
}

std::vector<SimTimer> SimClock::Advance(uint32_t ms)
{
    now += ms;
    std::vector<SimTimer> fired;
    for (auto& timer : timers) {
        if (timer.due > now) continue;
        fired.push_back(timer);
        while (timer.due <= now) timer.due += timer.interval;
    }
    return fired;
}

size_t SimClock::Count(HWND window) const
{
    return static_cast<size_t>(
        std::count_if(timers.begin(), timers.end(), [&](const SimTimer& t) { return t.window == window; }));
}

}  // namespace sim

namespace win {

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds, void* /*callback*/)
{
    if (!window) return 0;
    sim::Machine().clock.Set(window, id, milliseconds);
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    return sim::Machine().clock.Kill(window, id) ? TRUE : FALSE;
}


HANDLE LoadImageA(HMODULE /*instance*/, const char* name, UINT type, int width, int height, UINT /*flags*/)
{
    static int iconTokens[2];
    if (type != IMAGE_ICON || !name || std::strcmp(name, "DEFAULT_ICON") != 0) return nullptr;
    ++sim::Machine().system.iconLoads;
    if (width == 16 && height == 16) return &iconTokens[0];
    if (width == 32 && height == 32) return &iconTokens[1];
    return nullptr;
}

int GetSystemMetrics(int index)
{
    const sim::SimSystem& system = sim::Machine().system;
    if (index == SM_CYCAPTION) return system.captionHeight;
    if (index == SM_CYFIXEDFRAME) return system.frameHeight;
    if (system.monitors.empty()) return 0;
    RECT box = system.monitors[0];
    for (const RECT& m : system.monitors) {
        box.left = std::min(box.left, m.left);
        box.top = std::min(box.top, m.top);
        box.right = std::max(box.right, m.right);
        box.bottom = std::max(box.bottom, m.bottom);
    }
    switch (index) {
    case SM_XVIRTUALSCREEN: return box.left;
    case SM_YVIRTUALSCREEN: return box.top;
    case SM_CXVIRTUALSCREEN: return static_cast<int>(static_cast<int64_t>(box.right) - box.left);
    case SM_CYVIRTUALSCREEN: return static_cast<int>(static_cast<int64_t>(box.bottom) - box.top);
    default: return 0;
    }
}

// Every monitor that meets the clip rectangle, or all without one; the
// device context is not simulated and must be null.
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC callback, LPARAM data)
{
    if (dc || !callback) return FALSE;
    const std::vector<RECT> monitors = sim::Machine().system.monitors;
    for (size_t i = 0; i < monitors.size(); ++i) {
        RECT area = monitors[i];
        if (clip && (clip->right <= area.left || clip->left >= area.right || clip->bottom <= area.top ||
                     clip->top >= area.bottom))
            continue;
        auto* monitor = reinterpret_cast<HMONITOR>(i + 1);
        if (!callback(monitor, nullptr, &area, data)) break;
    }
    return TRUE;
}

}  // namespace win
