// Opening and closing the camera: the interface search over the six
// classes (passing over the other cameras' interfaces), the three pipes
// below the interface path, the notification registration, the connected
// bit and the window title.
#include <cstddef>

#include "app/orvel_config.h"
#include "camera/camera_classes.h"
#include "camera/device_interface.h"
#include "machine_data/run_record.h"
#include "platform/win_api.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"

namespace {

// The notification filter: a DEV_BROADCAST_DEVICEINTERFACE_A carrying the
// whole path buffer.
constexpr uint32_t filterSize = 293;
constexpr uint32_t filterClassOffset = 12;
constexpr uint32_t filterPathOffset = 28;
static_assert(filterClassOffset == offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_classguid), "class in the filter");
static_assert(filterPathOffset == offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name), "path in the filter");
static_assert(filterPathOffset + maxDevicePath + 1 <= filterSize, "the whole path buffer fits");

void PutU32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

void ClosePipe(HANDLE* pipe)
{
    if (*pipe == INVALID_HANDLE_VALUE) return;
    win::CloseHandle(*pipe);
    *pipe = INVALID_HANDLE_VALUE;
}

}  // namespace

bool COrvelConfig::OpenPipe(const char* suffix, HANDLE* pipe)
{
    char pipePath[maxDevicePath + 1];
    ConcatA(maxDevicePath, pipePath, maxDevicePath, devicePath, 0, suffix);
    *pipe = OpenDevicePath(pipePath);
    return *pipe != INVALID_HANDLE_VALUE;
}

void COrvelConfig::ShowConnectedTitle()
{
    const CameraClass* found = CameraClassOf(familyFlags);
    const char* title = found ? found->title : windowTitle;
    SetTitle(LengthA(0, title), title);
}

void COrvelConfig::OpenCamera()
{
    CloseCamera();
    // At step 2 the close runs the wizard on, and its scan may already have
    // connected the camera it compared: that connection is kept.
    if (familyFlags & connectedFlag) {
        ShowConnectedTitle();
        return;
    }
    if (!NativeWindow()) return;
    familyFlags &= ~classMasks;
    const CameraClass* found = nullptr;
    for (const auto& cameraClass : cameraClasses) {
        HANDLE probe = OpenDeviceInterface(cameraClass.classGuid, maxDevicePath, devicePath, &otherInterfaces);
        if (probe == INVALID_HANDLE_VALUE) continue;
        // The open only shows that the camera is there and free.
        win::CloseHandle(probe);
        found = &cameraClass;
        break;
    }
    if (!found) return;
    familyFlags |= found->mask;
    RegisterCameraNotification();

    if (!OpenPipe("\\0", &commandPipe)) {
        CopyA(maxLastError, lastError, 0, "DeviceInit failed, cannot open camera command pipe");
        runrecord::CameraLinkFailure("open camera", lastError);
        CloseCamera();
        return;
    }
    if (!OpenPipe("\\1", &dataPipe) || !OpenPipe("\\2", &auxPipe)) {
        CopyA(maxLastError, lastError, 0, "DeviceInit failed, cannot open camera data pipe");
        runrecord::CameraLinkFailure("open camera", lastError);
        CloseCamera();
        return;
    }
    familyFlags |= connectedFlag;
    runrecord::CameraOpened(familyFlags, devicePath);
    ShowConnectedTitle();
}

void COrvelConfig::RegisterCameraNotification()
{
    HWND window = NativeWindow();
    if (!window) return;
    uint8_t* filter = nullptr;
    if (!Allocate(&filter, filterSize)) return;
    Fill(filter, filterSize, 0);
    PutU32(filter, filterSize);
    PutU32(filter + 4, DBT_DEVTYP_DEVICEINTERFACE);
    if (const CameraClass* found = CameraClassOf(familyFlags))
        Move(&found->classGuid, filter + filterClassOffset, sizeof(GUID));
    Move(devicePath, filter + filterPathOffset, maxDevicePath + 1);
    // Without a registration the connection still works; a removal is then
    // noticed by the next failing transfer.
    deviceNotification = win::RegisterDeviceNotificationA(window, filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    Free(&filter);
}

void COrvelConfig::CloseCamera()
{
    devicePath[0] = 0;
    ClosePipe(&commandPipe);
    ClosePipe(&dataPipe);
    ClosePipe(&auxPipe);
    familyFlags &= ~connectedFlag;
    if (deviceNotification) {
        win::UnregisterDeviceNotification(deviceNotification);
        deviceNotification = nullptr;
    }
    // The camera gone at step 2 is the wizard's cue to move on.
    // The step's work may itself have moved the wizard on (a second close
    // nested in its box): then it is not moved again.
    if (wizardStep == 2) {
        ExecuteStep();
        if (wizardStep == 2) NextStep();
    }
    SetTitle(LengthA(0, windowTitle), windowTitle);
}
