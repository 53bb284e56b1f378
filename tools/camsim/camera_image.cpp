#include "tools/camsim/camera_image.h"

#include <cstring>

#include "overscan/geometry_tables.h"
#include "overscan/sensor_identification.h"

namespace {

void Put16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

uint16_t Get16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t MaskOfRow(int classRow)
{
    return classRow >= 1 && classRow <= 6 ? 1u << classRow : 0;
}

bool Matches(const DecodedImage& d, const SensorGeometry& g)
{
    return d.visibleWidth == g.visibleWidth && d.visibleHeight == g.visibleHeight && d.totalWidth == g.totalWidth &&
           d.totalHeight == g.totalHeight && d.xOffset == g.xOffset && d.yOffset == g.yOffset &&
           d.widthAfterOffset == static_cast<uint16_t>(g.totalWidth - g.xOffset);
}

}  // namespace

bool IsFamilyARow(int classRow)
{
    return classRow == 1 || classRow == 2;
}

uint16_t DefaultProductId(int classRow)
{
    const uint16_t ids[] = {1027, 1028, 1029, 1030, 1200, 1201};
    return classRow >= 1 && classRow <= 6 ? ids[classRow - 1] : 0;
}

uint32_t CameraIdForName(const std::string& name)
{
    uint32_t hash = 2166136261u;
    for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
    return 10000 + hash % 900000;
}

void BuildEeprom(const CameraImage& image, uint8_t* eeprom)
{
    for (int i = 0; i < 256; ++i) eeprom[i] = static_cast<uint8_t>(0xA0 ^ i);
    Put16(eeprom + 3, image.productId);
    const SensorGeometry& row = (image.overscan ? overscanGeometry : normalGeometry)[image.sensorRow];
    bool familyA = IsFamilyARow(image.classRow);
    uint8_t* descriptor = eeprom + 10;
    for (int i = 0; i < 4; ++i) descriptor[i] = static_cast<uint8_t>(image.cameraId >> (8 * i));
    Put16(descriptor + (familyA ? 6 : 8), static_cast<uint32_t>(row.visibleWidth));
    Put16(descriptor + (familyA ? 8 : 10), static_cast<uint32_t>(row.visibleHeight));
    uint8_t* type = descriptor + (familyA ? 14 : 16);
    std::memset(type, 0, 14);
    std::memcpy(type, image.type.data(), image.type.size() < 14 ? image.type.size() : 14);
    uint8_t* geometry = eeprom + (familyA ? 69 : 71);
    Put16(geometry, static_cast<uint32_t>(row.totalWidth));
    Put16(geometry + 2, static_cast<uint32_t>(row.totalHeight));
    geometry[4] = static_cast<uint8_t>(row.xOffset);
    geometry[5] = static_cast<uint8_t>(row.yOffset);
    Put16(geometry + 6, static_cast<uint32_t>(row.totalWidth - row.xOffset));
}

DecodedImage DecodeEeprom(const uint8_t* eeprom, int classRow)
{
    DecodedImage d{};
    bool familyA = IsFamilyARow(classRow);
    const uint8_t* descriptor = eeprom + 10;
    const uint8_t* geometry = eeprom + (familyA ? 69 : 71);
    d.productId = Get16(eeprom + 3);
    d.cameraId = static_cast<uint32_t>(descriptor[0]) | static_cast<uint32_t>(descriptor[1]) << 8 |
                 static_cast<uint32_t>(descriptor[2]) << 16 | static_cast<uint32_t>(descriptor[3]) << 24;
    const char* type = reinterpret_cast<const char*>(descriptor + (familyA ? 14 : 16));
    d.type.assign(type, strnlen(type, 14));
    d.visibleWidth = Get16(descriptor + (familyA ? 6 : 8));
    d.visibleHeight = Get16(descriptor + (familyA ? 8 : 10));
    d.totalWidth = Get16(geometry);
    d.totalHeight = Get16(geometry + 2);
    d.xOffset = geometry[4];
    d.yOffset = geometry[5];
    d.widthAfterOffset = Get16(geometry + 6);
    d.sensorRow = IdentifySensor(MaskOfRow(classRow), d.totalWidth);
    d.mode = "neither";
    if (d.sensorRow && Matches(d, normalGeometry[d.sensorRow])) d.mode = "disabled";
    if (d.sensorRow && Matches(d, overscanGeometry[d.sensorRow])) d.mode = "enabled";
    return d;
}
