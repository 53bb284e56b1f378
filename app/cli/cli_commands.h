// The console program's commands; each gives the exit code.
#pragma once

#include "app/cli/cli_options.h"
#include "app/cli/cli_report.h"

namespace cliexit {
constexpr int done = 0;
constexpr int writeFailed = 1;
constexpr int usage = 2;
constexpr int noCamera = 3;
constexpr int noRights = 4;
constexpr int timedOut = 5;
constexpr int anotherCopy = 6;
constexpr int differentCamera = 7;
constexpr int permissionStayed = 8;
constexpr int folderUnusable = 9;
constexpr int outputFailed = 10;
}  // namespace cliexit

int RunStatus(const CliOptions& options, const CliReport& report);
int RunWrite(const CliOptions& options, const CliReport& report);
int RunRevoke(const CliOptions& options, const CliReport& report);
