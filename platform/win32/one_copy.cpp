// One copy at a time on Windows: a named mutex, held by the process until it
// ends (the system closes it at any death). A second start brings the
// running copy's window to the front instead.
#include <windows.h>

#include "platform/one_copy.h"
#include "platform/win32/program_security.h"

namespace onecopy {

namespace {

const char mutexName[] = "Global\\Vellmark.OneCopy";
const char windowClassName[] = "VellmarkWindow";

// The running copy may still be making its window: it is looked for a while.
void BringRunningCopyToFront()
{
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (HWND window = FindWindowA(windowClassName, nullptr)) {
            if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
            SetForegroundWindow(window);
            return;
        }
        Sleep(100);
    }
}

}  // namespace

Outcome TakeGuard(std::string* running)
{
    // A DACL of its own: only SYSTEM and Administrators may hold or signal it.
    SECURITY_ATTRIBUTES attributes{};
    bool secured = programsecurity::MutexAttributes(&attributes);
    HANDLE mutex = CreateMutexA(secured ? &attributes : nullptr, FALSE, mutexName);
    DWORD error = GetLastError();
    programsecurity::FreeMutexAttributes(&attributes);
    if (!mutex) {
        // Someone else's object of that name: a copy under another account.
        *running = "another copy";
        return error == ERROR_ACCESS_DENIED ? Outcome::another : Outcome::failed;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        *running = "another copy";
        BringRunningCopyToFront();
        return Outcome::another;
    }
    // The handle stays open, and the guard with it, until the process ends.
    return Outcome::first;
}

}  // namespace onecopy
