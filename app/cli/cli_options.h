// The console program's command line.
#pragma once

#include <cstdint>
#include <string>

#include "app/cli/cli_camera_choice.h"
#include "app/cli/cli_report.h"

enum class CliCommand { status, write, revoke, help, version };

struct CliOptions {
    CliCommand command = CliCommand::help;
    bool json = false;
    std::string mode;  // write: "disabled", "enabled" or "original"
    bool cameraGiven = false;
    CameraChoice camera;  // write: what --camera gave
    int waitSeconds = 300;
    bool force = false;  // write: written even when the camera holds the mode already
    std::string benchDir;  // the bench, where cameras are simulated
};

// The help, --help's answer, in the chosen language; it ends with a line end.
std::string CliUsage();

// False with *error saying, in one line, what is wrong.
bool ParseCliArguments(int argc, char** argv, CliOptions* options, CliText* error);
// Whether --json stands anywhere on the command line, so that even a
// command line that cannot be parsed is answered in JSON.
bool JsonAsked(int argc, char** argv);
