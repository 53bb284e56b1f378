#include <windows.h>

#include <string>

#include "platform/sim/bench_watch.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

constexpr UINT benchChanged = WM_APP + 0x42;
constexpr UINT fallbackInterval = 100;

HWND watchWindow = nullptr;
HANDLE changes = INVALID_HANDLE_VALUE;
volatile LONG pending = 0;

// On the GUI thread: what changed is taken in, and the device messages it
// causes are sent from here to the registered windows.
LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != benchChanged) return DefWindowProcA(window, message, wParam, lParam);
    InterlockedExchange(&pending, 0);
    Machine().PollBench();
    return 0;
}

// A thread of its own sleeps on the change notification and wakes the GUI
// thread with one message however many changes came meanwhile.
DWORD WINAPI WaitForChanges(void*)
{
    for (;;) {
        if (WaitForSingleObject(changes, INFINITE) != WAIT_OBJECT_0) return 1;
        if (InterlockedExchange(&pending, 1) == 0) PostMessageA(watchWindow, benchChanged, 0, 0);
        if (!FindNextChangeNotification(changes)) return 1;
    }
}

// Without change notification the bench is looked at every 100 ms, by a
// timer of the thread that never reaches a window as WM_TIMER.
void CALLBACK PollBench(HWND, UINT, UINT_PTR, DWORD)
{
    Machine().PollBench();
}

void SendDeviceChange(HWND window, WPARAM event, const DEV_BROADCAST_DEVICEINTERFACE_A* record)
{
    SendMessageA(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record));
}

bool StartNotification()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WatchProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VellmarkBenchWatch";
    RegisterClassA(&windowClass);
    watchWindow = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    if (!watchWindow) return false;
    std::string cameras = Machine().BenchDir() + "\\cameras";
    changes = FindFirstChangeNotificationA(cameras.c_str(), TRUE,
                                           FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                               FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (changes == INVALID_HANDLE_VALUE) return false;
    HANDLE thread = CreateThread(nullptr, 0, WaitForChanges, nullptr, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    return true;
}

}  // namespace

void WatchBench()
{
    Machine().deviceChangeSink = SendDeviceChange;
    if (!StartNotification()) SetTimer(nullptr, 0, fallbackInterval, PollBench);
}

}  // namespace sim
