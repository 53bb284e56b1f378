// The ways a console program is asked to end: Ctrl-C, Ctrl-Break, the
// console closed, and on POSIX every signal whose default ends the process
// (SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGALRM and the like; SIGXFSZ is
// ignored). The program learns of the first one, ends its work safely
// (after the transfer under way), and then ends with that signal's status.
#pragma once

namespace consolesignals {

// Installs the handlers.
void Install();
// The first ending signal that came (a signal number, or on Windows the
// console's control event plus one), or 0.
int Pending();
// Sleeps for at most ms, woken at once by a signal, and on POSIX also by
// the descriptor becoming readable (-1: none).
void Wait(int ms, int descriptor);
// After the safe end: ends the process as the signal would have. On
// Windows a closed console waits for this before the process is ended.
void PassOn();

}  // namespace consolesignals
