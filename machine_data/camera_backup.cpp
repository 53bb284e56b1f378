#include "machine_data/camera_backup.h"

#include <cstdio>
#include <cstring>

#include "overscan/written_fields.h"
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

bool SameBlocks(const Blocks& a, const Blocks& b)
{
    return a.classRow == b.classRow && std::memcmp(a.header, b.header, sizeof a.header) == 0 &&
           std::memcmp(a.descriptor, b.descriptor, sizeof a.descriptor) == 0 &&
           std::memcmp(a.geometry, b.geometry, sizeof a.geometry) == 0;
}

enum class Verdict { backup, otherCamera, passedOver };

// Whether the file is the camera's backup; *why when it is passed over.
// For keeping, a file of exactly the camera's blocks is its backup even
// when its numbers are impossible: they are the camera's own.
Verdict Judge(datafiles::Folder* folder, const std::string& name, const Blocks& camera, SensorTotals totals,
              bool keeping, Blocks* read, std::string* why)
{
    // A link, FIFO, socket or folder at the name is named for what it is,
    // looked at without opening it: a FIFO opened could wait for a writer.
    datafiles::Standing standing;
    if (datafiles::Look(folder, name, &standing) && (standing.redirect || !standing.regular)) {
        *why = datafiles::PlantedWhy(standing);
        return Verdict::passedOver;
    }
    std::string text;
    switch (datafiles::Read(folder, name, sizeLimit, &text)) {
    case datafiles::ReadResult::planted: *why = "not made by the program"; return Verdict::passedOver;
    case datafiles::ReadResult::read: break;
    default: *why = "cannot be read"; return Verdict::passedOver;
    }
    if (!Parse(text, read, why)) return Verdict::passedOver;
    if (!SameCamera(*read, camera)) return Verdict::otherCamera;
    if (Plausible(*read, totals) || (keeping && SameBlocks(*read, camera))) return Verdict::backup;
    *why = "its numbers are not possible for the camera's sensor";
    return Verdict::passedOver;
}

// Every name of the camera's two numbers is looked at, gaps included,
// whatever stands there; the first number with nothing at its name is
// where a new backup goes.
bool SearchFolder(datafiles::Folder* folder, const Blocks& camera, SensorTotals totals, bool keeping,
                  Blocks* backup, Search* search, std::string* freeName)
{
    std::vector<std::string> names;
    *search = Search();
    freeName->clear();
    if (!datafiles::Names(folder, &names)) return false;
    for (int number = 1; number <= maxNumber; ++number) {
        std::string name = NameOf(camera, number), why;
        if (!Listed(names, name)) {
            if (freeName->empty()) *freeName = name;
            continue;
        }
        switch (Judge(folder, name, camera, totals, keeping, backup, &why)) {
        case Verdict::backup:
            search->found = true;
            search->name = name;
            return true;
        case Verdict::passedOver: search->passedOver.push_back(name + ": " + why); break;
        case Verdict::otherCamera: break;
        }
    }
    return true;
}

std::string DateText()
{
    datafiles::UtcTime now = datafiles::Now();
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    return text;
}

}  // namespace

bool Plausible(const Blocks& backup, SensorTotals totals)
{
    WrittenFields f = FieldsOfBlocks(ClassMask(backup.classRow), backup.descriptor, backup.geometry);
    return f.totalWidth == totals.width && f.totalHeight == totals.height && f.visibleWidth > 0 &&
           f.visibleHeight > 0 && uint32_t{f.visibleWidth} + f.xOffset <= f.totalWidth &&
           uint32_t{f.visibleHeight} + f.yOffset <= f.totalHeight &&
           uint32_t{f.widthAfterOffset} + f.xOffset == f.totalWidth;
}

bool Find(const Blocks& camera, SensorTotals totals, Blocks* backup, Search* search)
{
    datafiles::Folder* folder = nullptr;
    std::string freeName, why;
    *search = Search();
    if (!datafiles::OpenFolder(datafiles::Place::backups, &folder, &why)) return false;
    return !folder || SearchFolder(folder, camera, totals, false, backup, search, &freeName);
}

bool KeepOnce(const Blocks& camera, SensorTotals totals, const std::string& version, Search* search)
{
    datafiles::Folder* folder = nullptr;
    std::string freeName, why;
    *search = Search();
    if (!datafiles::OpenFolder(datafiles::Place::backups, &folder, &why)) return false;
    if (!folder) return true;
    Blocks backup;
    if (!SearchFolder(folder, camera, totals, true, &backup, search, &freeName)) return false;
    if (search->found) return true;
    bool existed = false;
    if (freeName.empty() || !datafiles::CreateOnce(folder, freeName, Format(camera, DateText(), version), &existed))
        return false;
    search->name = freeName;
    return true;
}

}  // namespace camerabackup
