#include "platform/console_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/posix/ending_signals.h"

namespace consolesignals {

namespace {

volatile sig_atomic_t pending = 0;
int wakePipe[2] = {-1, -1};

// Only notes the signal and wakes the wait: a transfer under way runs to
// its end, and the program acts on the signal after it.
void OnSignal(int number)
{
    const int savedErrno = errno;
    // The first one counts; the end it asked for runs to its end.
    if (!pending) pending = number;
    if (wakePipe[1] >= 0) {
        char byte = 1;
        ssize_t ignored = write(wakePipe[1], &byte, 1);
        (void)ignored;
    }
    errno = savedErrno;
}

}  // namespace

void Install()
{
    if (pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe[0] = wakePipe[1] = -1;
    endingsignals::Catch(OnSignal);
}

int Pending()
{
    return pending;
}

void Wait(int ms, int descriptor)
{
    if (pending) return;
    pollfd watched[2];
    nfds_t count = 0;
    if (wakePipe[0] >= 0) watched[count++] = pollfd{wakePipe[0], POLLIN, 0};
    if (descriptor >= 0) watched[count++] = pollfd{descriptor, POLLIN, 0};
    poll(watched, count, ms);
}

void PassOn()
{
    int number = pending;
    if (number == 0) return;
    std::signal(number, SIG_DFL);
    std::raise(number);
}

}  // namespace consolesignals
