// On Windows, for a program with real windows over simulated cameras: the
// bench is watched on the GUI thread, and the arrival and removal of its
// cameras reach the registered windows as WM_DEVICECHANGE, as the real
// device stack would send them.
#pragma once

namespace sim {

void WatchBench();

}  // namespace sim
