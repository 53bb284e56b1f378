// The commands of camsim, each over the simulated machine attached to a
// bench. Each gives the exit code: 0 done, 2 bad input (nothing changed).
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int CreateCamera(const Arguments& args);
int PlugCamera(const Arguments& args, bool plug);
int ListCameras(const Arguments& args);
int ShowCamera(const Arguments& args);
int QueryRegistry(const Arguments& args);
int SetFault(const Arguments& args);

// One line on stderr, and the exit code for bad input.
int BadInput(const std::string& message);
