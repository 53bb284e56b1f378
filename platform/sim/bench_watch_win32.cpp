#include <windows.h>

#include "platform/sim/bench_watch.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

constexpr UINT pollInterval = 100;

// A timer of the thread, not of a window: it never reaches a window's
// messages as WM_TIMER.
void CALLBACK PollBench(HWND, UINT, UINT_PTR, DWORD)
{
    Machine().PollBench();
}

void SendDeviceChange(HWND window, WPARAM event, const DEV_BROADCAST_DEVICEINTERFACE_A* record)
{
    SendMessageA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record));
}

}  // namespace

void WatchBench()
{
    Machine().deviceChangeSink = SendDeviceChange;
    SetTimer(nullptr, 0, pollInterval, PollBench);
}

}  // namespace sim
