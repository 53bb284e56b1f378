#include <windows.h>

#include "platform/console_signals.h"

namespace consolesignals {

namespace {

volatile LONG pending = 0;
HANDLE wake = nullptr;      // set by the first signal
HANDLE finished = nullptr;  // set once the program's safe end is done

// Runs on a thread of its own. Ctrl-C and Ctrl-Break are taken and the
// program ends itself; a closed console, a log-off or a shut-down end the
// process once this returns, so it waits for the safe end first.
BOOL WINAPI OnControl(DWORD event)
{
    InterlockedCompareExchange(&pending, static_cast<LONG>(event) + 1, 0);
    SetEvent(wake);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(finished, 4500);
    return TRUE;
}

}  // namespace

void Install()
{
    wake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    finished = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnControl, TRUE);
}

int Pending()
{
    return static_cast<int>(pending);
}

void Wait(int ms, int /*descriptor*/)
{
    if (pending) return;
    WaitForSingleObject(wake, ms < 0 ? INFINITE : static_cast<DWORD>(ms));
}

void PassOn()
{
    if (!pending) return;
    SetEvent(finished);
    // The status of a program that Ctrl-C ended.
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace consolesignals
