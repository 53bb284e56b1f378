// The program on a machine without Windows: the real wizard in a terminal,
// over simulated cameras and a simulated registry kept on a bench that
// camsim, in another terminal, shares.
//
//   vellmark [--bench DIR]
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_window.h"
#include "app/program_language.h"
#include "machine_data/run_record.h"
#include "platform/one_copy.h"
#include "platform/posix/ending_signals.h"
#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"
#include "toolkit/terminal/terminal_front_end.h"

namespace {

const char usage[] =
    "usage: vellmark [--bench DIR]\n"
    "  The overscan wizard in this terminal, over the simulated cameras and registry of a bench:\n"
    "  --bench DIR, else $VELLMARK_BENCH, else $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).\n"
    "  Keys: Tab focus, Enter press, Up/Down mode, s w n f press the buttons, a About,\n"
    "  p plug or unplug the first camera, q or Esc quit. camsim changes the bench meanwhile.\n";

// Gives 0 to go on, else the exit code.
int ParseArguments(int argc, char** argv, std::string* benchDir)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return -1;
        }
        if (std::strcmp(argv[i], "--bench") != 0) {
            std::fprintf(stderr, "vellmark: unknown argument '%s' (usage: vellmark [--bench DIR])\n", argv[i]);
            return 2;
        }
        if (i + 1 >= argc || argv[i + 1][0] == 0) {
            std::fprintf(stderr, "vellmark: --bench needs a directory (usage: vellmark [--bench DIR])\n");
            return 2;
        }
        *benchDir = argv[++i];
    }
    return 0;
}

// One vellmark a bench: a second would drive the same cameras and keys.
bool TakeOneCopyGuard(const std::string& benchDir)
{
    std::string running;
    switch (onecopy::TakeGuard(&running)) {
    case onecopy::Outcome::first: return true;
    case onecopy::Outcome::another:
        std::fprintf(stderr, "vellmark: vellmark is running on the bench %s already (%s)\n", benchDir.c_str(),
                     running.c_str());
        return false;
    case onecopy::Outcome::failed:
        std::fprintf(stderr, "vellmark: cannot make sure that no other vellmark runs on the bench: %s\n",
                     running.c_str());
        return false;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    // A bench or data file past the file-size limit is a failed write, not
    // the program's end; the other signals are taken with the terminal.
    endingsignals::IgnoreFileSizeLimit();
    ChooseProgramLanguage(LocaleVariables::read);
    std::string benchDir = sim::DefaultBenchDir();
    if (int code = ParseArguments(argc, argv, &benchDir)) return code < 0 ? 0 : code;
    std::string error;
    if (!sim::Machine().AttachBench(benchDir, &error)) {
        std::fprintf(stderr, "vellmark: %s\n", error.c_str());
        return 1;
    }
    if (!TakeOneCopyGuard(benchDir)) return 1;
    headless::Reset();
    terminal::Attach();
    runrecord::SetCloseCause(terminal::CloseCause);
    int result = RunProgram(nullptr, 1);
    terminal::Detach();
    ReleaseBackground();
    terminal::PassOnEndingSignal();
    return result;
}
