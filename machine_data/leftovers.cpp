#include "machine_data/leftovers.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/data_files.h"

namespace machinedata {

namespace {

bool AllDigits(const std::string& text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// NAME.new.PID.N with a process id that no live run has (this one aside:
// at start it has written nothing yet).
bool IsDeadRunsNewFile(const std::string& name)
{
    size_t mark = name.rfind(".new.");
    if (mark == std::string::npos || mark == 0) return false;
    std::string rest = name.substr(mark + 5);
    size_t dot = rest.find('.');
    if (dot == std::string::npos || !AllDigits(rest.substr(0, dot)) || !AllDigits(rest.substr(dot + 1))) return false;
    uint32_t process = static_cast<uint32_t>(std::strtoul(rest.c_str(), nullptr, 10));
    return process == datafiles::ProcessId() || datafiles::ProcessStartTime(process) == 0;
}

void SweepFolder(datafiles::Place place)
{
    datafiles::Folder* folder = nullptr;
    std::string why;
    std::vector<std::string> names;
    if (!datafiles::OpenFolder(place, &folder, &why) || !folder || !datafiles::List(folder, &names)) return;
    for (const std::string& name : names)
        if (IsDeadRunsNewFile(name)) datafiles::Remove(folder, name);
}

}  // namespace

void SweepLeftovers()
{
    for (datafiles::Place place : {datafiles::Place::data, datafiles::Place::backups, datafiles::Place::logs})
        SweepFolder(place);
}

}  // namespace machinedata
