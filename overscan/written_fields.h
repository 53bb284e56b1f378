// The seven geometry fields that the update writes, as one value: taken
// from a table row or from the camera's blocks, and put into the blocks.
#pragma once

#include <cstdint>

struct SensorGeometry;

struct WrittenFields {
    uint16_t visibleWidth;
    uint16_t visibleHeight;
    uint16_t totalWidth;
    uint16_t totalHeight;
    uint8_t xOffset;
    uint8_t yOffset;
    uint16_t widthAfterOffset;
};

// A table row's fields; the width after the offset is computed in 16 bits.
WrittenFields FieldsOfRow(const SensorGeometry& row);
// The fields as the family's descriptor and the geometry block hold them.
WrittenFields FieldsOfBlocks(uint32_t familyFlags, const uint8_t* descriptor, const uint8_t* geometry);
void PutFields(uint32_t familyFlags, const WrittenFields& fields, uint8_t* descriptor, uint8_t* geometry);
bool SameFields(const WrittenFields& a, const WrittenFields& b);
