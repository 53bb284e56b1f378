// The overscan update of wizard step 4: the chosen geometry of the camera's
// sensor put into the kept blocks, written, read back and compared.
#include "app/orvel_config.h"
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

// Puts back a block as it was before the update, while the camera is still
// there; false when it cannot.
bool COrvelConfig::RestoreBlock(uint8_t address, uint32_t length, const uint8_t* original)
{
    return (familyFlags & connectedFlag) && WriteVerified(address, length, original);
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
    // The camera's own numbers are kept before anything is written to it.
    if (!KeepBackup()) return UpdateOutcome::backupFailed;

    PutFields(familyFlags, ChosenFields(), KeptDescriptor(), geometryBlock);

    uint32_t descriptorLength = DescriptorLength(familyFlags);
    uint8_t geometryAddress = static_cast<uint8_t>(GeometryAddress(familyFlags));
    if (!WriteVerified(descriptorAddress, descriptorLength, KeptDescriptor())) {
        RestoreBlock(descriptorAddress, descriptorLength, descriptor);
        return UpdateOutcome::writeFailed;
    }
    if (!WriteVerified(geometryAddress, geometryLength, geometryBlock)) {
        if (RestoreBlock(geometryAddress, geometryLength, geometry))
            RestoreBlock(descriptorAddress, descriptorLength, descriptor);
        return UpdateOutcome::writeFailed;
    }
    writtenChoice = modeCombo ? modeCombo->SelectedPosition() : 0;
    if (nextButton) nextButton->Enable();
    return UpdateOutcome::written;
}
