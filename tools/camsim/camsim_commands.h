// The commands of camsim, each over the simulated machine attached to a
// bench. Each gives the exit code: 0 done, 1 the bench could not be read
// or saved (one line naming the file and the reason), 2 bad input
// (nothing changed).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_camera.h"

using Arguments = std::vector<std::string>;

int CreateCamera(const Arguments& args);
int PlugCamera(const Arguments& args, bool plug);
int ListCameras(const Arguments& args);
int ShowCamera(const Arguments& args);
int QueryRegistry(const Arguments& args);
int SetFault(const Arguments& args);

// One line on stderr, and the exit code for bad input, or for a failure.
int BadInput(const std::string& message);
// A create's arguments: the camera's name, then option and value pairs, each
// handed to the parser; 0, or the exit code of the first bad one.
int ParseNameAndOptions(const Arguments& args, std::string* name,
                        const std::function<int(const std::string&, const std::string&)>& parseOption);
int Failed(const std::string& message);

// Makes the Parameters key of the product's driver, as an installed driver
// has it; false, its line written, when it cannot.
bool MakeDriverKey(uint16_t productId);
// The named camera, when it is on the bench and not damaged; else null
// with the exit code given, its line written.
sim::SimCamera* NamedCamera(const std::string& name, int* exitCode);
// "status at transfer 5 (status 0x82)"
std::string FaultText(const sim::Fault& fault);
