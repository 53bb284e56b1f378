// A camera's backup as text: its three EEPROM blocks as first read, each a
// line of lowercase hex, with its interface class, the date, the program's
// version and the fields decoded, for a person to read.
//
//   # Vellmark camera backup: ...
//   date = 2026-12-09 10:15:00
//   version = 1.1.0.0
//   class = 4
//   product id = 1030
//   ...
//   header = 0a0b0c0604...
//   descriptor = ...
//   geometry = ...
//
// Only class, header, descriptor and geometry are read back; the other
// lines are for people.
#pragma once

#include <cstdint>
#include <string>

namespace camerabackup {

struct Blocks {
    int classRow = 0;  // the interface class row, 1..6; rows 1 and 2 are family A
    uint8_t header[10] = {};
    uint8_t descriptor[61] = {};  // family A uses the first 59
    uint8_t geometry[12] = {};
};

// The familyFlags mask of the class row, and the row of a mask.
uint32_t ClassMask(int classRow);
int ClassRowOf(uint32_t familyFlags);
uint16_t ProductId(const Blocks& blocks);
uint32_t CameraId(const Blocks& blocks);

std::string Format(const Blocks& blocks, const std::string& date, const std::string& version);
// False with *problem saying what is wrong: a line missing or given twice,
// hex that is not hex, a block of the wrong length for the class.
bool Parse(const std::string& text, Blocks* blocks, std::string* problem);

// The same camera: the same class and the same bytes in all three blocks
// but for the seven fields that an update writes.
bool SameCamera(const Blocks& a, const Blocks& b);

}  // namespace camerabackup
