// The six device interface classes through which the driver publishes
// cameras, in the order they are searched.
#pragma once

#include <cstdint>

#include "platform/win_types.h"

struct CameraClass {
    GUID classGuid;
    uint32_t mask;
    const char* title;  // the window title while a camera of the class is connected
};

constexpr int cameraClassCount = 6;
extern const CameraClass cameraClasses[cameraClassCount];

// The window's own title, shown while no camera (or one of the last two
// classes) is connected.
extern const char* const windowTitle;

// The first class whose mask is set in familyFlags, or null.
const CameraClass* CameraClassOf(uint32_t familyFlags);
