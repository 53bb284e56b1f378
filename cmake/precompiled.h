// The headers most files of the Windows build read: the Windows types (and
// through them <windows.h>, as platform/win_types.h includes it) and the
// standard library's most used parts. Precompiled once a tree.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"
