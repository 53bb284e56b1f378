// The camera record: the three EEPROM blocks kept from the step-1 scan and
// the sensor found for them, with the map of the fields inside the blocks.
#pragma once

#include <cstdint>

constexpr uint32_t headerAddress = 0;
constexpr uint32_t headerLength = 10;
constexpr uint32_t descriptorAddress = 10;
constexpr uint32_t descriptorLengthA = 59;
constexpr uint32_t descriptorLengthB = 61;
constexpr uint32_t geometryAddressA = 69;
constexpr uint32_t geometryAddressB = 71;
constexpr uint32_t geometryLength = 12;
constexpr uint32_t cameraTypeLength = 14;

// Field offsets inside the blocks.
constexpr uint32_t productIdOffset = 3;  // header, u16
constexpr uint32_t cameraIdOffset = 0;   // descriptor, u32
constexpr uint32_t totalWidthOffset = 0;  // geometry, u16
constexpr uint32_t totalHeightOffset = 2;  // geometry, u16
constexpr uint32_t xOffsetOffset = 4;      // geometry, u8
constexpr uint32_t yOffsetOffset = 5;      // geometry, u8
constexpr uint32_t widthAfterOffsetOffset = 6;  // geometry, u16

struct CameraRecord {
    uint8_t headerBlock[headerLength];
    uint8_t descriptorBlockA[descriptorLengthA];
    uint8_t descriptorBlockB[descriptorLengthB];
    uint8_t geometryBlock[geometryLength];
    int32_t sensorIndex;
};

// The two EEPROM layouts; family A cameras are found through masks 2 and 4.
bool IsFamilyA(uint32_t familyFlags);
uint32_t DescriptorLength(uint32_t familyFlags);
uint32_t GeometryAddress(uint32_t familyFlags);
uint32_t VisibleWidthOffset(uint32_t familyFlags);
uint32_t VisibleHeightOffset(uint32_t familyFlags);
uint32_t CameraTypeOffset(uint32_t familyFlags);

// Little-endian fields at any byte offset.
uint16_t GetU16(const uint8_t* block, uint32_t offset);
uint32_t GetU32(const uint8_t* block, uint32_t offset);
void PutU16(uint8_t* block, uint32_t offset, uint16_t value);
