#include "platform/console_signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>

namespace consolesignals {

namespace {

volatile sig_atomic_t pending = 0;
int wakePipe[2] = {-1, -1};
const int endingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

void OnSignal(int number)
{
    // The first one counts; the end it asked for runs to its end.
    if (!pending) pending = number;
    if (wakePipe[1] >= 0) {
        char byte = 1;
        ssize_t ignored = write(wakePipe[1], &byte, 1);
        (void)ignored;
    }
}

}  // namespace

void Install()
{
    if (pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe[0] = wakePipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int number : endingSignals) {
        // A signal the program was started to ignore (nohup) stays ignored.
        struct sigaction before {};
        if (sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        sigaction(number, &action, nullptr);
    }
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
