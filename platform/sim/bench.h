// The bench: the simulated machine's cameras and registry kept in a
// directory, so that separate processes (the program, camsim, a test)
// share one world, and a person can read it.
//
//   DIR/cameras/NAME/eeprom.bin     the 256 bytes of the camera's EEPROM
//   DIR/cameras/NAME/state.txt      class, plugged, permission, faults, ...
//   DIR/cameras/NAME/transfers.txt  EEPROM transfers served since creation
//   DIR/registry/HKLM/KEY/.../values.reg   one file of values per key
//   DIR/registry/HKCU/...
#pragma once

#include <string>

namespace sim {

class SimCamera;
class SimMachine;
class SimRegistry;

// --bench, else VELLMARK_BENCH, else the per-user state directory.
std::string DefaultBenchDir();

// Valid camera names: letters, digits, '-', '_' and '.', not starting with '.'.
bool IsValidCameraName(const std::string& name);

namespace bench {

bool Prepare(const std::string& dir, std::string* error);
bool LoadRegistry(const std::string& dir, SimRegistry& registry);
bool SaveRegistry(const std::string& dir, const SimRegistry& registry);

// The state file's text for a camera, and a camera's state read from it.
std::string StateText(const SimCamera& camera);
bool ApplyStateText(const std::string& text, SimCamera& camera);

bool SaveCamera(const std::string& dir, const SimCamera& camera);
bool SaveTransfers(const std::string& dir, const SimCamera& camera);
bool ReadFileText(const std::string& path, std::string* text);
bool LoadCamera(const std::string& dir, const std::string& name, SimCamera& camera);

}  // namespace bench
}  // namespace sim
