// The bench: the simulated machine's cameras and registry kept in a
// directory, so that separate processes (the program, camsim, a test)
// share one world, and a person can read it.
//
//   DIR/bench.lock                  the lock every reader and change takes
//   DIR/cameras/NAME/eeprom.bin     the 256 bytes of the camera's EEPROM
//   DIR/cameras/NAME/state.txt      class, plugged, permission, faults, ...
//   DIR/cameras/NAME/transfers.txt  EEPROM transfers served since creation
//   DIR/registry/HKLM/KEY/.../values.reg   one file of values per key
//   DIR/registry/HKCU/...
//
// The files are the one source of truth: a change is made under the
// bench's exclusive lock on what the files hold at that moment, and saved
// before the lock is released (bench_files.h).
#pragma once

#include <string>
#include <vector>

namespace sim {

class SimCamera;
class SimMachine;
class SimRegistry;
struct RegKey;

// --bench, else VELLMARK_BENCH, else the per-user state directory.
std::string DefaultBenchDir();

// Valid camera names: 1 to 64 letters, digits, '-', '_' and '.', not
// starting with '.'.
bool IsValidCameraName(const std::string& name);
extern const char cameraNameRule[];

namespace bench {

bool Prepare(const std::string& dir, std::string* error);

// Registry: the whole tree read; one key saved, its lines that are not
// values kept as they stand.
bool LoadRegistry(const std::string& dir, SimRegistry& registry);
bool SaveRegistryKey(const std::string& dir, bool machineHive, const std::vector<std::string>& path,
                     const RegKey& key, std::string* error);
bool SaveRegistry(const std::string& dir, const SimRegistry& registry);

// The state file's text for a camera, and a camera's state read from it;
// false with what is wrong in *damage for a text that is not a state.
std::string StateText(const SimCamera& camera);
bool ApplyStateText(const std::string& text, SimCamera& camera, std::string* damage = nullptr);

// The names of the folders under DIR/cameras, sorted.
std::vector<std::string> CameraNames(const std::string& dir);
// Reads a camera's three files; false with the reason it is damaged.
bool LoadCamera(const std::string& dir, const std::string& name, SimCamera& camera, std::string* damage = nullptr);

enum CameraFiles : unsigned { eepromFile = 1, stateFile = 2, transfersFile = 4, allFiles = 7 };
// Saves the named files of a camera; false with the file and the reason.
bool SaveCamera(const std::string& dir, const SimCamera& camera, unsigned files, std::string* error);
// Makes the folder of a new camera, refused when the name is taken in any
// letter case (whatever the folder holds).
bool MakeCameraFolder(const std::string& dir, const std::string& name, std::string* error);

bool ReadFileText(const std::string& path, std::string* text);

}  // namespace bench
}  // namespace sim
