#include "tests/file_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

FileWatch::FileWatch(const std::string& folder)
{
    queue = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (queue < 0) return;
    watch = inotify_add_watch(queue, folder.c_str(),
                              IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO |
                                  IN_DELETE);
}

FileWatch::~FileWatch()
{
    if (queue >= 0) close(queue);
}

std::vector<std::string> FileWatch::Touched()
{
    std::vector<std::string> names;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t count = queue < 0 ? -1 : read(queue, buffer, sizeof buffer);
        if (count <= 0) break;
        for (ssize_t at = 0; at < count;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            if (event.len) names.emplace_back(buffer + at + sizeof event);
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
    return names;
}
