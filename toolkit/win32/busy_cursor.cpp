#include "toolkit/win32/busy_cursor.h"

#include <windows.h>

namespace win32_backend {

namespace {

bool busy = false;
HCURSOR before = nullptr;

}  // namespace

void ShowBusy()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (!busy) before = previous;
    busy = true;
}

void EndBusy()
{
    if (!busy) return;
    busy = false;
    SetCursor(before);
}

}  // namespace win32_backend
