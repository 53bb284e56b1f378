#include "platform/sim/bench/bench.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"

namespace fs = std::filesystem;

namespace sim {

const char cameraNameRule[] = "1 to 64 letters, digits, '-', '_' or '.', not starting with '.'";

std::string DefaultBenchDir()
{
    if (const char* dir = std::getenv("VELLMARK_BENCH"); dir && *dir) return dir;
#ifdef _WIN32
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
        return std::string(local) + "\\Vellmark\\bench";
    return "Vellmark\\bench";
#else
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::string(state) + "/vellmark/bench";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/state/vellmark/bench";
#endif
}

bool IsValidCameraName(const std::string& name)
{
    if (name.empty() || name.size() > 64 || name[0] == '.') return false;
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                  c == '_' || c == '.';
        if (!ok) return false;
    }
    return true;
}

namespace bench {

bool ReadFileText(const std::string& path, std::string* text)
{
    std::string error;
    return ReadWhole(path, text, &error);
}

// The bench's directory is made when missing (it may be a link a user
// planted); its folders must be folders, never links.
bool Prepare(const std::string& dir, std::string* error)
{
    std::error_code ec;
    if (dir.empty()) {
        *error = "the bench directory is an empty name";
        return false;
    }
    fs::create_directories(fs::path(dir), ec);
    if (ec) {
        *error = "cannot use the bench directory " + dir + ": " + ec.message();
        return false;
    }
    for (const char* folder : {"cameras", "registry", "registry/HKLM", "registry/HKCU"}) {
        std::vector<os::Entry> entries;
        std::string reason;
        if (os::ListFolder(dir, folder, &entries, &reason)) continue;
        if (!os::MakeFolder(dir, folder, &reason) && !os::ListFolder(dir, folder, &entries, &reason)) {
            *error = "cannot use the bench directory " + dir + ": " + reason;
            return false;
        }
    }
    return true;
}

std::vector<std::string> CameraNames(const std::string& dir)
{
    std::vector<os::Entry> entries;
    std::vector<std::string> names;
    std::string reason;
    if (!os::ListFolder(dir, "cameras", &entries, &reason)) return names;
    for (const auto& entry : entries)
        if (entry.name[0] != '.') names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace bench
}  // namespace sim
