#include "camera/interface_list.h"

#include "camera/camera_classes.h"
#include "camera/camera_connection.h"
#include "camera/device_interface.h"
#include "platform/win_api.h"
#include "toolkit/memory.h"

namespace {

// A list that never reports its end is searched no further than this.
constexpr DWORD maxInterfaceIndex = 256;

void AddClassInterfaces(const GUID& classGuid, std::vector<std::string>* paths)
{
    HDEVINFO list = win::SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE) return;
    for (DWORD index = 0; index < maxInterfaceIndex; ++index) {
        SP_DEVICE_INTERFACE_DATA data;
        Fill(&data, sizeof data, 0);
        data.cbSize = sizeof data;
        if (!win::SetupDiEnumDeviceInterfaces(list, nullptr, &classGuid, index, &data)) {
            if (win::GetLastError() == ERROR_NO_MORE_ITEMS) break;
            continue;
        }
        char path[maxDevicePath + 1] = {};
        if (ListedInterfacePath(list, &data, maxDevicePath, path) && path[0]) paths->push_back(path);
    }
    win::SetupDiDestroyDeviceInfoList(list);
}

}  // namespace

std::vector<std::string> ConnectedInterfaces()
{
    std::vector<std::string> paths;
    for (const CameraClass& cameraClass : cameraClasses) AddClassInterfaces(cameraClass.classGuid, &paths);
    return paths;
}

bool InterfaceListed(const std::string& path)
{
    for (const std::string& listed : ConnectedInterfaces())
        if (listed == path) return true;
    return false;
}
