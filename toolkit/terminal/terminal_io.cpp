#include "toolkit/terminal/terminal_io.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <csignal>
#include <cstdlib>

#include "platform/posix/ending_signals.h"

namespace terminal {

namespace {

const char showCursor[] = "\x1b[?25h\r\n";
const char hideCursor[] = "\x1b[?25l";

// Shared with the signal handler: only plain values and calls that are
// safe there (write, tcsetattr, signal, raise).
termios saved{};
termios raw{};
volatile sig_atomic_t rawMode = 0;
volatile sig_atomic_t cursorHidden = 0;
volatile sig_atomic_t endingSignal = 0;
volatile sig_atomic_t resized = 0;
int wakePipe[2] = {-1, -1};
bool installed = false;


void Write(const char* text, size_t length)
{
    while (length > 0) {
        ssize_t done = write(STDOUT_FILENO, text, length);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return;
        text += done;
        length -= static_cast<size_t>(done);
    }
}

void Restore()
{
    if (rawMode) tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    rawMode = 0;
    if (cursorHidden) Write(showCursor, sizeof showCursor - 1);
    cursorHidden = 0;
}

// Ctrl-Z: the terminal is given back while the program is stopped, and
// taken again, and the screen drawn anew, when it goes on.
void Suspend()
{
    const bool wasRaw = rawMode, wasHidden = cursorHidden;
    Restore();
    raise(SIGSTOP);
    if (wasRaw) rawMode = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    if (wasHidden) Write(hideCursor, sizeof hideCursor - 1);
    cursorHidden = wasHidden;
    resized = 1;
}

void OnSignal(int number)
{
    int savedErrno = errno;
    if (number == SIGWINCH) {
        resized = 1;
    } else if (number == SIGTSTP) {
        Suspend();
    } else if (!endingSignal) {
        // The close runs to its end: a second signal (a closed terminal
        // sends SIGHUP twice) must not cut short the revoke of the write
        // permission. The program ends with the first one's status.
        endingSignal = number;
    }
    char byte = 1;
    if (write(wakePipe[1], &byte, 1) < 0) {
        // A full pipe wakes the program as well.
    }
    errno = savedErrno;
}

void InstallHandlers()
{
    if (installed) return;
    installed = true;
    if (pipe2(wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) wakePipe[0] = wakePipe[1] = -1;
    // The signals that end the program, and Ctrl-Z that stops it, unless
    // the program was started to ignore them (nohup).
    endingsignals::Catch(OnSignal);
    struct sigaction action {}, before {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    if (sigaction(SIGTSTP, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) sigaction(SIGTSTP, &action, nullptr);
    sigaction(SIGWINCH, &action, nullptr);
    std::atexit(GiveBackTerminal);
}

}  // namespace

void TakeTerminal()
{
    InstallHandlers();
    if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0) {
        raw = saved;
        raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        // A read after poll() said there are bytes returns them; 0 is the end.
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        rawMode = tcsetattr(STDIN_FILENO, TCSANOW, &raw) == 0;
    }
    Write(hideCursor, sizeof hideCursor - 1);
    cursorHidden = 1;
}

void GiveBackTerminal()
{
    std::fflush(stdout);
    Restore();
}

int SignalDescriptor()
{
    return wakePipe[0];
}

void DrainSignals()
{
    char bytes[64];
    while (wakePipe[0] >= 0 && read(wakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

int EndingSignal()
{
    return endingSignal;
}

bool TakeResize()
{
    if (!resized) return false;
    resized = 0;
    return true;
}

bool TerminalSize(int* rows, int* columns)
{
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) return false;
    *rows = size.ws_row;
    *columns = size.ws_col;
    return true;
}

}  // namespace terminal
