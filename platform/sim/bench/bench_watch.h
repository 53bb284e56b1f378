// On Windows, for a program with real windows over simulated cameras: the
// bench's cameras folder is watched by directory change notification (a
// look once a second only where and while that cannot be had); the changes are taken in on
// the GUI thread, and the arrival and removal of its cameras reach the
// registered windows there as WM_DEVICECHANGE, as the real device stack
// would send them.
#pragma once

namespace sim {

void WatchBench();

}  // namespace sim
