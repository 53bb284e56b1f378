// The sixteen known sensors, each with its normal geometry (only the active
// pixels) and its overscan geometry, indexed by sensor index; row 0 stands
// for a sensor that is not recognised.
#pragma once

#include <cstdint>

struct SensorGeometry {
    int32_t totalWidth;
    int32_t totalHeight;
    int32_t visibleWidth;
    int32_t visibleHeight;
    int32_t xOffset;
    int32_t yOffset;
};

constexpr int sensorRowCount = 17;

extern const SensorGeometry normalGeometry[sensorRowCount];
extern const SensorGeometry overscanGeometry[sensorRowCount];
