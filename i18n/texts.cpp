#include "i18n/texts.h"

TextTable TextsOf(Language language)
{
    switch (language) {
    case Language::de: return GermanTexts();
    case Language::fr: return FrenchTexts();
    case Language::es: return SpanishTexts();
    case Language::it: return ItalianTexts();
    case Language::ja: return JapaneseTexts();
    case Language::zh: return ChineseTexts();
    default: return {nullptr, 0};
    }
}
