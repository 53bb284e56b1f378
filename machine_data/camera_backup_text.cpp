#include "machine_data/camera_backup_text.h"

#include <cstdio>
#include <cstring>
#include <map>

#include "overscan/camera_record.h"
#include "overscan/written_fields.h"

namespace camerabackup {

namespace {

const char heading[] =
    "# Vellmark camera backup: the camera's EEPROM blocks as first read, before the program first wrote to it.\n"
    "# Never changed afterwards.\n";

uint32_t DescriptorLengthOfRow(int classRow)
{
    return DescriptorLength(ClassMask(classRow));
}

std::string Hex(const uint8_t* bytes, size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex(const std::string& text, uint8_t* bytes, size_t count)
{
    if (text.size() != 2 * count) return false;
    for (size_t i = 0; i < count; ++i) {
        int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return true;
}

bool IsHex(const std::string& text)
{
    for (char c : text)
        if (HexDigit(c) < 0) return false;
    return true;
}

// The camera type as text: up to the first zero, anything unprintable as '?'.
std::string TypeText(const Blocks& blocks)
{
    const uint8_t* type = blocks.descriptor + CameraTypeOffset(ClassMask(blocks.classRow));
    std::string text;
    for (uint32_t i = 0; i < cameraTypeLength && type[i]; ++i) text += type[i] >= 32 && type[i] < 127 ? type[i] : '?';
    return text;
}

std::string Field(const char* name, uint32_t value)
{
    return std::string(name) + " = " + std::to_string(value) + "\n";
}

std::string DecodedFields(const Blocks& blocks)
{
    WrittenFields fields = FieldsOfBlocks(ClassMask(blocks.classRow), blocks.descriptor, blocks.geometry);
    return Field("product id", ProductId(blocks)) + Field("camera id", CameraId(blocks)) + "camera type = " +
           TypeText(blocks) + "\n" + Field("visible width", fields.visibleWidth) +
           Field("visible height", fields.visibleHeight) + Field("total width", fields.totalWidth) +
           Field("total height", fields.totalHeight) + Field("x offset", fields.xOffset) +
           Field("y offset", fields.yOffset) + Field("width after offset", fields.widthAfterOffset);
}

// "key = value" lines; false when a key comes twice.
bool ReadLines(const std::string& text, std::map<std::string, std::string>* lines, std::string* problem)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t equals = line.find(" = ");
        if (line.empty() || line[0] == '#' || equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        if (lines->count(key)) {
            *problem = "the line '" + key + " = ...' is there twice";
            return false;
        }
        (*lines)[key] = line.substr(equals + 3);
    }
    return true;
}

bool ParseBlock(const std::map<std::string, std::string>& lines, const char* key, uint8_t* bytes, size_t count,
                int classRow, std::string* problem)
{
    auto line = lines.find(key);
    if (line == lines.end()) {
        *problem = std::string("no line '") + key + " = ...'";
        return false;
    }
    if (!IsHex(line->second)) {
        *problem = std::string("the ") + key + " is not hex";
        return false;
    }
    if (!ParseHex(line->second, bytes, count)) {
        *problem = std::string("the ") + key + " holds " + std::to_string(line->second.size()) +
                   " hex digits; class " + std::to_string(classRow) + " takes " + std::to_string(2 * count) + " (" +
                   std::to_string(count) + " bytes)";
        return false;
    }
    return true;
}

bool ParseClass(const std::map<std::string, std::string>& lines, int* classRow, std::string* problem)
{
    auto line = lines.find("class");
    if (line == lines.end()) {
        *problem = "no line 'class = ...'";
        return false;
    }
    const std::string& value = line->second;
    if (value.size() != 1 || value[0] < '1' || value[0] > '6') {
        *problem = "the class must be 1..6, not '" + value + "'";
        return false;
    }
    *classRow = value[0] - '0';
    return true;
}

}  // namespace

uint32_t ClassMask(int classRow)
{
    return classRow >= 1 && classRow <= 6 ? 1u << classRow : 0;
}

int ClassRowOf(uint32_t familyFlags)
{
    for (int row = 1; row <= 6; ++row)
        if (familyFlags & ClassMask(row)) return row;
    return 0;
}

uint16_t ProductId(const Blocks& blocks)
{
    return GetU16(blocks.header, productIdOffset);
}

uint32_t CameraId(const Blocks& blocks)
{
    return GetU32(blocks.descriptor, cameraIdOffset);
}

std::string Format(const Blocks& blocks, const std::string& date, const std::string& version)
{
    return heading + ("date = " + date + "\n") + ("version = " + version + "\n") + Field("class", blocks.classRow) +
           DecodedFields(blocks) + "header = " + Hex(blocks.header, headerLength) + "\n" +
           "descriptor = " + Hex(blocks.descriptor, DescriptorLengthOfRow(blocks.classRow)) + "\n" +
           "geometry = " + Hex(blocks.geometry, geometryLength) + "\n";
}

bool Parse(const std::string& text, Blocks* blocks, std::string* problem)
{
    std::map<std::string, std::string> lines;
    Blocks parsed;
    if (!ReadLines(text, &lines, problem) || !ParseClass(lines, &parsed.classRow, problem)) return false;
    int row = parsed.classRow;
    if (!ParseBlock(lines, "header", parsed.header, headerLength, row, problem) ||
        !ParseBlock(lines, "descriptor", parsed.descriptor, DescriptorLengthOfRow(row), row, problem) ||
        !ParseBlock(lines, "geometry", parsed.geometry, geometryLength, row, problem))
        return false;
    *blocks = parsed;
    return true;
}

bool SameCamera(const Blocks& a, const Blocks& b)
{
    if (a.classRow != b.classRow) return false;
    // Compared with the written fields blanked in both.
    Blocks left = a, right = b;
    const WrittenFields none = {};
    uint32_t mask = ClassMask(a.classRow);
    PutFields(mask, none, left.descriptor, left.geometry);
    PutFields(mask, none, right.descriptor, right.geometry);
    uint32_t descriptorLength = DescriptorLengthOfRow(a.classRow);
    return std::memcmp(left.header, right.header, headerLength) == 0 &&
           std::memcmp(left.descriptor, right.descriptor, descriptorLength) == 0 &&
           std::memcmp(left.geometry, right.geometry, geometryLength) == 0;
}

}  // namespace camerabackup
