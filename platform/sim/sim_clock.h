// The simulated machine's clock and window timers. Time moves only when a
// test or a front end advances it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win_types.h"

namespace sim {

struct SimTimer {
    HWND window;
    UINT_PTR id;
    uint32_t interval;
    uint64_t due;
};

struct SimClock {
    uint64_t now = 0;  // milliseconds since the machine started
    std::vector<SimTimer> timers;

    void Set(HWND window, UINT_PTR id, uint32_t interval);
    bool Kill(HWND window, UINT_PTR id);
    // Moves time on by ms and gives, in order, every timer expiry on the
    // way (a timer that fell due several times fires once, as on Windows).
    std::vector<SimTimer> Advance(uint32_t ms);
    size_t Count(HWND window) const;
};

}  // namespace sim
