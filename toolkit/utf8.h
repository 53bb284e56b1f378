// Characters of a UTF-8 text one at a time, and the columns each takes
// where text is laid out in character cells (the terminal, and the
// headless measure that stands for the window's fonts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The character that starts at text[at], and in *bytes how many bytes it
// takes (at least 1). A byte that starts no valid character stands alone
// and is given as 0xFFFD, the replacement character.
uint32_t DecodeUtf8(const std::string& text, size_t at, size_t* bytes);

// The cells a character takes: 2 for the wide characters of East Asian
// scripts (ideographs, kana, Hangul, full-width forms), 0 for combining
// marks, 1 for every other.
int CharColumns(uint32_t codePoint);

// The cells of a whole text.
size_t TextColumns(const std::string& text);

// The byte of the text where the character at that cell starts; the text's
// size when the text ends before it.
size_t ByteOfColumn(const std::string& text, size_t column);
