// The Windows program's entry.
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "i18n/language.h"
#include "platform/one_copy.h"
#include "platform/redirection_guard.h"
#include "platform/system_libraries.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showMode)
{
    programsecurity::LoadLibrariesFromSystemOnly();
    programsecurity::GuardAgainstRedirection();
    // The language, chosen once, before the first text is shown.
    LanguageSources sources;
    sources.vellmarkLang = std::getenv("VELLMARK_LANG");
    SetLanguage(ChooseLanguage(sources));
    // A second start shows the running copy instead.
    std::string running;
    if (onecopy::TakeGuard(&running) == onecopy::Outcome::another) return 0;
    return RunProgram(instance, showMode);
}
