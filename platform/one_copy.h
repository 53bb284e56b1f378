// One copy of the program at a time: the guard is held for the process's
// whole life and released by the system at any death (a named mutex on
// Windows, a lock file in the data folder elsewhere).
#pragma once

#include <string>

namespace onecopy {

enum class Outcome {
    first,    // this is the one copy; the guard is held
    another,  // a copy runs already: *running names it
    failed,   // the guard could not be had: *running says why
};

// On Windows a copy that runs already is brought to the front.
Outcome TakeGuard(std::string* running);

}  // namespace onecopy
