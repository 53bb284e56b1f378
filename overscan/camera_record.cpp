#include "overscan/camera_record.h"

bool IsFamilyA(uint32_t familyFlags)
{
    return (familyFlags & 6) != 0;
}

uint32_t DescriptorLength(uint32_t familyFlags)
{
    return IsFamilyA(familyFlags) ? descriptorLengthA : descriptorLengthB;
}

uint32_t GeometryAddress(uint32_t familyFlags)
{
    return IsFamilyA(familyFlags) ? geometryAddressA : geometryAddressB;
}

uint32_t VisibleWidthOffset(uint32_t familyFlags)
{
    return IsFamilyA(familyFlags) ? 6 : 8;
}

uint32_t VisibleHeightOffset(uint32_t familyFlags)
{
    return IsFamilyA(familyFlags) ? 8 : 10;
}

uint32_t CameraTypeOffset(uint32_t familyFlags)
{
    return IsFamilyA(familyFlags) ? 14 : 16;
}

uint16_t GetU16(const uint8_t* block, uint32_t offset)
{
    return static_cast<uint16_t>(block[offset] | block[offset + 1] << 8);
}

uint32_t GetU32(const uint8_t* block, uint32_t offset)
{
    return static_cast<uint32_t>(block[offset]) | static_cast<uint32_t>(block[offset + 1]) << 8 |
           static_cast<uint32_t>(block[offset + 2]) << 16 | static_cast<uint32_t>(block[offset + 3]) << 24;
}

void PutU16(uint8_t* block, uint32_t offset, uint16_t value)
{
    block[offset] = static_cast<uint8_t>(value);
    block[offset + 1] = static_cast<uint8_t>(value >> 8);
}
