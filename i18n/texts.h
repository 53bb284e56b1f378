// The tables of translations: every English text a person reads, and per
// language the same texts in that language. One file per language under
// i18n/texts/ holds its table.
#pragma once

#include <cstddef>

#include "i18n/language.h"

struct TextPair {
    const char* english;
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
