// Changes on the bench through inotify: the cameras folder and every
// camera's folder are watched for files renamed into place, made or
// removed, so a program asleep on the descriptor wakes when another
// process plugs, unplugs, writes or creates a camera. Links are never
// watched (a link in the cameras folder may lead anywhere, the bench's own
// directory included, where the lock's traffic would wake the program for
// nothing), and neither is the bench's directory itself. While a folder
// cannot be watched (the limit of watches reached, the bench removed and
// not yet made again) the bench is looked at once a second, and watched
// again as soon as it can be.
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_changes.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

constexpr uint32_t watched = IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM | IN_CLOSE_WRITE |
                             IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_DONT_FOLLOW;

struct Watch {
    int fd = -1;
    std::string dir;
    bool complete = false;  // every folder that should be is watched
    std::string failing;    // for tests
};

Watch& TheWatch()
{
    static Watch watch;
    return watch;
}

bool Add(const Watch& watch, const std::string& path)
{
    if (!watch.failing.empty() && path.find(watch.failing) != std::string::npos) {
        errno = ENOSPC;
        return false;
    }
    return inotify_add_watch(watch.fd, path.c_str(), watched) >= 0;
}

// Adding a folder watched already changes nothing, so every camera folder
// is added again after each change: new cameras are watched from then on.
// A name that is no folder has nothing to watch.
void WatchFolders(Watch& watch)
{
    watch.complete = Add(watch, watch.dir + "/cameras");
    if (!watch.complete) return;
    for (const auto& name : bench::CameraNames(watch.dir))
        if (!Add(watch, watch.dir + "/cameras/" + name) && errno != ENOTDIR && errno != ELOOP)
            watch.complete = false;
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
    watch.complete = false;
    if (watch.fd >= 0) WatchFolders(watch);
    return watch.fd;
}

int BenchLookInterval()
{
    return BenchChangeDescriptor() >= 0 && TheWatch().complete ? -1 : 1000;
}

void TakeBenchChanges()
{
    Watch& watch = TheWatch();
    int fd = BenchChangeDescriptor();
    if (fd >= 0) {
        alignas(inotify_event) char events[4096];
        bool any = false;
        while (read(fd, events, sizeof events) > 0) any = true;
        if (any || !watch.complete) WatchFolders(watch);
    }
    Machine().PollBench();
}

void InjectWatchFailure(const std::string& pathPart)
{
    TheWatch().failing = pathPart;
}

}  // namespace sim
