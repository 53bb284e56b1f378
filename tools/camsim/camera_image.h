// EEPROM images of simulated cameras built from the sensor tables, and
// what an image holds, decoded.
#pragma once

#include <cstdint>
#include <string>

struct CameraImage {
    int classRow = 2;      // 1..6; rows 1 and 2 are family A
    int sensorRow = 4;     // row of the geometry tables, 1..16
    bool overscan = false; // which table the stored geometry comes from
    uint16_t productId = 1028;
    uint32_t cameraId = 123456;
    std::string type = "TESTCAM";
};

bool IsFamilyARow(int classRow);
// The product id a camera of the class row carries by default.
uint16_t DefaultProductId(int classRow);
// A camera ID derived from a name, the same for the same name.
uint32_t CameraIdForName(const std::string& name);

// Fills all 256 bytes: the fields where the EEPROM map puts them, and
// the bytes that are never interpreted with a recognisable pattern.
void BuildEeprom(const CameraImage& image, uint8_t* eeprom);

struct DecodedImage {
    uint16_t productId;
    uint32_t cameraId;
    std::string type;
    uint16_t visibleWidth, visibleHeight;
    uint16_t totalWidth, totalHeight;
    uint8_t xOffset, yOffset;
    uint16_t widthAfterOffset;
    int32_t sensorRow;  // 0: not a known sensor of the class
    const char* mode;   // "disabled", "enabled", or "neither"
};

DecodedImage DecodeEeprom(const uint8_t* eeprom, int classRow);
