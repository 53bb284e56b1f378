// The connection to the camera, a member group of the main window object:
// the notification registration, the family flags, the interface path, the
// three pipes and the last camera-link error text.
#pragma once

#include <cstdint>

#include "camera/interface_choice.h"
#include "platform/win_types.h"

// familyFlags: bit 0 is the connected bit; one of the class masks tells
// through which interface class the camera was found.
constexpr uint32_t connectedFlag = 1;
constexpr uint32_t classMasks = 2 | 4 | 8 | 16 | 32 | 64;

constexpr uint32_t maxDevicePath = 260;
constexpr uint32_t maxLastError = 127;

struct CameraConnection {
    HDEVNOTIFY deviceNotification;
    uint32_t familyFlags;
    char devicePath[maxDevicePath + 1];
    HANDLE commandPipe;
    HANDLE dataPipe;
    HANDLE auxPipe;
    char lastError[maxLastError + 1];
    OtherInterfaces otherInterfaces;
};
