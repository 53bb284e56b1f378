// Whether a write would change the camera at all.
#pragma once

#include "app/orvel_config.h"

// True when the camera the window scanned at step 1 holds exactly the
// numbers that writing the chooser's position would write: its descriptor
// and geometry blocks with the mode's fields put in equal, byte for byte,
// to what it holds. For "Original" the fields are the backup's, as found
// by FindOriginal; a camera without a sensor row or without an offered
// original never holds them.
bool HoldsModeAlready(COrvelConfig* window, int position);
