// The wait cursor, shown while the work that a press or a device change
// started runs, and taken away when the event loop waits again.
#pragma once

namespace win32_backend {

void ShowBusy();
// The cursor as it was before, if the wait cursor shows.
void EndBusy();

}  // namespace win32_backend
