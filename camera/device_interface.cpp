#include "camera/device_interface.h"

#include <cstddef>

#include "platform/win_api.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"

namespace {

// A list that never reports its end is searched no further than this.
constexpr DWORD maxInterfaceIndex = 256;
// A pipe name adds a backslash and a digit to the interface path.
constexpr uint32_t pipeSuffixLength = 2;

HANDLE OpenListedInterface(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, uint32_t maxLen, char* path,
                           const OtherInterfaces* passedOver)
{
    // A path that cannot carry a pipe suffix within maxLen is of no use.
    if (maxLen < pipeSuffixLength || !ListedInterfacePath(list, data, maxLen - pipeSuffixLength, path))
        return INVALID_HANDLE_VALUE;
    return passedOver && passedOver->PassesOver(path) ? INVALID_HANDLE_VALUE : OpenDevicePath(path);
}

}  // namespace

bool ListedInterfacePath(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, uint32_t maxLen, char* path)
{
    DWORD size = 0;
    win::SetupDiGetDeviceInterfaceDetailA(list, data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return false;
    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail = nullptr;
    if (!Allocate(&detail, size)) return false;
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    bool fits = false;
    if (win::SetupDiGetDeviceInterfaceDetailA(list, data, detail, size, nullptr, nullptr)) {
        uint32_t room = static_cast<uint32_t>(size - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath));
        uint32_t length = LengthA(room, detail->DevicePath);
        fits = length <= maxLen;
        if (fits) CopyA(maxLen, path, length, detail->DevicePath);
    }
    Free(&detail);
    return fits;
}

HANDLE OpenDevicePath(const char* path)
{
    return win::CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
}

namespace {

struct InterfaceOpening {
    uint32_t maxLen;
    char* path;
    const OtherInterfaces* passedOver;
    HANDLE result;
};

bool OpenVisitedInterface(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data, void* context)
{
    InterfaceOpening* opening = static_cast<InterfaceOpening*>(context);
    opening->result = OpenListedInterface(list, data, opening->maxLen, opening->path, opening->passedOver);
    return opening->result != INVALID_HANDLE_VALUE;
}

}  // namespace

bool VisitDeviceInterfaces(const GUID& classGuid, InterfaceVisitor visit, void* context)
{
    HDEVINFO list = win::SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    for (DWORD index = 0; index < maxInterfaceIndex && !found; ++index) {
        SP_DEVICE_INTERFACE_DATA data;
        Fill(&data, sizeof data, 0);
        data.cbSize = sizeof data;
        if (!win::SetupDiEnumDeviceInterfaces(list, nullptr, &classGuid, index, &data)) {
            if (win::GetLastError() == ERROR_NO_MORE_ITEMS) break;
            continue;
        }
        found = visit(list, &data, context);
    }
    win::SetupDiDestroyDeviceInfoList(list);
    return found;
}

HANDLE OpenDeviceInterface(const GUID& classGuid, uint32_t maxLen, char* path, const OtherInterfaces* passedOver)
{
    path[0] = 0;
    InterfaceOpening opening = {maxLen, path, passedOver, INVALID_HANDLE_VALUE};
    if (!VisitDeviceInterfaces(classGuid, OpenVisitedInterface, &opening)) path[0] = 0;
    return opening.result;
}
