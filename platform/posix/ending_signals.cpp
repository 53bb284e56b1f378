#include "platform/posix/ending_signals.h"

#include <csignal>

namespace endingsignals {

namespace {

struct Named {
    int number;
    const char* name;
};

// Every signal whose default action ends the process, but those of a fault.
const Named named[] = {
    {SIGINT, "SIGINT"},   {SIGTERM, "SIGTERM"},     {SIGHUP, "SIGHUP"},   {SIGQUIT, "SIGQUIT"},
    {SIGPIPE, "SIGPIPE"}, {SIGUSR1, "SIGUSR1"},     {SIGUSR2, "SIGUSR2"}, {SIGALRM, "SIGALRM"},
    {SIGVTALRM, "SIGVTALRM"}, {SIGPROF, "SIGPROF"}, {SIGXCPU, "SIGXCPU"},
#ifdef SIGPOLL
    {SIGPOLL, "SIGPOLL"},
#endif
#ifdef SIGSTKFLT
    {SIGSTKFLT, "SIGSTKFLT"},
#endif
#ifdef SIGPWR
    {SIGPWR, "SIGPWR"},
#endif
#ifdef SIGLOST
    {SIGLOST, "SIGLOST"},
#endif
#ifdef SIGEMT
    {SIGEMT, "SIGEMT"},
#endif
};

void Take(int number, const struct sigaction& action)
{
    struct sigaction before {};
    if (sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) return;
    sigaction(number, &action, nullptr);
}

}  // namespace

void Catch(void (*handler)(int number))
{
    IgnoreFileSizeLimit();
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (const Named& signal : named) Take(signal.number, action);
#if defined(SIGRTMIN) && defined(SIGRTMAX)
    // The real-time signals end the process too; SIGRTMIN leaves out those
    // the system's thread library keeps for itself.
    for (int number = SIGRTMIN; number <= SIGRTMAX; ++number) Take(number, action);
#endif
}

void IgnoreFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

const char* Name(int number)
{
    for (const Named& signal : named)
        if (signal.number == number) return signal.name;
    return nullptr;
}

}  // namespace endingsignals
