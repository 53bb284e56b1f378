// Libraries come from the system's own folder alone. The program runs as an
// administrator from wherever it was unpacked, often a Downloads folder
// where a web page may have saved a DLL under a system library's name;
// Windows looks for a library that is not one of its KnownDLLs in the
// program's folder first, unless told otherwise.
#pragma once

namespace programsecurity {

// Every library the process loads by name from now on, the system's own
// included, is looked for in System32 alone. Called first thing, before
// anything loads a library; where Windows has no such means (Vista and 7
// without update 2533623) the program still starts.
void LoadLibrariesFromSystemOnly();

}  // namespace programsecurity
