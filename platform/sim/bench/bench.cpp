#include "platform/sim/bench/bench.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"

namespace fs = std::filesystem;

namespace sim {

const char cameraNameRule[] = "1 to 64 letters, digits, '-', '_' or '.', not starting with '.'";

namespace {

// The per-user state directory's bench, the one nobody named.
std::string PerUserBenchDir()
{
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

}  // namespace

std::string DefaultBenchDir()
{
    if (const char* dir = std::getenv("VELLMARK_BENCH"); dir && *dir) return dir;
    return PerUserBenchDir();
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

namespace {

// The folder the bench's directory lies in ("." for a bare name).
fs::path ParentOf(const std::string& dir)
{
    fs::path path(dir);
    if (!path.has_filename()) path = path.parent_path();
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The per-user bench's parents are the program's own state folders, made
// as the per-user state directory's rules ask (for the owner alone); the
// parents of a bench the user names are never made: a mistyped path is
// refused, not made.
bool MakeParents(const std::string& dir, std::string* reason)
{
    const fs::path parent = ParentOf(dir);
    std::error_code ec;
    if (fs::is_directory(parent, ec)) return true;
    const char* named = std::getenv("VELLMARK_BENCH");
    if ((named && *named) || dir != PerUserBenchDir()) {
        *reason = "the folder it would be made in, " + parent.string() + ", does not exist";
        return false;
    }
    fs::path made;
    for (const auto& part : parent) {
        made /= part;
        if (fs::is_directory(made, ec)) continue;
        fs::create_directory(made, ec);
        if (!ec) fs::permissions(made, fs::perms::owner_all, ec);
        if (ec) {
            *reason = made.string() + ": " + ec.message();
            return false;
        }
    }
    return true;
}

}  // namespace

// The bench's directory is the user's: made only where its parent exists,
// used as it stands (it may be a link a user planted), and refused, with
// nothing made or changed in it, when others may write it. Its folders
// must be folders, never links.
bool Prepare(const std::string& dir, std::string* error)
{
    if (dir.empty()) {
        *error = "the bench directory is an empty name";
        return false;
    }
    std::string reason;
    std::error_code ec;
    bool usable = fs::exists(fs::path(dir), ec) || (MakeParents(dir, &reason) && os::MakeRoot(dir, &reason));
    if (usable) reason = os::RootRefusal(dir);
    if (!reason.empty()) {
        *error = "cannot use the bench directory " + dir + ": " + reason;
        return false;
    }
    for (const char* folder : {"cameras", "registry", "registry/HKLM", "registry/HKCU"}) {
        std::vector<os::Entry> entries;
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
