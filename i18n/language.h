// The language a person reads the program in. It is chosen once at start,
// from what the user asked for (VELLMARK_LANG), else from what the system
// says of the user, and never changes while the program runs.
#pragma once

#include <cstdint>

enum class Language { en, de, fr, es, it, ja, zh, qps };

// Where the choice may come from; a null or empty entry is absent.
struct LanguageSources {
    const char* vellmarkLang = nullptr;  // VELLMARK_LANG
    uint16_t windowsUiLanguage = 0;      // the user's UI language id on Windows; 0 elsewhere
    const char* lcAll = nullptr;         // LC_ALL
    const char* lcMessages = nullptr;    // LC_MESSAGES
    const char* lang = nullptr;          // LANG
};

// VELLMARK_LANG when set (a code it does not know gives English); else the
// Windows UI language's primary language; else the first of LC_ALL,
// LC_MESSAGES and LANG that is set, by its language part ("de_DE.UTF-8" is
// German; "C" and "POSIX" are English). Anything else is English.
Language ChooseLanguage(const LanguageSources& sources);

// The language of a code such as "de" or "de_DE.UTF-8"; false when the
// code names none of the program's languages.
bool LanguageOfCode(const char* code, Language* language);
const char* LanguageCode(Language language);

void SetLanguage(Language language);
Language CurrentLanguage();
