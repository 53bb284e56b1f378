// The program on a machine without Windows: the real wizard in a terminal,
// over simulated cameras and a simulated registry kept on a bench that
// camsim, in another terminal, shares.
//
//   vellmark [--bench DIR]
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_window.h"
#include "platform/sim/bench.h"
#include "platform/sim/sim_machine.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"
#include "toolkit/terminal/terminal_front_end.h"

int main(int argc, char** argv)
{
    std::string benchDir = sim::DefaultBenchDir();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--bench") == 0 && i + 1 < argc) {
            benchDir = argv[++i];
        } else {
            std::fprintf(stderr, "vellmark: unknown argument '%s' (usage: vellmark [--bench DIR])\n", argv[i]);
            return 2;
        }
    }
    std::string error;
    if (!sim::Machine().AttachBench(benchDir, &error)) {
        std::fprintf(stderr, "vellmark: %s\n", error.c_str());
        return 1;
    }
    headless::Reset();
    terminal::Attach();
    int result = RunProgram(nullptr, 1);
    terminal::Detach();
    ReleaseBackground();
    return result;
}
