#include "machine_data/camera_backup.h"

#include <cstdio>
#include <vector>

#include "machine_data/data_subfolder.h"
#include "platform/data_files.h"

namespace camerabackup {

namespace {

constexpr size_t sizeLimit = 16 * 1024;
// Far more cameras of one product and ID than any machine sees.
constexpr int maxNumber = 999;

std::string NameOf(const Blocks& camera, int number)
{
    std::string name = std::to_string(ProductId(camera)) + "-" + std::to_string(CameraId(camera));
    if (number > 1) name.append("-").append(std::to_string(number));
    return name.append(".txt");
}

bool Listed(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& listed : names)
        if (listed == name) return true;
    return false;
}

bool IsBackupOf(const std::string& path, const Blocks& camera, Blocks* backup)
{
    std::string text, problem;
    Blocks read;
    if (datafiles::ReadFile(path, sizeLimit, &text) != datafiles::ReadResult::read) return false;
    if (!Parse(text, &read, &problem) || !SameCamera(read, camera)) return false;
    *backup = read;
    return true;
}

// Every file of the camera's two numbers is looked at, gaps included; the
// first number without a file is where a new backup goes.
bool Search(const std::string& folder, const Blocks& camera, Blocks* backup, bool* found, std::string* freeName)
{
    std::vector<std::string> names;
    *found = false;
    freeName->clear();
    if (!datafiles::ListFiles(folder, &names)) return false;
    for (int number = 1; number <= maxNumber; ++number) {
        std::string name = NameOf(camera, number);
        if (!Listed(names, name)) {
            if (freeName->empty()) *freeName = name;
            continue;
        }
        if (IsBackupOf(datafiles::Join(folder, name), camera, backup)) {
            *found = true;
            return true;
        }
    }
    return true;
}

std::string DateText()
{
    datafiles::LocalTime now = datafiles::Now();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return text;
}

}  // namespace

bool Find(const Blocks& camera, Blocks* backup, bool* found)
{
    std::string folder, freeName;
    *found = false;
    if (!machinedata::DataSubfolder(datafiles::Subfolder::backups, &folder)) return false;
    return folder.empty() || Search(folder, camera, backup, found, &freeName);
}

bool KeepOnce(const Blocks& camera, const std::string& version)
{
    std::string folder, freeName;
    if (!machinedata::DataSubfolder(datafiles::Subfolder::backups, &folder)) return false;
    if (folder.empty()) return true;
    Blocks backup;
    bool found = false;
    if (!Search(folder, camera, &backup, &found, &freeName)) return false;
    if (found) return true;
    bool existed = false;
    return !freeName.empty() &&
           datafiles::CreateFileOnce(datafiles::Join(folder, freeName), Format(camera, DateText(), version), &existed);
}

}  // namespace camerabackup
