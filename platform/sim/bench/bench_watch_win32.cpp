#include <windows.h>

#include <string>
#include <vector>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_watch.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

constexpr UINT benchChanged = WM_APP + 0x42;
constexpr UINT fallbackInterval = 1000;

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

// A folder of the bench that can be watched: a folder, and no link or
// junction, which may lead anywhere.
bool RealFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The cameras folder (cameras made or removed) and each camera's folder
// (files renamed into place), each watched without its subfolders: a
// watch of the whole tree does not see changes in the subfolders under
// every system the program runs on. *complete tells whether every folder
// that should be is watched.
std::vector<HANDLE> WatchFolders(bool* complete)
{
    const DWORD filter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE;
    std::vector<HANDLE> handles;
    std::string cameras = watchedDir + "\\cameras";
    *complete = false;
    HANDLE top = RealFolder(cameras) ? FindFirstChangeNotificationA(cameras.c_str(), FALSE, filter)
                                     : INVALID_HANDLE_VALUE;
    if (top == INVALID_HANDLE_VALUE) return handles;
    handles.push_back(top);
    *complete = true;
    for (const auto& name : bench::CameraNames(watchedDir)) {
        const std::string folder = cameras + "\\" + name;
        if (!RealFolder(folder)) continue;
        HANDLE watch = handles.size() < MAXIMUM_WAIT_OBJECTS
                           ? FindFirstChangeNotificationA(folder.c_str(), FALSE, filter)
                           : INVALID_HANDLE_VALUE;
        if (watch == INVALID_HANDLE_VALUE)
            *complete = false;
        else
            handles.push_back(watch);
    }
    return handles;
}

// A thread of its own sleeps on the change notifications and wakes the GUI
// thread with one message however many changes came meanwhile. While a
// folder cannot be watched (too many cameras for one wait, the bench
// removed and not yet made again) the bench is looked at once a second.
DWORD WINAPI WaitForChanges(void*)
{
    for (;;) {
        bool complete = false;
        std::vector<HANDLE> handles = WatchFolders(&complete);
        // What changed while the watches were made is looked at too.
        Wake();
        if (handles.empty()) {
            Sleep(fallbackInterval);
            continue;
        }
        bool again = false;
        while (!again) {
            DWORD woke = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                                complete ? INFINITE : fallbackInterval);
            if (woke == WAIT_FAILED) break;
            Wake();
            // Looked at once a second, the watches are tried again too.
            if (woke == WAIT_TIMEOUT) break;
            DWORD index = woke - WAIT_OBJECT_0;
            // A camera came or went: its folder is watched from now on.
            again = index == 0 || !FindNextChangeNotification(handles[index]);
        }
        for (HANDLE handle : handles) FindCloseChangeNotification(handle);
    }
}

// Without change notification the bench is looked at once a second, by a
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
