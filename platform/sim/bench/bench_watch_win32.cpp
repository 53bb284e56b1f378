#include <windows.h>

#include <string>
#include <vector>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_watch.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

constexpr UINT benchChanged = WM_APP + 0x42;
constexpr UINT fallbackInterval = 100;

HWND watchWindow = nullptr;
std::string watchedDir;
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

void Wake()
{
    if (InterlockedExchange(&pending, 1) == 0) PostMessageA(watchWindow, benchChanged, 0, 0);
}

// The cameras folder (cameras made or removed) and each camera's folder
// (files renamed into place), each watched without its subfolders: a
// watch of the whole tree does not see changes in the subfolders under
// every system the program runs on.
std::vector<HANDLE> WatchFolders()
{
    const DWORD filter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;
    std::vector<HANDLE> handles;
    std::string cameras = watchedDir + "\\cameras";
    HANDLE top = FindFirstChangeNotificationA(cameras.c_str(), FALSE, filter);
    if (top == INVALID_HANDLE_VALUE) return handles;
    handles.push_back(top);
    for (const auto& name : bench::CameraNames(watchedDir)) {
        if (handles.size() == MAXIMUM_WAIT_OBJECTS) break;
        HANDLE folder = FindFirstChangeNotificationA((cameras + "\\" + name).c_str(), FALSE, filter);
        if (folder != INVALID_HANDLE_VALUE) handles.push_back(folder);
    }
    return handles;
}

// A thread of its own sleeps on the change notifications and wakes the GUI
// thread with one message however many changes came meanwhile. Cameras
// beyond what one wait can hold are looked at every 100 ms.
DWORD WINAPI WaitForChanges(void*)
{
    for (;;) {
        std::vector<HANDLE> handles = WatchFolders();
        if (handles.empty()) return 1;
        // What changed while the watches were made is looked at too.
        Wake();
        bool all = bench::CameraNames(watchedDir).size() + 1 <= handles.size();
        bool again = false;
        while (!again) {
            DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                                all ? INFINITE : fallbackInterval);
            if (woke == WAIT_FAILED) return 1;
            Wake();
            if (woke == WAIT_TIMEOUT) continue;
            DWORD index = woke - WAIT_OBJECT_0;
            // A camera came or went: its folder is watched from now on.
            again = index == 0 || !FindNextChangeNotification(handles[index]);
        }
        for (HANDLE handle : handles) FindCloseChangeNotification(handle);
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
    watchedDir = Machine().BenchDir();
    std::string cameras = watchedDir + "\\cameras";
    HANDLE probe = FindFirstChangeNotificationA(cameras.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME);
    if (probe == INVALID_HANDLE_VALUE) return false;
    FindCloseChangeNotification(probe);
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
