// COrvelConfig, the main window object, which owns all state of a run: the
// wizard step, the camera record, the camera connection and the wizard's
// views. Its member functions live with the layer that owns them:
// the EEPROM protocol and the connection in camera/, the scan in overscan/.
#pragma once

#include <cstdint>

#include "camera/camera_connection.h"
#include "overscan/camera_record.h"

class CCameraInfoPane;
class CButton;

// What a step-1 or step-3 scan found.
enum class ScanOutcome {
    notConnected,     // no camera, or a read failed: "Not connected"
    shown,            // the camera's values are shown
    differentCamera,  // step 3: the blocks differ from the kept record
};

class COrvelConfig : public CameraRecord, public CameraConnection {
public:
    COrvelConfig();

    // EEPROM block protocol.
    bool ReadEeprom(uint8_t address, uint32_t count, void* destination);
    bool WriteEeprom(uint8_t address, uint32_t count, const void* source);
    static void FormatInstructionError(uint8_t status, uint32_t maxLen, char* text);

    // Connection.
    void OpenCamera();
    void CloseCamera();

    // The camera scan of wizard steps 1 and 3.
    ScanOutcome ScanCamera();

    int32_t wizardStep;
    CCameraInfoPane* infoPane;
    CButton* actionButton;
    CButton* nextButton;
    bool overscanEnabled;

private:
    bool TransportFailure();
    bool OpenPipe(const char* suffix, HANDLE* pipe);
    bool ReadCameraBlocks(uint8_t* header, uint8_t* descriptor, uint8_t* geometry);
    bool SameAsKept(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry);
    void KeepBlocks(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry);
    void ShowCamera();
    void ShowNotConnected();
    uint8_t* KeptDescriptor();
};
