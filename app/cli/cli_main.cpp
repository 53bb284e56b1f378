// vellmark-cli: the wizard's job from a command line, for scripts and for
// many cameras. It drives the same main window and wizard steps as the
// window, on the headless toolkit.
//
//   vellmark-cli status [--json]
//   vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--json]
//   vellmark-cli revoke [--json]
#include <cstdio>
#include <string>

#include "app/cli/cli_command_line.h"
#include "app/cli/cli_commands.h"
#include "app/main_window.h"
#include "machine_data/leftovers.h"
#include "machine_data/run_record.h"
#include "machine_data/update_note.h"
#include "platform/data_files.h"
#include "platform/console_signals.h"
#include "platform/one_copy.h"
#include "toolkit/modules.h"
#ifdef _WIN32
#include "platform/redirection_guard.h"
#include "platform/system_libraries.h"
#else
#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#endif

namespace {

// Where the cameras are simulated, the bench is attached first.
bool AttachCameras(const CliOptions& options)
{
#ifdef _WIN32
    (void)options;
    return true;
#else
    std::string error;
    const std::string dir = options.benchDir.empty() ? sim::DefaultBenchDir() : options.benchDir;
    if (sim::Machine().AttachBench(dir, &error)) return true;
    std::fprintf(stderr, "vellmark-cli: %s\n", error.c_str());
    return false;
#endif
}

// The same guard as the window's: one copy of either program at a time.
int TakeOneCopyGuard(const CliReport& report)
{
    std::string running;
    switch (onecopy::TakeGuard(&running)) {
    case onecopy::Outcome::first: return cliexit::done;
    case onecopy::Outcome::another:
        return report.Error(cliexit::anotherCopy, "another copy of vellmark or vellmark-cli runs (" + running + ")");
    case onecopy::Outcome::failed:
        return report.Error(cliexit::anotherCopy, "cannot make sure that no other copy runs: " + running);
    }
    return cliexit::anotherCopy;
}

// How the console program's window came to close, for the run record.
const char* CloseCause()
{
    return consolesignals::Pending() ? "a signal or console event to the console program" : nullptr;
}

// revoke runs beside a copy that waits for a camera, so it takes no guard:
// it touches the grants journal alone, each line of an ended run taken off
// by itself, and leaves the rest of the data folder as it stands. main ends
// its record.
int RunRevokeAlone(const CliOptions& options, const CliReport& report, const std::string& commandLine)
{
    InitAllModules();
    StartRunRecord("vellmark-cli, the console program", commandLine.c_str());
    return RunRevoke(options, report);
}

// status changes nothing, so it runs beside any other copy: no guard, no
// record, no sweep or mending of the data folder, no folder made or taken
// over; what it reads it only reads.
int RunStatusOnly(const CliOptions& options, const CliReport& report)
{
    InitAllModules();
    datafiles::LookOnly();
    return RunStatus(options, report);
}

int RunCommand(const CliOptions& options, const std::string& commandLine)
{
    const CliReport report(options.json);
    if (options.command == CliCommand::revoke) return RunRevokeAlone(options, report, commandLine);
    if (options.command == CliCommand::status) return RunStatusOnly(options, report);
    if (int code = TakeOneCopyGuard(report)) return code;
    InitAllModules();
    // Before anything in the data folder is read: what killed runs left half made.
    machinedata::SweepLeftovers();
    StartRunRecord("vellmark-cli, the console program", commandLine.c_str());
    // A note of unfinished updates that cannot be read as the program's, told.
    updatenote::Mend();
    runrecord::SetCloseCause(CloseCause);
    return RunWrite(options, report);
}

// The run record's last lines: its end, then how the program ends.
void EndRecord(int code)
{
    const std::string exit = consolesignals::Pending()
                                 ? std::string("exit by the signal or console event, with its status")
                                 : "exit code " + std::to_string(code);
    EndRunRecord(exit.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // First of all, as the window does: libraries from System32 alone, and
    // no link that ordinary users made followed.
    programsecurity::LoadLibrariesFromSystemOnly();
    programsecurity::GuardAgainstRedirection();
#endif
    CliOptions options;
    std::string error;
    if (!ParseCliArguments(argc, argv, &options, &error)) {
        std::fprintf(stderr, "vellmark-cli: %s\n", error.c_str());
        return cliexit::usage;
    }
    if (options.command == CliCommand::help) {
        std::fputs(cliUsage, stdout);
        return cliexit::done;
    }
    if (options.command == CliCommand::version) {
        char version[32];
        GetFileVersionText(31, version);
        std::printf("vellmark-cli %s\n", version);
        return cliexit::done;
    }
    consolesignals::Install();
    if (!AttachCameras(options)) return cliexit::writeFailed;
    int code = RunCommand(options, CommandLineText(argc, argv));
    if (code < 0) code = cliexit::writeFailed;
    EndRecord(code);
    // A signal's end: the window closed and the permission revoked first.
    consolesignals::PassOn();
    return code;
}
