// Which sensor a camera carries, from its interface class and the total
// width in its geometry block, and whether its stored geometry is the
// overscan one.
#pragma once

#include <cstdint>

// The sensor index (1 to 16) whose row has this total width and belongs to
// the camera's sensor class (KAI, then KAF, then E2V); 0 when none does.
int32_t IdentifySensor(uint32_t familyFlags, uint16_t totalWidth);

// True when the visible height is the overscan geometry's for the sensor.
bool IsOverscanHeight(int32_t sensorIndex, uint16_t visibleHeight);
