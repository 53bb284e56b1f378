// Toolkit events. A command event (what & 0x3000 non-zero) carries the
// number of the command: a control's, or one of the toolkit's own.
#pragma once

#include <cstdint>

struct TEvent {
    uint32_t what;
    uint32_t command;
};

constexpr uint32_t evBroadcast = 0x1000;  // the toolkit's own commands
constexpr uint32_t evCommand = 0x2000;    // a control's command
constexpr uint32_t evCommandMask = 0x3000;
constexpr uint32_t cmClose = 33;
// Posted on a window when one of its choosers takes another selection.
constexpr uint32_t cmSelectionChanged = 34;

// Posted on a window, closes it; the application ends with its last window.
constexpr TEvent closeEvent = {evBroadcast, cmClose};

inline bool IsCommandEvent(const TEvent& event)
{
    return (event.what & evCommandMask) != 0;
}

// Marks the event handled: handlers after this one leave it alone.
void StopEvent(TEvent* event);
