// camsim: the camera simulator's command line. It creates simulated
// cameras on a bench, plugs and unplugs them, shows them and their EEPROM
// decoded, and shows the simulated registry.
#include <cstdio>
#include <string>

#ifndef _WIN32
#include "platform/posix/ending_signals.h"
#endif
#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#include "tools/camsim/camsim_commands.h"
#include "tools/camsim/camsim_output.h"

namespace {

const char usage[] =
    "usage: camsim [--bench DIR] COMMAND\n"
    "  create NAME --sensor ROW --class ROW [--mode disabled|enabled] [--product-id N] [--id N] [--type TEXT]\n"
    "  create NAME --from BACKUP [--class ROW] [--product-id N] [--id N] [--type TEXT]\n"
    "      (a camera from a backup file of the program: its three blocks, zeros elsewhere)\n"
    "  plug NAME | unplug NAME | list | show NAME\n"
    "  reg query KEY                  (KEY as HKLM\\... or HKCU\\...)\n"
    "  fault NAME KIND TRANSFER [STATUS] | fault NAME clear\n"
    "      KIND: drop-request drop-reply status short-reply stuck-byte last-byte-flipped hold\n"
    "      (hold: the transfer waits until the faults are cleared or the camera unplugged)\n"
    "NAME: 1 to 64 letters, digits, '-', '_' or '.', not starting with '.', unique in any letter case.\n"
    "Numbers are decimal or 0x hex. Exit codes: 0 done, 1 the bench could not be read or saved,\n"
    "2 bad input (nothing changed).\n";

int Run(Arguments args)
{
    std::string benchDir = sim::DefaultBenchDir();
    if (!args.empty() && args[0] == "--bench") {
        if (args.size() < 2 || args[1].empty()) return BadInput("--bench needs a directory");
        benchDir = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(usage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    const char* known[] = {"create", "plug", "unplug", "list", "show", "reg", "fault"};
    bool isKnown = false;
    for (const char* name : known) isKnown = isKnown || command == name;
    if (!isKnown) return BadInput("unknown command '" + command + "' (see camsim --help)");

    std::string error;
    if (!sim::Machine().AttachBench(benchDir, &error)) return Failed(error);
    if (command == "create") return CreateCamera(args);
    if (command == "plug") return PlugCamera(args, true);
    if (command == "unplug") return PlugCamera(args, false);
    if (command == "list") return ListCameras(args);
    if (command == "show") return ShowCamera(args);
    if (command == "reg") return QueryRegistry(args);
    return SetFault(args);
}

}  // namespace

int main(int argc, char** argv)
{
#ifndef _WIN32
    // A bench file past the file-size limit is a failed write, not camsim's end.
    endingsignals::IgnoreFileSizeLimit();
#endif
    return FinishOutput(Run(Arguments(argv + 1, argv + argc)));
}
