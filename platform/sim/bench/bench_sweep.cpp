// What dead processes left on the bench, removed under the exclusive lock:
// new files beside the cameras' and the registry's files ("NAME.new.P.N",
// P the process that wrote it), cameras they were making (".NAME.new.P.N"
// in the cameras folder), and changes they left half done, finished.
// Only the bench's own folders are looked into; what else lies in the
// bench's directory belongs to others.
#include <cstdlib>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"

namespace sim::bench {

namespace {

// The process of a name ending in ".new.P.N", and whether it is gone.
bool LeftByGoneProcess(const std::string& name)
{
    size_t at = name.rfind(".new.");
    if (at == std::string::npos) return false;
    std::string rest = name.substr(at + 5);
    size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string::npos || dot + 1 >= rest.size()) return false;
    if (rest.find_first_not_of("0123456789.") != std::string::npos || rest.find('.', dot + 1) != std::string::npos)
        return false;
    return os::ProcessGone(std::strtoul(rest.substr(0, dot).c_str(), nullptr, 10));
}

void SweepFolder(const std::string& dir, const std::string& folder, bool deep)
{
    std::vector<os::Entry> entries;
    std::string reason;
    if (!os::ListFolder(dir, folder, &entries, &reason)) return;
    for (const auto& entry : entries) {
        const std::string path = folder + "/" + entry.name;
        if (entry.kind == os::Kind::folder && deep)
            SweepFolder(dir, path, true);
        else if (entry.kind != os::Kind::folder && LeftByGoneProcess(entry.name))
            os::RemoveFile(dir, path);
    }
}

}  // namespace

void SweepLeftovers(const std::string& dir)
{
    std::vector<os::Entry> entries;
    std::string reason;
    if (os::ListFolder(dir, "cameras", &entries, &reason)) {
        for (const auto& entry : entries) {
            if (entry.kind != os::Kind::folder) continue;
            const std::string folder = "cameras/" + entry.name;
            if (entry.name[0] == '.') {
                if (LeftByGoneProcess(entry.name)) RemoveFolderAndFiles(dir, folder);
                continue;
            }
            std::string error;
            FinishChange(dir, entry.name, &error);
            SweepFolder(dir, folder, false);
        }
    }
    SweepFolder(dir, "registry", true);
}

}  // namespace sim::bench
