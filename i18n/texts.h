// The tables of translations: every English text a person reads, and per
// language the same texts in that language. One file per language under
// i18n/texts/ holds its table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "i18n/language.h"

// The English text a translation stands for, kept as its 32-bit FNV-1a
// hash: the tables are written with the English text, but each language
// would otherwise carry its own copy of every English text, which the
// 32-bit program has no room for. The tables' test holds every text of the
// catalogue to a hash of its own.
constexpr uint32_t TextHash(std::string_view text)
{
    uint32_t hash = 2166136261u;
    for (char c : text) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    return hash;
}

struct TextKey {
    uint32_t hash;
    // Only at compile time: the English text itself is not kept.
    consteval TextKey(const char* english) : hash(TextHash(english)) {}
};

struct TextPair {
    TextKey english;
    const char* translated;
};

struct TextTable {
    const TextPair* pairs;
    size_t count;
};

// Every English text the program shows or prints for a person.
struct EnglishTexts {
    const char* const* texts;
    size_t count;
};
EnglishTexts AllEnglishTexts();

// The table of one language; English and the pseudo-language have none.
TextTable TextsOf(Language language);

TextTable GermanTexts();
TextTable FrenchTexts();
TextTable SpanishTexts();
TextTable ItalianTexts();
TextTable JapaneseTexts();
TextTable ChineseTexts();
