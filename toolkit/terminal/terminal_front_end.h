// The headless toolkit shown in a terminal: the window drawn as text, its
// controls worked from the keyboard, message boxes as modal boxes, the
// simulated clock following real time, and the bench watched for what
// other processes change.
//
// Keys: Tab moves the focus; Enter presses the focused button (and closes a
// box); Up and Down change the chooser; s, w, n, f press "Scan camera",
// "Write Overscan", "Next ->", "Finish"; a shows the About box; p plugs or
// unplugs the bench's first camera; q or Esc closes the window.
#pragma once

namespace terminal {

// Installs the front end on the headless toolkit; the program's event loop
// then runs on this terminal until its window closes.
void Attach();
// Gives the terminal back as it was.
void Detach();

}  // namespace terminal
