#include "toolkit/utf8.h"

namespace {

constexpr uint32_t replacement = 0xFFFD;

struct Range {
    uint32_t first;
    uint32_t last;
};

// The wide characters, by the blocks East Asian scripts use.
const Range wideRanges[] = {
    {0x1100, 0x115F},   // Hangul leading consonants
    {0x2E80, 0x303E},   // CJK radicals, ideographic description, CJK symbols and punctuation
    {0x3041, 0x33FF},   // kana, bopomofo, Hangul compatibility, CJK compatibility
    {0x3400, 0x4DBF},   // CJK extension A
    {0x4E00, 0x9FFF},   // CJK unified ideographs
    {0xA000, 0xA4CF},   // Yi
    {0xAC00, 0xD7A3},   // Hangul syllables
    {0xF900, 0xFAFF},   // CJK compatibility ideographs
    {0xFE30, 0xFE4F},   // CJK compatibility forms
    {0xFF00, 0xFF60},   // full-width forms
    {0xFFE0, 0xFFE6},   // full-width signs
    {0x20000, 0x3FFFD}, // CJK extensions B and later
};

// The combining marks that follow a letter in the European languages.
const Range combiningRanges[] = {
    {0x0300, 0x036F},
    {0x20D0, 0x20FF},
    {0xFE20, 0xFE2F},
};

bool Within(uint32_t codePoint, const Range* ranges, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (codePoint >= ranges[i].first && codePoint <= ranges[i].last) return true;
    return false;
}

}  // namespace

uint32_t DecodeUtf8(const std::string& text, size_t at, size_t* bytes)
{
    *bytes = 1;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return lead;
    size_t length = 0;
    uint32_t codePoint = 0;
    uint32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, codePoint = lead & 0x1F, lowest = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, codePoint = lead & 0x0F, lowest = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, codePoint = lead & 0x07, lowest = 0x10000;
    else return replacement;
    if (at + length > text.size()) return replacement;
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return replacement;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    // Over-long forms, surrogates and what lies past the last code point are no characters.
    if (codePoint < lowest || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF)
        return replacement;
    *bytes = length;
    return codePoint;
}

int CharColumns(uint32_t codePoint)
{
    if (Within(codePoint, combiningRanges, sizeof combiningRanges / sizeof combiningRanges[0])) return 0;
    if (Within(codePoint, wideRanges, sizeof wideRanges / sizeof wideRanges[0])) return 2;
    return 1;
}

size_t TextColumns(const std::string& text)
{
    size_t columns = 0;
    size_t bytes = 1;
    for (size_t at = 0; at < text.size(); at += bytes) columns += static_cast<size_t>(CharColumns(DecodeUtf8(text, at, &bytes)));
    return columns;
}

size_t ByteOfColumn(const std::string& text, size_t column)
{
    size_t columns = 0;
    size_t bytes = 1;
    for (size_t at = 0; at < text.size(); at += bytes) {
        const int width = CharColumns(DecodeUtf8(text, at, &bytes));
        if (width > 0 && columns == column) return at;
        columns += static_cast<size_t>(width);
        if (columns > column) return at;
    }
    return text.size();
}
