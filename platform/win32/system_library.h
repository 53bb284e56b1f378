// A system library loaded by its full path in System32, for the libraries
// the program needs that are not among Windows' KnownDLLs: imported, they
// would be looked for in the program's folder first.
#pragma once

#include <windows.h>

namespace programsecurity {

// Null, with the system's error, where it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace programsecurity
