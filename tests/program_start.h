// The program as WinMain starts and ends it, on the headless toolkit: for
// the test suites and for the test programs that drive the wizard alone.
#pragma once

#include "app/orvel_config.h"

// A new application object with the main window registered and shown, so
// it opens the camera, builds step 1 and scans; the window messages that
// follow are delivered.
COrvelConfig* StartMainWindow();
// Ends what is still open and frees the application object.
void ShutProgram();
// Whether the application still has a window.
bool ProgramRunning();
