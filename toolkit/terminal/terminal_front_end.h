// The headless toolkit shown in a terminal: the window drawn as text, its
// controls worked from the keyboard, message boxes as modal boxes, the
// simulated clock following real time, and the bench watched for what
// other processes change. While idle the program sleeps in one wait on its
// input, its signals and the bench, woken at most for the window's timers.
//
// Keys: Tab and Shift+Tab move the focus; Enter presses the focused button
// (Enter or Esc closes a box); Up and Down change the chooser; s, w, n, f
// press "Scan camera", "Write Overscan", "Next ->", "Finish" (in another
// language, the keys the buttons' shown texts give them); a shows the
// About box; p plugs or unplugs the bench's first camera; q or Esc closes
// the window, and so do the end of the input, SIGINT, SIGTERM, SIGHUP and
// every other signal whose default ends the process.
#pragma once

namespace terminal {

// Installs the front end on the headless toolkit; the program's event loop
// then runs on this terminal until its window closes.
void Attach();
// Gives the terminal back as it was.
void Detach();
// After a close that a signal asked for: ends the program by that signal,
// as the shell that started it expects. Returns when there was none.
void PassOnEndingSignal();
// Why the terminal asked the window to close: "signal SIGTERM" and the
// like, or "the end of the input"; null when it did not.
const char* CloseCause();

}  // namespace terminal
