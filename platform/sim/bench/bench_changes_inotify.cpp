// Changes on the bench through inotify: the cameras folder and every
// camera's folder are watched for files renamed into place, made or
// removed, so a program asleep on the descriptor wakes when another
// process plugs, unplugs, writes or creates a camera.
#include <sys/inotify.h>
#include <unistd.h>

#include <string>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_changes.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

constexpr uint32_t watched = IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_CLOSE_WRITE |
                             IN_DELETE_SELF | IN_ONLYDIR;

struct Watch {
    int fd = -1;
    std::string dir;
};

Watch& TheWatch()
{
    static Watch watch;
    return watch;
}

// Adding a folder watched already changes nothing, so every camera folder
// is added again after each change: new cameras are watched from then on.
void WatchFolders(const Watch& watch)
{
    inotify_add_watch(watch.fd, (watch.dir + "/cameras").c_str(), watched);
    for (const auto& name : bench::CameraNames(watch.dir))
        inotify_add_watch(watch.fd, (watch.dir + "/cameras/" + name).c_str(), watched);
}

}  // namespace

int BenchChangeDescriptor()
{
    Watch& watch = TheWatch();
    const std::string& dir = Machine().BenchDir();
    if (dir.empty()) return -1;
    if (watch.fd >= 0 && watch.dir == dir) return watch.fd;
    if (watch.fd >= 0) close(watch.fd);
    watch.fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    watch.dir = dir;
    if (watch.fd >= 0) WatchFolders(watch);
    return watch.fd;
}

void TakeBenchChanges()
{
    Watch& watch = TheWatch();
    int fd = BenchChangeDescriptor();
    if (fd >= 0) {
        alignas(inotify_event) char events[4096];
        bool any = false;
        while (read(fd, events, sizeof events) > 0) any = true;
        if (any) WatchFolders(watch);
    }
    Machine().PollBench();
}

}  // namespace sim
