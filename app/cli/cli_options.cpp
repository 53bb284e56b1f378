#include "app/cli/cli_options.h"

#include <cstdlib>
#include <cstring>

#include "i18n/translate.h"

namespace {

// The help, entry by entry, each looked up whole so that a language words
// and breaks its lines as it needs; command and option names, the words
// the command line takes and the exit codes stay as they are.
const char usageLines[] =
    "usage: vellmark-cli status [--json]\n"
    "       vellmark-cli write disabled|enabled|original [--camera CAMERA] [--wait SECONDS] [--force] [--json]\n"
    "       vellmark-cli revoke [--json]\n"
    "       vellmark-cli --help | --version";
const char* const commandEntries[] = {
    "  status  lists every connected camera: class row, product id, type, camera ID, sensor row,\n"
    "          the mode as the wizard's step 1 shows it, its backup, whether \"Original\" is offered, the\n"
    "          frame it holds (visible of total size at the x,y offsets), its interface path, and the mode\n"
    "          of its unfinished update if there is one. Bytes that are no printable ASCII show as \\xHH.\n"
    "          Changes nothing, so it runs beside a write of another copy; a camera that copy holds is\n"
    "          listed with mode busy and nothing else.",
    "  write   the wizard's job on one camera (the one --camera chooses, or the only one connected):\n"
    "          unplug its power when asked, plug it in again when asked; it is written and verified.\n"
    "          Each wait lasts at most --wait seconds (300). A camera that holds the mode's numbers\n"
    "          already is left alone (nothing granted, asked or written; exit 0); --force writes it all the same.",
    "  revoke  removes the write permission (AllowEEPROMWrite) that runs which have ended left under\n"
    "          the drivers' keys, as the grants journal lists them; a running copy's is left. One line\n"
    "          a driver key: what was done and why. Runs beside a running copy.",
    "  --camera CAMERA  its camera ID, PRODUCTID-CAMERAID (as its backup file is named), or its\n"
    "          interface path as status shows it; where several cameras match, the error lists them.",
    "  --json  one JSON object a line: a camera each, or an event each, errors too (also bad usage,\n"
    "          wherever --json stands); a write's lines carry camera_id and time (UTC) once the camera\n"
    "          is chosen.",
#ifndef _WIN32
    "  --bench DIR  the bench of simulated cameras, else $VELLMARK_BENCH, else\n"
    "          $XDG_STATE_HOME/vellmark/bench (~/.local/state/vellmark/bench).",
#endif
};
const char exitCodes[] =
    "exit codes:\n"
    "  0  done\n"
    "  1  the write, its verification or the backup failed (the camera put back as far as it answers)\n"
    "  2  bad usage\n"
    "  3  no camera, no such camera, or it cannot be configured\n"
    "  4  no administrator rights, or the permission could not be granted\n"
    "  5  a wait timed out (nothing written; the permission revoked)\n"
    "  6  another copy runs (write; status runs beside it)\n"
    "  7  a different camera was plugged in\n"
    "  8  the permission could not be removed afterwards (revoke: a permission could not be removed)\n"
    "  9  the bench or the data folder cannot be used, or its lock cannot be opened\n"
    "  10 the output could not be written (standard output closed, a full disk)\n"
    "  a signal's status when a signal ended it (the permission revoked first)";

}  // namespace

std::string CliUsage()
{
    std::string usage = std::string(Tr(usageLines)) + "\n\n";
    for (const char* entry : commandEntries) usage += std::string(Tr(entry)) + "\n";
    return usage + "\n" + Tr(exitCodes) + "\n";
}

namespace {

bool Number(const char* text, unsigned long max, unsigned long* value)
{
    if (!text || !*text || std::strlen(text) > 10) return false;
    for (const char* c = text; *c; ++c)
        if (*c < '0' || *c > '9') return false;
    *value = std::strtoul(text, nullptr, 10);
    return *value <= max;
}

bool Fail(CliText* error, const CliText& text)
{
    error->english = text.english + " (see vellmark-cli --help)";
    error->shown = TrFormat("{1} (see vellmark-cli --help)", {text.shown});
    return false;
}

// The options after the command; i is the index of the first one.
bool ParseOptions(int argc, char** argv, int i, CliOptions* options, CliText* error)
{
    for (; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        unsigned long number = 0;
        if (option == "--json") {
            options->json = true;
        } else if (option == "--bench" && options->command != CliCommand::help) {
#ifdef _WIN32
            return Fail(error, Said("unknown option '--bench'"));
#endif
            if (!value || !*value) return Fail(error, Said("--bench needs a directory"));
            options->benchDir = argv[++i];
        } else if (option == "--camera" && options->command == CliCommand::write) {
            if (!value || !ParseCameraChoice(value, &options->camera))
                return Fail(error, Said("--camera needs a camera ID (a decimal number), PRODUCTID-CAMERAID or an "
                                        "interface path as status shows it"));
            options->cameraGiven = true;
            ++i;
        } else if (option == "--force" && options->command == CliCommand::write) {
            options->force = true;
        } else if (option == "--wait" && options->command == CliCommand::write) {
            if (!Number(value, 86400, &number) || number == 0)
                return Fail(error, Said("--wait needs a number of seconds from 1 to 86400"));
            options->waitSeconds = static_cast<int>(number);
            ++i;
        } else {
            return Fail(error, Said("unknown argument '{1}'", {option}));
        }
    }
    return true;
}

}  // namespace

bool ParseCliArguments(int argc, char** argv, CliOptions* options, CliText* error)
{
    if (argc < 2) return Fail(error, Said("a command is needed: status or write"));
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        options->command = CliCommand::help;
        return argc == 2 || Fail(error, Said("--help takes no arguments"));
    }
    if (command == "--version") {
        options->command = CliCommand::version;
        return argc == 2 || Fail(error, Said("--version takes no arguments"));
    }
    if (command == "status") {
        options->command = CliCommand::status;
        return ParseOptions(argc, argv, 2, options, error);
    }
    if (command == "revoke") {
        options->command = CliCommand::revoke;
        return ParseOptions(argc, argv, 2, options, error);
    }
    if (command != "write") return Fail(error, Said("unknown command '{1}'", {command}));
    options->command = CliCommand::write;
    if (argc < 3) return Fail(error, Said("write needs a mode: disabled, enabled or original"));
    options->mode = argv[2];
    if (options->mode != "disabled" && options->mode != "enabled" && options->mode != "original")
        return Fail(error, Said("unknown mode '{1}': disabled, enabled or original", {options->mode}));
    return ParseOptions(argc, argv, 3, options, error);
}

bool JsonAsked(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--json") == 0) return true;
    return false;
}
