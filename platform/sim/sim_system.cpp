// The simulated system information: its defaults and the program's
// version record.
#include <cstring>

#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_system.h"

namespace sim {

SimSystem::SimSystem()
{
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    version.dwMajorVersion = 10;
    version.dwMinorVersion = 0;
    version.dwBuildNumber = 19045;
    version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    UseProgramVersionRecord();
}


void SimSystem::SetVersionText(const std::string& path, const std::string& value)
{
    RemoveVersionValue(path);
    std::vector<uint8_t> data(value.begin(), value.end());
    data.push_back(0);
    versionRecord.push_back(VersionValue{path, data, true});
}

bool SimSystem::RemoveVersionValue(const std::string& path)
{
    for (auto it = versionRecord.begin(); it != versionRecord.end(); ++it) {
        if (!SameName(it->path, path)) continue;
        versionRecord.erase(it);
        return true;
    }
    return false;
}

// The record the program's resources carry.
void SimSystem::UseProgramVersionRecord()
{
    versionRecord.clear();
    versionRecord.push_back(VersionValue{"\\VarFileInfo\\Translation", {0x09, 0x04, 0xE4, 0x04}, false});
    const std::string table = "\\StringFileInfo\\040904e4\\";
    SetVersionText(table + "CompanyName", "Kestrane");
    SetVersionText(table + "FileDescription", "Brenn Camera OverScan Contiguration Tool");
    SetVersionText(table + "FileVersion", "1.1.0.0");
    SetVersionText(table + "InternalName", "vellmark");
    SetVersionText(table + "LegalCopyright", "Copyright (C) 2009-2026 Kestrane");
    SetVersionText(table + "OriginalFilename", "vellmark.exe");
    SetVersionText(table + "ProductName", "Vellmark");
    SetVersionText(table + "ProductVersion", "1.1.0.0");
    SetVersionText(table + "CodeStyle", "Ansi");
}

}  // namespace sim
