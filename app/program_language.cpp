#include "app/program_language.h"

#include <cstdlib>

#include "i18n/language.h"
#include "platform/win_api.h"

void ChooseProgramLanguage(LocaleVariables locale)
{
    LanguageSources sources;
    sources.vellmarkLang = std::getenv("VELLMARK_LANG");
    sources.windowsUiLanguage = win::GetUserDefaultUILanguage();
    if (locale == LocaleVariables::read) {
        sources.lcAll = std::getenv("LC_ALL");
        sources.lcMessages = std::getenv("LC_MESSAGES");
        sources.lang = std::getenv("LANG");
    }
    SetLanguage(ChooseLanguage(sources));
}
