#include "toolkit/text.h"

#include <cstring>

namespace {

uint32_t Smaller(uint32_t a, uint32_t b)
{
    return a < b ? a : b;
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
    uint32_t n = Smaller(LengthA(srcLen, src), maxLen);
    if (n) std::memmove(dst, src, n);
    dst[n] = 0;
}

void AppendA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src)
{
    uint32_t have = maxLen ? LengthA(maxLen, dst) : 0;
    uint32_t n = Smaller(LengthA(srcLen, src), maxLen - have);
    if (n) std::memmove(dst + have, src, n);
    dst[have + n] = 0;
}

void PrependA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src)
{
    uint32_t have = maxLen ? LengthA(maxLen, dst) : 0;
    uint32_t n = Smaller(LengthA(srcLen, src), maxLen);
    uint32_t kept = Smaller(have, maxLen - n);
    if (kept) std::memmove(dst + n, dst, kept);
    if (n) std::memmove(dst, src, n);
    dst[n + kept] = 0;
}

void ConcatA(uint32_t maxLen, char* dst, uint32_t len1, const char* s1, uint32_t len2, const char* s2)
{
    uint32_t n1 = Smaller(LengthA(len1, s1), maxLen);
    uint32_t n2 = Smaller(LengthA(len2, s2), maxLen - n1);
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
