// Opening and closing the camera: the interface search over the six
// classes, the three pipes below the interface path, the connected bit.
#include "app/orvel_config.h"
#include "camera/camera_classes.h"
#include "camera/device_interface.h"
#include "platform/win_api.h"
#include "toolkit/text.h"

bool COrvelConfig::OpenPipe(const char* suffix, HANDLE* pipe)
{
    char pipePath[maxDevicePath + 1];
    ConcatA(maxDevicePath, pipePath, maxDevicePath, devicePath, 0, suffix);
    *pipe = OpenDevicePath(pipePath);
    return *pipe != INVALID_HANDLE_VALUE;
}

void COrvelConfig::OpenCamera()
{
    CloseCamera();
    familyFlags &= ~classMasks;
    const CameraClass* found = nullptr;
    for (const auto& cameraClass : cameraClasses) {
        HANDLE probe = OpenDeviceInterface(cameraClass.classGuid, maxDevicePath, devicePath);
        if (probe == INVALID_HANDLE_VALUE) continue;
        // The open only shows that the camera is there and free.
        win::CloseHandle(probe);
        found = &cameraClass;
        break;
    }
    if (!found) return;
    familyFlags |= found->mask;

    if (!OpenPipe("\\0", &commandPipe)) {
        CopyA(maxLastError, lastError, 0, "DeviceInit failed, cannot open camera command pipe");
        CloseCamera();
        return;
    }
    if (!OpenPipe("\\1", &dataPipe) || !OpenPipe("\\2", &auxPipe)) {
        CopyA(maxLastError, lastError, 0, "DeviceInit failed, cannot open camera data pipe");
        CloseCamera();
        return;
    }
    familyFlags |= connectedFlag;
}

static void ClosePipe(HANDLE* pipe)
{
    if (*pipe == INVALID_HANDLE_VALUE) return;
    win::CloseHandle(*pipe);
    *pipe = INVALID_HANDLE_VALUE;
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
}
