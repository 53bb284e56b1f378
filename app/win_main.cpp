// The Windows program's entry.
#include <string>

#include "app/main_window.h"
#include "app/program_language.h"
#include "platform/one_copy.h"
#include "platform/redirection_guard.h"
#include "platform/system_libraries.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showMode)
{
    programsecurity::LoadLibrariesFromSystemOnly();
    programsecurity::GuardAgainstRedirection();
    ChooseProgramLanguage(LocaleVariables::ignored);
    // A second start shows the running copy instead.
    std::string running;
    if (onecopy::TakeGuard(&running) == onecopy::Outcome::another) return 0;
    return RunProgram(instance, showMode);
}
