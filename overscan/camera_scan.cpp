// The camera scan of wizard steps 1 and 3: read the header, descriptor and
// geometry blocks; at step 1 keep them and identify the sensor, at step 3
// require them to equal the kept ones; then show type, ID and overscan state.
#include <string>

#include "app/orvel_config.h"
#include "machine_data/camera_backup_text.h"
#include "machine_data/run_record.h"
#include "overscan/driver_permission.h"
#include "overscan/sensor_identification.h"
#include "toolkit/button.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"
#include "wizard/camera_info_pane.h"

uint8_t* COrvelConfig::KeptDescriptor()
{
    return IsFamilyA(familyFlags) ? descriptorBlockA : descriptorBlockB;
}

// The later reads are not made once one has failed.
bool COrvelConfig::ReadCameraBlocks(uint8_t* header, uint8_t* descriptor, uint8_t* geometry)
{
    return ReadEeprom(headerAddress, headerLength, header) &&
           ReadEeprom(descriptorAddress, DescriptorLength(familyFlags), descriptor) &&
           ReadEeprom(static_cast<uint8_t>(GeometryAddress(familyFlags)), geometryLength, geometry);
}

bool COrvelConfig::SameAsKept(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry)
{
    uint32_t descriptorLength = DescriptorLength(familyFlags);
    return Compare(header, headerBlock, headerLength) == headerLength &&
           Compare(descriptor, KeptDescriptor(), descriptorLength) == descriptorLength &&
           Compare(geometry, geometryBlock, geometryLength) == geometryLength;
}

void COrvelConfig::KeepBlocks(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry)
{
    Move(header, headerBlock, headerLength);
    Move(descriptor, KeptDescriptor(), DescriptorLength(familyFlags));
    Move(geometry, geometryBlock, geometryLength);
}

void COrvelConfig::ShowNotConnected()
{
    if (infoPane) {
        CopyA(maxValueText, infoPane->typeValue, 0, "Not connected");
        infoPane->idValue[0] = 0;
        infoPane->overscanValue[0] = 0;
    }
    if (nextButton) nextButton->Disable();
    if (infoPane) infoPane->InvalidateView();
}

// Why the kept camera cannot be written although its sensor is known, or
// null: found at step 1, before the user is asked to unplug it.
const char* COrvelConfig::DriverObstacle() const
{
    uint16_t productId = GetU16(headerBlock, productIdOffset);
    if (DriverKeyRow(productId) < 0) return "Cannot be configured";
    if (!DriverInstalled(productId)) return "Driver not installed";
    return nullptr;
}

void COrvelConfig::ShowCamera(const char* obstacle)
{
    const uint8_t* descriptor = KeptDescriptor();
    if (sensorIndex == 0) {
        overscanEnabled = false;
    } else {
        overscanEnabled = IsOverscanHeight(sensorIndex, GetU16(descriptor, VisibleHeightOffset(familyFlags)));
    }
    if (infoPane) {
        CopyA(maxValueText, infoPane->typeValue, cameraTypeLength, reinterpret_cast<const char*>(descriptor) +
                                                                       CameraTypeOffset(familyFlags));
        uint8_t ok = 0;
        CardToStrA(GetU32(descriptor, cameraIdOffset), maxValueText, infoPane->idValue, 10, &ok);
        const char* state = sensorIndex == 0 ? "Cannot be configured"
                            : obstacle       ? obstacle
                            : overscanEnabled ? "Enabled"
                                              : "Disabled";
        CopyA(maxValueText, infoPane->overscanValue, 0, state);
    }
    if (nextButton) {
        if (sensorIndex == 0 || obstacle)
            nextButton->Disable();
        else
            nextButton->Enable();
    }
    if (infoPane) infoPane->InvalidateView();
}

namespace {

std::string TypeText(const uint8_t* type)
{
    std::string text;
    for (uint32_t i = 0; i < cameraTypeLength && type[i]; ++i) text += type[i] >= 32 && type[i] < 127 ? type[i] : '?';
    return text;
}

}  // namespace

// The kept camera in words for the run record, with what the pane shows.
std::string COrvelConfig::ScannedCameraText(const char* obstacle)
{
    const uint8_t* descriptor = KeptDescriptor();
    const uint16_t productId = GetU16(headerBlock, productIdOffset);
    std::string text = "class " + std::to_string(camerabackup::ClassRowOf(familyFlags)) + ", product id " +
                       std::to_string(productId) + ", type " + TypeText(descriptor + CameraTypeOffset(familyFlags)) +
                       ", camera ID " + std::to_string(GetU32(descriptor, cameraIdOffset));
    if (sensorIndex == 0)
        return text + ", sensor row none: Cannot be configured (no sensor of the tables has the total width " +
               std::to_string(GetU16(geometryBlock, totalWidthOffset)) + ")";
    text += ", sensor row " + std::to_string(sensorIndex);
    if (!obstacle) return text + ", mode " + (overscanEnabled ? "Enabled" : "Disabled");
    const char* key = DriverParametersKey(productId);
    return text + ": " + obstacle +
           (key ? std::string(" (no key HKLM\\") + key + ")" : " (no driver of the table serves the product id)");
}

ScanOutcome COrvelConfig::ScanCamera()
{
    if (!(familyFlags & connectedFlag)) OpenCamera();
    uint8_t header[headerLength];
    uint8_t descriptor[descriptorLengthB];
    uint8_t geometry[geometryLength];
    if (!(familyFlags & connectedFlag) || !ReadCameraBlocks(header, descriptor, geometry)) {
        runrecord::CameraScanned(wizardStep, "not connected");
        ShowNotConnected();
        return ScanOutcome::notConnected;
    }
    const char* obstacle = nullptr;
    if (wizardStep == 3) {
        // The geometry written at step 4 must go to the camera scanned at step 1.
        if (!SameAsKept(header, descriptor, geometry)) {
            runrecord::CameraScanned(3, "a different camera, product id " +
                                            std::to_string(GetU16(header, productIdOffset)) + ", camera ID " +
                                            std::to_string(GetU32(descriptor, cameraIdOffset)));
            return ScanOutcome::differentCamera;
        }
    } else {
        // The camera found is the one worked on; the others connected now
        // are passed over by the searches of steps 3 and 4.
        otherInterfaces.TakeAllBut(devicePath);
        KeepBlocks(header, descriptor, geometry);
        sensorIndex = 0;
        sensorIndex = IdentifySensor(familyFlags, GetU16(geometryBlock, totalWidthOffset));
        if (sensorIndex != 0) obstacle = DriverObstacle();
    }
    ShowCamera(obstacle);
    runrecord::CameraScanned(wizardStep, (wizardStep == 3 ? "the same camera: " : "") + ScannedCameraText(obstacle));
    return ScanOutcome::shown;
}
