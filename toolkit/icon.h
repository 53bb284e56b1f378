// Icons and the application instance they are loaded from.
#pragma once

#include "platform/win_types.h"

typedef void* TIcon;

// Stock icons, ready after the stock resources module is initialised.
extern TIcon piInfo32;
extern TIcon piStop;

void SetAppHandle(HMODULE instance);
HMODULE GetAppHandle();

// The icon resource of that number, or the toolkit's default when the
// application carries none.
TIcon InitResIconNum(HMODULE application, int id);
