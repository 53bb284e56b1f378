// The terminal itself: raw keys without echo and a hidden cursor while the
// program runs, given back as they were on every way out (a normal end,
// exit, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, and every other signal
// whose default ends the process); the signals that end or resize the
// program wake its wait through a descriptor. SIGXFSZ is ignored.
//
// The first ending signal asks the program to close as `q` does; later
// ones change nothing, so the close always runs to its end. Ctrl-Z gives
// the terminal back while the program is stopped.
#pragma once

namespace terminal {

// Takes the terminal and installs the signal handlers.
void TakeTerminal();
// Gives it back; safe to call more than once.
void GiveBackTerminal();

// Readable after any of the signals; Drain empties it.
int SignalDescriptor();
void DrainSignals();
// The first ending signal that came, or 0.
int EndingSignal();
// True once after each change of the terminal's size.
bool TakeResize();

// The terminal's size; false when standard output is no terminal.
bool TerminalSize(int* rows, int* columns);

}  // namespace terminal
