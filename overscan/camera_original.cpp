// The camera's backup as the wizard uses it: saved before the camera's
// first write, and its own numbers offered at step 4 as "Original" when no
// table row holds them.
#include "app/main_window.h"
#include "app/orvel_config.h"
#include "machine_data/camera_backup.h"
#include "machine_data/run_record.h"
#include "overscan/camera_blocks.h"
#include "overscan/geometry_tables.h"
#include "toolkit/memory.h"

camerabackup::Blocks BlocksOf(uint32_t familyFlags, const uint8_t* header, const uint8_t* descriptor,
                              const uint8_t* geometry)
{
    camerabackup::Blocks blocks;
    blocks.classRow = camerabackup::ClassRowOf(familyFlags);
    Move(header, blocks.header, headerLength);
    Move(descriptor, blocks.descriptor, DescriptorLength(familyFlags));
    Move(geometry, blocks.geometry, geometryLength);
    return blocks;
}

namespace {

camerabackup::SensorTotals TotalsOfRow(int sensorIndex)
{
    camerabackup::SensorTotals totals;
    if (sensorIndex < 1 || sensorIndex >= sensorRowCount) return totals;
    totals.width = static_cast<uint32_t>(normalGeometry[sensorIndex].totalWidth);
    totals.height = static_cast<uint32_t>(normalGeometry[sensorIndex].totalHeight);
    return totals;
}

void NotePassedOver(const camerabackup::Search& search)
{
    for (const std::string& passed : search.passedOver) runrecord::Note("backup passed over: " + passed);
}

}  // namespace

// The kept record is what step 1 read and steps 3 and 4 found unchanged.
bool COrvelConfig::KeepBackup()
{
    char version[32];
    GetFileVersionText(31, version);
    unsavedNote.clear();
    camerabackup::Search search;
    bool kept = camerabackup::KeepOnce(BlocksOf(familyFlags, headerBlock, KeptDescriptor(), geometryBlock),
                                       TotalsOfRow(sensorIndex), version, &search);
    NotePassedOver(search);
    if (!search.name.empty()) runrecord::Note((search.found ? "backup found as " : "backup saved as ") + search.name);
    if (!kept) runrecord::Note("backup: cannot be saved");
    return kept;
}

// The name of the kept camera's backup, the one the program believes, or
// empty.
std::string COrvelConfig::BackupFileName()
{
    camerabackup::Blocks backup;
    camerabackup::Search search;
    bool searched = camerabackup::Find(BlocksOf(familyFlags, headerBlock, KeptDescriptor(), geometryBlock),
                                       TotalsOfRow(sensorIndex), &backup, &search);
    return searched && search.found ? search.name : std::string();
}

void COrvelConfig::FindOriginal()
{
    originalOffered = false;
    if (sensorIndex < 1 || sensorIndex >= sensorRowCount) return;
    camerabackup::Blocks backup;
    camerabackup::Search search;
    bool searched = camerabackup::Find(BlocksOf(familyFlags, headerBlock, KeptDescriptor(), geometryBlock),
                                       TotalsOfRow(sensorIndex), &backup, &search);
    NotePassedOver(search);
    if (!searched || !search.found) return;
    const uint32_t backupFlags = camerabackup::ClassMask(backup.classRow);
    originalFields = FieldsOfBlocks(backupFlags, backup.descriptor, backup.geometry);
    originalOffered = !SameFields(originalFields, FieldsOfRow(normalGeometry[sensorIndex])) &&
                      !SameFields(originalFields, FieldsOfRow(overscanGeometry[sensorIndex]));
}
