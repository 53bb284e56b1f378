// The console program's command line.
#pragma once

#include <cstdint>
#include <string>

enum class CliCommand { status, write, help, version };

struct CliOptions {
    CliCommand command = CliCommand::help;
    bool json = false;
    std::string mode;  // write: "disabled", "enabled" or "original"
    bool cameraGiven = false;
    uint32_t cameraId = 0;
    int waitSeconds = 300;
    std::string benchDir;  // the bench, where cameras are simulated
};

extern const char cliUsage[];

// False with *error saying, in one line, what is wrong.
bool ParseCliArguments(int argc, char** argv, CliOptions* options, std::string* error);
// Whether --json stands anywhere on the command line, so that even a
// command line that cannot be parsed is answered in JSON.
bool JsonAsked(int argc, char** argv);
