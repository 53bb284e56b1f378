// Bounded routines for 8-bit texts in fixed-capacity arrays.
//
// A text is passed as (length, pointer); the length is a maximum, and a copy
// stops at the source's terminator or at that length, whichever comes first.
// A source length of 0 means no maximum: the whole text up to its terminator.
// Every routine takes the destination's maximum length first (its capacity
// less the terminator) and always leaves the destination terminated, cutting
// off what does not fit. Texts are UTF-8: a cut falls between two
// characters, never inside one (bytes that are not UTF-8 are cut where the
// room ends).
#pragma once

#include <cstdint>

void CopyA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src);
void AppendA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src);
void PrependA(uint32_t maxLen, char* dst, uint32_t srcLen, const char* src);
void ConcatA(uint32_t maxLen, char* dst, uint32_t len1, const char* s1, uint32_t len2, const char* s2);
uint32_t LengthA(uint32_t maxLen, const char* s);

// Writes value in the radix (2 to 36, lower-case digits). ok is set non-zero
// on success; a radix out of range or a number longer than maxLen gives an
// empty text and ok 0.
void CardToStrA(uint32_t value, uint32_t maxLen, char* dst, uint32_t radix, uint8_t* ok);
