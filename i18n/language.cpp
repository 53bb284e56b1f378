#include "i18n/language.h"

#include <cstring>
#include <initializer_list>

namespace {

struct CodeEntry {
    const char* code;
    Language language;
    uint16_t primaryLanguageId;  // the low 10 bits of a Windows language id
};

const CodeEntry codes[] = {
    {"en", Language::en, 0x09}, {"de", Language::de, 0x07}, {"fr", Language::fr, 0x0c},
    {"es", Language::es, 0x0a}, {"it", Language::it, 0x10}, {"ja", Language::ja, 0x11},
    {"zh", Language::zh, 0x04}, {"qps", Language::qps, 0},
};

Language current = Language::en;

bool Present(const char* value)
{
    return value && value[0];
}

Language OfWindowsLanguage(uint16_t languageId)
{
    const uint16_t primary = languageId & 0x3ff;
    for (const CodeEntry& entry : codes)
        if (entry.primaryLanguageId && entry.primaryLanguageId == primary) return entry.language;
    return Language::en;
}

Language OfLocale(const char* locale)
{
    Language language = Language::en;
    return LanguageOfCode(locale, &language) ? language : Language::en;
}

}  // namespace

bool LanguageOfCode(const char* code, Language* language)
{
    if (!code) return false;
    // The language part: what comes before a territory, code set or modifier.
    const size_t length = std::strcspn(code, "_-.@");
    for (const CodeEntry& entry : codes) {
        if (std::strlen(entry.code) == length && std::strncmp(entry.code, code, length) == 0) {
            *language = entry.language;
            return true;
        }
    }
    return false;
}

const char* LanguageCode(Language language)
{
    for (const CodeEntry& entry : codes)
        if (entry.language == language) return entry.code;
    return "en";
}

Language ChooseLanguage(const LanguageSources& sources)
{
    if (Present(sources.vellmarkLang)) return OfLocale(sources.vellmarkLang);
    if (sources.windowsUiLanguage) return OfWindowsLanguage(sources.windowsUiLanguage);
    for (const char* locale : {sources.lcAll, sources.lcMessages, sources.lang})
        if (Present(locale)) return OfLocale(locale);
    return Language::en;
}

void SetLanguage(Language language)
{
    current = language;
}

Language CurrentLanguage()
{
    return current;
}
