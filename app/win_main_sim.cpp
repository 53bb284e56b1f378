// The Windows program over simulated cameras: the real window, registry
// and system, with the cameras of the simulator's bench, which camsim.exe
// plugs and unplugs from another process while it runs.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "i18n/language.h"
#include "platform/one_copy.h"
#include "platform/redirection_guard.h"
#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_watch.h"
#include "platform/sim/sim_machine.h"
#include "platform/system_libraries.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int showMode)
{
    programsecurity::LoadLibrariesFromSystemOnly();
    programsecurity::GuardAgainstRedirection();
    // The language, chosen once, before the first text is shown.
    LanguageSources sources;
    sources.vellmarkLang = std::getenv("VELLMARK_LANG");
    SetLanguage(ChooseLanguage(sources));
    // A second start shows the running copy instead, before the bench is touched.
    std::string error;
    if (onecopy::TakeGuard(&error) == onecopy::Outcome::another) return 0;
    if (!sim::Machine().AttachBench(sim::DefaultBenchDir(), &error)) {
        MessageBoxA(nullptr, error.c_str(), "vellmark-sim", MB_OK | MB_ICONSTOP);
        return 1;
    }
    sim::WatchBench();
    return RunProgram(instance, showMode);
}
