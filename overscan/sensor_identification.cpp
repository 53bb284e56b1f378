#include "overscan/sensor_identification.h"

#include "overscan/geometry_tables.h"

namespace {

struct SensorClassRows {
    uint32_t masks;
    int32_t firstRow;
    int32_t lastRow;
};

// In the order the classes are tested.
const SensorClassRows sensorClasses[] = {
    {2 | 8, 11, 14},   // KAI
    {4 | 16, 1, 10},   // KAF
    {32 | 64, 15, 16}, // E2V
};

}  // namespace

int32_t IdentifySensor(uint32_t familyFlags, uint16_t totalWidth)
{
    for (const auto& sensorClass : sensorClasses) {
        if (!(familyFlags & sensorClass.masks)) continue;
        for (int32_t row = sensorClass.firstRow; row <= sensorClass.lastRow; ++row)
            if (normalGeometry[row].totalWidth == totalWidth) return row;
    }
    return 0;
}

bool IsOverscanHeight(int32_t sensorIndex, uint16_t visibleHeight)
{
    if (sensorIndex < 1 || sensorIndex >= sensorRowCount) return false;
    return overscanGeometry[sensorIndex].visibleHeight == visibleHeight;
}
