#include "toolkit/text.h"

#include <cstring>

namespace {

// The bytes of a UTF-8 character that begins with this byte; 0 for a byte
// that begins none (a continuation byte, or one no UTF-8 text holds).
uint32_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// How many of the text's available bytes fit into room: all when they do,
// else room less the start of a character the cut would split. Bytes that
// are not UTF-8 (a camera's raw field) are cut where room ends.
uint32_t Fitting(const char* text, uint32_t available, uint32_t room)
{
    if (available <= room) return available;
    for (uint32_t back = 1; back <= 3 && back <= room; ++back) {
        const auto byte = static_cast<unsigned char>(text[room - back]);
        if ((byte & 0xC0) == 0x80) continue;
        return SequenceLength(byte) > back ? room - back : room;
    }
    return room;
}

}  // namespace

uint32_t LengthA(uint32_t maxLen, const char* s)
{
    if (!s) return 0;
    uint32_t n = 0;
    while ((maxLen == 0 || n < maxLen) && s[n] != 0) ++n;
    return n;
}

void CopyA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src)
{
    uint32_t n = Fitting(src, LengthA(srcLen, src), maxLen);
    if (n) std::memmove(dst, src, n);
    dst[n] = 0;
}

void AppendA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src)
{
    uint32_t have = maxLen ? LengthA(maxLen, dst) : 0;
    uint32_t n = Fitting(src, LengthA(srcLen, src), maxLen - have);
    if (n) std::memmove(dst + have, src, n);
    dst[have + n] = 0;
}

void PrependA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src)
{
    uint32_t have = maxLen ? LengthA(maxLen, dst) : 0;
    uint32_t n = Fitting(src, LengthA(srcLen, src), maxLen);
    uint32_t kept = Fitting(dst, have, maxLen - n);
    if (kept) std::memmove(dst + n, dst, kept);
    if (n) std::memmove(dst, src, n);
    dst[n + kept] = 0;
}

void ConcatA(uint32_t maxLen, char* dst, uint32_t len1, const char* s1, uint32_t len2, const char* s2)
{
    uint32_t n1 = Fitting(s1, LengthA(len1, s1), maxLen);
    uint32_t n2 = Fitting(s2, LengthA(len2, s2), maxLen - n1);
    // The second part goes first, so either source may be the destination itself.
    if (n2) std::memmove(dst + n1, s2, n2);
    if (n1) std::memmove(dst, s1, n1);
    dst[n1 + n2] = 0;
}

void CardToStrA(uint32_t value, uint32_t maxLen, char* dst, uint32_t radix, uint8_t* ok)
{
    if (ok) *ok = 0;
    dst[0] = 0;
    if (radix < 2 || radix > 36) return;
    char digits[33];
    uint32_t count = 0;
    do {
        uint32_t digit = value % radix;
        digits[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10);
        value /= radix;
    } while (value != 0);
    if (count > maxLen) return;
    for (uint32_t i = 0; i < count; ++i) dst[i] = digits[count - 1 - i];
    dst[count] = 0;
    if (ok) *ok = 1;
}
