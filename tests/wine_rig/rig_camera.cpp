// The rig's camera behind the pipes: the simulator's camera and driver
// model serving the named pipes "0" (requests), "1" (replies) and "2" that
// the camera interfaces lead to, for the first plugged camera of the bench.
// It watches the bench and has the rig's driver add and remove the
// interfaces as cameras are plugged and unplugged.
//
//   rig_camera.exe        (the bench from VELLMARK_BENCH)
#include <windows.h>
#include <winioctl.h>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"

namespace {

constexpr DWORD setPresentIoctl = CTL_CODE(FILE_DEVICE_UNKNOWN, 0x801, METHOD_BUFFERED, FILE_ANY_ACCESS);

std::mutex machineLock;
HANDLE pipes[3] = {INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE, INVALID_HANDLE_VALUE};

sim::SimCamera* ServedCamera()
{
    for (auto& camera : sim::Machine().Cameras())
        if (camera->plugged) return camera.get();
    return nullptr;
}

void SetPresent(int classRow, bool present)
{
    HANDLE control = CreateFileA("\\\\.\\VellmarkRig", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    if (control == INVALID_HANDLE_VALUE) {
        std::printf("rig_camera: no rig driver (%lu)\n", GetLastError());
        return;
    }
    BYTE input[2] = {static_cast<BYTE>(classRow), static_cast<BYTE>(present ? 1 : 0)};
    DWORD returned = 0;
    if (!DeviceIoControl(control, setPresentIoctl, input, 2, nullptr, 0, &returned, nullptr) &&
        GetLastError() != 433)  // no device of that class installed
        std::printf("rig_camera: class %d %s failed (%lu)\n", classRow, present ? "present" : "absent", GetLastError());
    CloseHandle(control);
}

void DropConnections()
{
    for (HANDLE pipe : pipes)
        if (pipe != INVALID_HANDLE_VALUE) DisconnectNamedPipe(pipe);
}

// Each class's interface is there exactly while a camera of it is plugged.
void WatchBench()
{
    bool present[7] = {};
    for (int row = 1; row <= 6; ++row) SetPresent(row, false);
    // Each change said in the log, which the scripts wait on.
    std::printf("rig_camera: watching the bench\n");
    std::fflush(stdout);
    for (;;) {
        bool now[7] = {};
        {
            std::lock_guard<std::mutex> hold(machineLock);
            sim::Machine().PollBench();
            for (auto& camera : sim::Machine().Cameras())
                if (camera->plugged && camera->classRow >= 1 && camera->classRow <= 6) now[camera->classRow] = true;
        }
        for (int row = 1; row <= 6; ++row) {
            if (now[row] == present[row]) continue;
            present[row] = now[row];
            // A camera gone ends its transfers at once.
            if (!now[row]) DropConnections();
            SetPresent(row, now[row]);
            std::printf("rig_camera: class %d %s\n", row, now[row] ? "present" : "absent");
            std::fflush(stdout);
        }
        Sleep(100);
    }
}

// All three pipes exist, listening, before the program opens the first, as
// it opens them one right after the other. A pipe listens from its making
// on, so each connection gets new ones.
bool CreatePipes()
{
    for (int index = 0; index < 3; ++index) {
        char name[16];
        std::snprintf(name, sizeof name, "\\\\.\\pipe\\%d", index);
        pipes[index] = CreateNamedPipeA(name, PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 512, 512, 0, nullptr);
        if (pipes[index] == INVALID_HANDLE_VALUE) return false;
    }
    return true;
}

// The program opens the three pipes one right after the other. One that
// opened the first and then gave up would hold the connection for ever,
// so the others must follow within a short time, or all start again.
bool ConnectAll()
{
    OVERLAPPED waits[3] = {};
    HANDLE events[3];
    bool ok = true;
    for (int i = 0; i < 3; ++i) {
        events[i] = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        waits[i].hEvent = events[i];
        if (ConnectNamedPipe(pipes[i], &waits[i]) || GetLastError() == ERROR_PIPE_CONNECTED)
            SetEvent(events[i]);
        else if (GetLastError() != ERROR_IO_PENDING)
            ok = false;
    }
    if (ok) WaitForSingleObject(events[0], INFINITE);
    if (ok) ok = WaitForMultipleObjects(3, events, TRUE, 2000) == WAIT_OBJECT_0;
    for (int i = 0; i < 3; ++i) {
        if (!ok) CancelIo(pipes[i]);
        CloseHandle(events[i]);
    }
    return ok;
}

// One transfer on a pipe, waited for; the bytes moved, 0 when it failed.
DWORD Move(HANDLE pipe, bool reading, uint8_t* buffer, DWORD size)
{
    OVERLAPPED wait = {};
    wait.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD moved = 0;
    BOOL started = reading ? ReadFile(pipe, buffer, size, nullptr, &wait) : WriteFile(pipe, buffer, size, nullptr, &wait);
    if ((started || GetLastError() == ERROR_IO_PENDING) && !GetOverlappedResult(pipe, &wait, &moved, TRUE)) moved = 0;
    CloseHandle(wait.hEvent);
    return moved;
}

// One connection of the program: the three pipes opened in order, then
// requests and replies until it closes them or the camera goes.
void ServeConnection()
{
    if (!CreatePipes()) {
        Sleep(100);
        return;
    }
    if (!ConnectAll()) return;
    for (;;) {
        uint8_t request[64];
        DWORD size = Move(pipes[0], true, request, sizeof request);
        if (size == 0) break;
        uint8_t reply[64];
        DWORD replySize = 0;
        {
            std::lock_guard<std::mutex> hold(machineLock);
            sim::SimCamera* camera = ServedCamera();
            if (!camera) break;
            // Each half a transaction on the bench, as the simulated driver's.
            sim::OpenFile command{camera, 0, camera->generation};
            sim::OpenFile data{camera, 1, camera->generation};
            if (sim::Machine().Request(command, request, size))
                replySize = sim::Machine().Reply(data, reply, sizeof reply);
        }
        if (replySize == 0 || Move(pipes[1], false, reply, replySize) == 0) break;
    }
}

}  // namespace

int main()
{
    std::string error;
    if (!sim::Machine().AttachBench(sim::DefaultBenchDir(), &error)) {
        std::printf("rig_camera: %s\n", error.c_str());
        return 1;
    }
    std::thread watcher(WatchBench);
    watcher.detach();
    for (;;) {
        ServeConnection();
        DropConnections();
        for (HANDLE& pipe : pipes) {
            if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
            pipe = INVALID_HANDLE_VALUE;
        }
    }
}
