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

namespace {

// The status of a write the camera's driver refuses: it took no write
// permission when the camera was last plugged in.
constexpr int statusRefused = 0x83;

const char* BackText(BlockBack back)
{
    switch (back) {
    case BlockBack::unchanged: return "unchanged";
    case BlockBack::written: return "done";
    default: return "failed";
    }
}

}  // namespace

// Whether the camera holds the block at the address.
bool COrvelConfig::ReadsBack(uint8_t address, uint32_t length, const uint8_t* block)
{
    uint8_t readBack[descriptorLengthB];
    return ReadEeprom(address, length, readBack) && Compare(block, readBack, length) == length;
}

bool COrvelConfig::WriteVerified(uint8_t address, uint32_t length, const uint8_t* block)
{
    return WriteEeprom(address, length, block) && ReadsBack(address, length, block);
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

// Puts back a block as it was before the update, while the camera answers.
// It is read first: a block that holds what it held is back as it is, and
// nothing is written to it. One that cannot be read is written all the same.
BlockBack COrvelConfig::RestoreBlock(uint8_t address, uint32_t length, const uint8_t* original)
{
    if (ReadsBack(address, length, original)) return BlockBack::unchanged;
    return WriteVerified(address, length, original) ? BlockBack::written : BlockBack::failed;
}

// After a failed write or read-back: the blocks that were sent put back as
// they were read right before the update, each tried on its own, so that a
// geometry that cannot be put back does not keep the descriptor from it.
// A write the camera refused changed nothing, so it leaves nothing to put
// back and no half-written camera to tell of. Unchanged when no block
// needed writing, failed when a block sent is not back.
BlockBack COrvelConfig::PutBackBlocks(bool geometrySent, const uint8_t* header, const uint8_t* descriptor,
                                      const uint8_t* geometry)
{
    const uint32_t descriptorLength = DescriptorLength(familyFlags);
    const uint8_t geometryAddress = static_cast<uint8_t>(GeometryAddress(familyFlags));
    BlockBack geometryBack = BlockBack::unchanged;
    runrecord::PuttingBack(true);
    if (geometrySent) {
        geometryBack = ReachSameCamera(header, descriptor, geometry)
                           ? RestoreBlock(geometryAddress, geometryLength, geometry)
                           : BlockBack::failed;
        runrecord::PutBack("geometry", geometryAddress, geometryLength, BackText(geometryBack));
    }
    const BlockBack descriptorBack = ReachSameCamera(header, descriptor, geometry)
                                         ? RestoreBlock(descriptorAddress, descriptorLength, descriptor)
                                         : BlockBack::failed;
    runrecord::PuttingBack(false);
    runrecord::PutBack("descriptor", descriptorAddress, descriptorLength, BackText(descriptorBack));
    if (geometryBack == BlockBack::failed || descriptorBack == BlockBack::failed) return BlockBack::failed;
    return geometryBack == BlockBack::unchanged && descriptorBack == BlockBack::unchanged ? BlockBack::unchanged
                                                                                           : BlockBack::written;
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
    const bool descriptorSent = WriteEeprom(descriptorAddress, descriptorLength, KeptDescriptor());
    // The first write refused: the camera was not unplugged from power
    // after the grant, or came back before the grant was saved.
    const bool refused = !descriptorSent && replyStatus == statusRefused;
    const bool descriptorWritten = descriptorSent && ReadsBack(descriptorAddress, descriptorLength, KeptDescriptor());
    if (!descriptorWritten || !WriteVerified(geometryAddress, geometryLength, geometryBlock)) {
        const BlockBack back = PutBackBlocks(descriptorWritten, header, descriptor, geometry);
        if (back != BlockBack::failed) NoteUpdateEnded();
        return refused && back == BlockBack::unchanged ? UpdateOutcome::writeRefused : UpdateOutcome::writeFailed;
    }
    NoteUpdateEnded();
    writtenChoice = modeCombo ? modeCombo->SelectedPosition() : 0;
    if (nextButton) nextButton->Enable();
    return UpdateOutcome::written;
}
