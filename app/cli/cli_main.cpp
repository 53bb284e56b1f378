// vellmark-cli: the wizard's job from a command line, for scripts and for
// many cameras. It drives the same main window and wizard steps as the
// window, on the headless toolkit.
//
//   vellmark-cli status [--json]
//   vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--json]
//   vellmark-cli revoke [--json]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/cli/cli_command_line.h"
#include "app/cli/cli_commands.h"
#include "app/main_window.h"
#include "app/program_language.h"
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
#include <fcntl.h>

#include <cerrno>

#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#endif

namespace {

// Where the cameras are simulated, the bench is attached first; one that
// cannot be used is told with its own code.
int AttachCameras(const CliOptions& options, const CliReport& report)
{
#ifdef _WIN32
    (void)options;
    (void)report;
    return cliexit::done;
#else
    std::string error;
    const std::string dir = options.benchDir.empty() ? sim::DefaultBenchDir() : options.benchDir;
    if (sim::Machine().AttachBench(dir, &error)) return cliexit::done;
    // The bench's own words: it serves the tests alone, in English.
    return report.Error(cliexit::folderUnusable, AsIs(error));
#endif
}

// Standard input and error are held open on the null device where they
// are closed, so that no file the program opens takes their numbers and
// gets their lines; a closed standard output ends the program before
// anything is done (a closed one on Windows fails at its first line).
bool StandardOutputOpen()
{
#ifdef _WIN32
    return true;
#else
    for (int fd : {0, 2})
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) open("/dev/null", fd ? O_WRONLY : O_RDONLY);
    return fcntl(1, F_GETFD) != -1 || errno != EBADF;
#endif
}

// Output that could not be written ends a command that was done with its
// own code (a failure keeps its own), told on standard error: in English
// where --json was asked, as everything such a run prints.
int OutputChecked(const CliReport& report, int code)
{
    std::string why;
    if (!report.OutputFailed(&why)) return code;
    const CliText told = Said("the output could not be written: {1}", {why});
    std::fprintf(stderr, "vellmark-cli: %s\n", (report.Json() ? told.english : told.shown).c_str());
    return code == cliexit::done ? cliexit::outputFailed : code;
}

// The same guard as the window's: one copy of either program at a time.
int TakeOneCopyGuard(const CliReport& report)
{
    std::string running;
    switch (onecopy::TakeGuard(&running)) {
    case onecopy::Outcome::first: return cliexit::done;
    case onecopy::Outcome::another:
        return report.Error(cliexit::anotherCopy,
                            Said("another copy of vellmark or vellmark-cli runs ({1})", {running}));
    case onecopy::Outcome::failed:
        // The data folder or the lock cannot be used: no copy is known to run.
        return report.Error(cliexit::folderUnusable, Said("cannot make sure that no other copy runs: {1}", {running}));
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

int RunCommand(const CliOptions& options, const CliReport& report, const std::string& commandLine)
{
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
    ChooseProgramLanguage(LocaleVariables::read);
    if (!StandardOutputOpen()) {
        const CliText told = Said("the output could not be written: standard output is closed");
        std::fprintf(stderr, "vellmark-cli: %s\n", (JsonAsked(argc, argv) ? told.english : told.shown).c_str());
        return cliexit::outputFailed;
    }
    CliOptions options;
    CliText error;
    if (!ParseCliArguments(argc, argv, &options, &error)) {
        const CliReport report(JsonAsked(argc, argv));
        return OutputChecked(report, report.Error(cliexit::usage, error));
    }
    const CliReport report(options.json);
    if (options.command == CliCommand::help) {
        const std::string usage = CliUsage();
        report.Out(usage.substr(0, usage.size() - 1));
        return OutputChecked(report, cliexit::done);
    }
    if (options.command == CliCommand::version) {
        char version[32];
        GetFileVersionText(31, version);
        report.Out(std::string("vellmark-cli ") + version);
        return OutputChecked(report, cliexit::done);
    }
    consolesignals::Install();
    if (int code = AttachCameras(options, report)) return OutputChecked(report, code);
    int code = RunCommand(options, report, CommandLineText(argc, argv));
    code = OutputChecked(report, code < 0 ? cliexit::writeFailed : code);
    EndRecord(code);
    // A signal's end: the window closed and the permission revoked first.
    consolesignals::PassOn();
    return code;
}
