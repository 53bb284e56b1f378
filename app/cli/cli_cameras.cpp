#include "app/cli/cli_cameras.h"

#include <cstddef>

#include "camera/camera_classes.h"
#include "platform/win_api.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"

namespace {

// A list that never reports its end is searched no further than this.
constexpr DWORD maxInterfaceIndex = 256;

bool InterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, std::string* path)
{
    DWORD size = 0;
    win::SetupDiGetDeviceInterfaceDetailA(list, data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return false;
    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail = nullptr;
    if (!Allocate(&detail, size)) return false;
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    bool got = win::SetupDiGetDeviceInterfaceDetailA(list, data, detail, size, nullptr, nullptr);
    if (got) {
        uint32_t room = static_cast<uint32_t>(size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath));
        path->assign(detail->DevicePath, LengthA(room, detail->DevicePath));
    }
    Free(&detail);
    return got;
}

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
        std::string path;
        if (InterfacePath(list, &data, &path) && !path.empty()) paths->push_back(path);
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
