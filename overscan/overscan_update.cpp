// The overscan update of wizard step 4: the chosen geometry of the camera's
// sensor put into the kept blocks, written, read back and compared; after
// a failure the blocks put back as they were.
#include "app/orvel_config.h"
#include "machine_data/camera_backup_text.h"
#include "machine_data/run_record.h"
#include "overscan/camera_blocks.h"
#include "overscan/geometry_tables.h"
#include "overscan/written_fields.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/memory.h"

// The fields of the chooser's item: a table row of the camera's sensor, or
// the camera's own numbers from its backup.
WrittenFields COrvelConfig::ChosenFields() const
{
    const int position = modeCombo ? modeCombo->SelectedPosition() : 0;
    if (position == originalPosition && originalOffered) return originalFields;
    return FieldsOfRow((position == enabledPosition ? overscanGeometry : normalGeometry)[sensorIndex]);
}

bool COrvelConfig::WriteVerified(uint8_t address, uint32_t length, const uint8_t* block)
{
    uint8_t readBack[descriptorLengthB];
    return WriteEeprom(address, length, block) && ReadEeprom(address, length, readBack) &&
           Compare(block, readBack, length) == length;
}

// The camera that the update checked: still connected or, when a lost
// transfer closed the connection, opened again and found to be the same
// camera but for the fields that the update writes.
bool COrvelConfig::ReachSameCamera(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry)
{
    if (familyFlags & connectedFlag) return true;
    const uint32_t updatedFlags = familyFlags;
    OpenCamera();
    uint8_t headerNow[headerLength];
    uint8_t descriptorNow[descriptorLengthB];
    uint8_t geometryNow[geometryLength];
    return (familyFlags & connectedFlag) && ReadCameraBlocks(headerNow, descriptorNow, geometryNow) &&
           camerabackup::SameCamera(BlocksOf(familyFlags, headerNow, descriptorNow, geometryNow),
                                    BlocksOf(updatedFlags, header, descriptor, geometry));
}

// Puts back a block as it was before the update, while the camera answers;
// false when it cannot.
bool COrvelConfig::RestoreBlock(uint8_t address, uint32_t length, const uint8_t* original)
{
    return WriteVerified(address, length, original);
}

// After a failed write or read-back: the blocks that were sent put back as
// they were read right before the update, each tried on its own, so that a
// geometry that cannot be put back does not keep the descriptor from it.
// True when every block sent is back and verified.
bool COrvelConfig::PutBackBlocks(bool geometrySent, const uint8_t* header, const uint8_t* descriptor,
                                 const uint8_t* geometry)
{
    const uint32_t descriptorLength = DescriptorLength(familyFlags);
    const uint8_t geometryAddress = static_cast<uint8_t>(GeometryAddress(familyFlags));
    bool back = true;
    runrecord::PuttingBack(true);
    if (geometrySent) {
        back = ReachSameCamera(header, descriptor, geometry) &&
               RestoreBlock(geometryAddress, geometryLength, geometry);
        runrecord::PutBack("geometry", geometryAddress, geometryLength, back);
    }
    const bool descriptorBack = ReachSameCamera(header, descriptor, geometry) &&
                                RestoreBlock(descriptorAddress, descriptorLength, descriptor);
    runrecord::PuttingBack(false);
    runrecord::PutBack("descriptor", descriptorAddress, descriptorLength, descriptorBack);
    return back && descriptorBack;
}

UpdateOutcome COrvelConfig::UpdateOverscan()
{
    if (!(familyFlags & connectedFlag)) return UpdateOutcome::notConnected;
    if (sensorIndex < 1 || sensorIndex >= sensorRowCount) return UpdateOutcome::writeFailed;

    // The connection may have been opened again since step 3, perhaps to
    // another camera: check it is still the scanned one before writing.
    // What is read here is also what a failed update puts back.
    uint8_t header[headerLength];
    uint8_t descriptor[descriptorLengthB];
    uint8_t geometry[geometryLength];
    if (!ReadCameraBlocks(header, descriptor, geometry)) return UpdateOutcome::writeFailed;
    if (!SameAsKept(header, descriptor, geometry)) return UpdateOutcome::differentCamera;
    // The camera's own numbers are kept before anything is written to it,
    // and the update is noted, so that an end between the two blocks is
    // told by the next run.
    if (!KeepBackup() || !NoteUpdateBegun()) return UpdateOutcome::backupFailed;

    PutFields(familyFlags, ChosenFields(), KeptDescriptor(), geometryBlock);

    uint32_t descriptorLength = DescriptorLength(familyFlags);
    uint8_t geometryAddress = static_cast<uint8_t>(GeometryAddress(familyFlags));
    const bool descriptorWritten = WriteVerified(descriptorAddress, descriptorLength, KeptDescriptor());
    if (!descriptorWritten || !WriteVerified(geometryAddress, geometryLength, geometryBlock)) {
        if (PutBackBlocks(descriptorWritten, header, descriptor, geometry)) NoteUpdateEnded();
        return UpdateOutcome::writeFailed;
    }
    NoteUpdateEnded();
    writtenChoice = modeCombo ? modeCombo->SelectedPosition() : 0;
    if (nextButton) nextButton->Enable();
    return UpdateOutcome::written;
}
