// COrvelConfig, the main window, which owns all state of a run: the wizard
// step, the camera record, the camera connection and the wizard's views.
// Its member functions live with the layer that owns them: the EEPROM
// protocol and the connection in camera/, the scan, the update and the
// driver permission in overscan/, the wizard in wizard/, start-up, the
// About box and the saved position in app/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "camera/camera_connection.h"
#include "overscan/camera_record.h"
#include "overscan/driver_permission.h"
#include "overscan/written_fields.h"
#include "toolkit/window.h"

class CCameraInfoPane;
class CButton;
class CComboBox;
struct SensorGeometry;

// What a step-1 or step-3 scan found.
enum class ScanOutcome {
    notConnected,     // no camera, or a read failed: "Not connected"
    shown,            // the camera's values are shown
    differentCamera,  // step 3: the blocks differ from the kept record
};

// What the step-4 update did.
enum class UpdateOutcome {
    written,          // both blocks written and verified
    notConnected,     // no camera: nothing written
    differentCamera,  // the connected camera is not the scanned one: nothing written
    writeFailed,      // a read, write or comparison failed
    backupFailed,     // the camera's backup could not be saved: nothing written
    writeRefused,     // the camera refused the first write (status 0x83) and
                      // still holds what it held: nothing changed
};

// How the put-back of a failed update left a block.
enum class BlockBack {
    unchanged,  // read back as it was before the update: nothing written
    written,    // written back as it was, and verified
    failed,     // not back as it was, or the camera does not answer
};

// The chooser's items at step 4, by position; the third only when the
// camera's backup holds numbers of its own.
constexpr int disabledPosition = 1;
constexpr int enabledPosition = 2;
constexpr int originalPosition = 3;

// The wizard's commands.
constexpr uint32_t cmAbout = 1001;
constexpr uint32_t cmExecuteStep = 1002;
constexpr uint32_t cmNextStep = 1003;

// The data file that stopped the window's last grant or update, for the
// console program's text (the window's box stays the same): the journal
// that the grant could not be noted in, the note of unfinished updates
// that the update could not be noted in; empty when it was not the cause.
// Kept outside the window, which is gone by the time its end is told.
extern std::string unsavedJournal;
extern std::string unsavedNote;

class COrvelConfig : public CWindow, public CameraRecord, public CameraConnection {
public:
    COrvelConfig();

    // Window overrides, in the order of their slots.
    bool ReceiveMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void CreatePeerWindow() override;
    void DeletePeerWindow() override;
    void Done() override;
    void ReceiveEvent(TEvent* event) override;

    // The wizard.
    void NextStep();
    void ExecuteStep();

    // EEPROM block protocol.
    bool ReadEeprom(uint8_t address, uint32_t count, void* destination);
    bool WriteEeprom(uint8_t address, uint32_t count, const void* source);
    static void FormatInstructionError(uint8_t status, uint32_t maxLen, char* text);

    // Connection.
    void OpenCamera();
    void CloseCamera();
    void RegisterCameraNotification();

    // The camera scan of wizard steps 1 and 3.
    ScanOutcome ScanCamera();

    // The overscan update of wizard step 4.
    UpdateOutcome UpdateOverscan();

    // The driver's write permission for the kept camera's product id.
    bool GrantDriverWrite();
    // True when no permission this run granted is left.
    bool RevokeDriverWrite();
    // Revokes what this run granted and has not revoked yet, and nothing
    // else: the permission never outlives the window. True when none is
    // left.
    bool RevokeGrantedDriverWrites();

    // Placement and the saved position.
    void InitMainWindow();

    int32_t wizardStep;
    CCameraInfoPane* infoPane;
    CComboBox* modeCombo;
    CButton* actionButton;
    CButton* nextButton;
    bool overscanEnabled;
    // The driver keys granted the write permission during this run and not
    // revoked since.
    bool grantedDriverKeys[driverKeyCount];
    // The chooser position that the last update at this step 4 wrote and
    // verified; -1 before one. Next leads on only while it is shown.
    int writtenChoice;
    // A grant refused at step 2 ends the run: its work is not done again.
    bool grantFailed;
    // Set as the window starts closing: from then on nothing is granted
    // and no box opens.
    bool closing;
    // At step 4: whether the chooser offers "Original", and the camera's
    // own numbers from its backup that it writes.
    bool originalOffered;
    WrittenFields originalFields;
    // The status byte of the last reply, -1 while none came.
    int replyStatus;
    // A write permission could not be removed on the way to step 5 or at
    // the close, tried twice: it stays until the next start. The close
    // sets it anew, so at the end it says whether one was left.
    bool permissionStayed = false;
    // The mode that the note of an unfinished update names for the kept
    // camera, empty without a note; step 4 preselects it.
    std::string unfinishedMode;
    // The cameras (product id and camera id) whose unfinished update this
    // run has told or begun: the box comes once.
    std::vector<uint64_t> unfinishedKnown;
    // What the last step-4 update of this run did; the console program
    // tells a write the camera refused by it.
    UpdateOutcome lastUpdate = UpdateOutcome::notConnected;
    // False for the console program's window, which is never on a screen:
    // its close leaves the window's saved position as it was.
    bool savesPosition = true;

    // Whether the camera's backup holds numbers of its own, offered at
    // step 4 as "Original" (originalOffered, originalFields).
    void FindOriginal();
    std::string BackupFileName();

private:
    // The block protocol itself; ReadEeprom and WriteEeprom add the
    // transfer to the run's record.
    bool ReadEepromBlock(uint8_t address, uint32_t count, void* destination);
    bool WriteEepromBlock(uint8_t address, uint32_t count, const void* source);
    bool ReadyToSend(uint32_t count, uint32_t maxCount);
    bool TransportFailure();
    bool OpenPipe(const char* suffix, HANDLE* pipe);
    void ShowConnectedTitle();
    bool HandleDeviceChange(WPARAM event, LPARAM record);
    bool OtherCameraChange(const std::string& named);
    bool ReadCameraBlocks(uint8_t* header, uint8_t* descriptor, uint8_t* geometry);
    bool SameAsKept(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry);
    void KeepBlocks(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry);
    const char* DriverObstacle() const;
    std::string ScannedCameraText(const char* obstacle);
    void ShowCamera(const char* obstacle);
    void ShowNotConnected();
    uint8_t* KeptDescriptor();
    WrittenFields ChosenFields() const;
    bool KeepBackup();
    bool ReadsBack(uint8_t address, uint32_t length, const uint8_t* block);
    bool WriteVerified(uint8_t address, uint32_t length, const uint8_t* block);
    BlockBack RestoreBlock(uint8_t address, uint32_t length, const uint8_t* original);
    bool ReachSameCamera(const uint8_t* header, const uint8_t* descriptor, const uint8_t* geometry);
    BlockBack PutBackBlocks(bool geometrySent, const uint8_t* header, const uint8_t* descriptor,
                            const uint8_t* geometry);
    uint32_t KeptCameraId();
    bool NoteUpdateBegun();
    void NoteUpdateEnded();
    bool UnfinishedUpdateToTell();
    void TellUnfinishedUpdate();
    int PreselectedPosition() const;
    void RevokeAtClose();

    // Wizard steps and their work.
    void BuildFirstStep();
    void BuildSecondStep();
    void BuildThirdStep();
    void BuildFourthStep();
    void BuildFifthStep();
    CButton* NewScanButton();
    void SetStepTexts(const char* title, const char* line1);
    void ExecuteUnplugStep();
    void ExecuteScanStep();
    void ExecuteUpdateStep();
    void ShowError(const char* line1, const char* line2, TIcon icon);
    void Restart();
    bool ChoiceWritten() const;
    void FollowModeChoice();
    void CloseCameraForGood();
    void ShowAbout();
    void CheckAdministrator();
};
