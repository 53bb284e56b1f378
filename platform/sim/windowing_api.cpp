// The window timers of the platform seam over the simulated clock.
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
    const int32_t* screen = sim::Machine().system.virtualScreen;
    switch (index) {
    case SM_XVIRTUALSCREEN: return screen[0];
    case SM_YVIRTUALSCREEN: return screen[1];
    case SM_CXVIRTUALSCREEN: return screen[2];
    case SM_CYVIRTUALSCREEN: return screen[3];
    default: return 0;
    }
}

}  // namespace win
