// The device functions of the platform seam over the simulated machine.
#include <cstddef>
#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"

namespace win {

using sim::Machine;

DWORD GetLastError()
{
    return Machine().lastError;
}

void SetLastError(DWORD code)
{
    Machine().lastError = code;
}

static int ClassRowOf(const GUID& classGuid)
{
    for (int row = 1; row <= 6; ++row)
        if (sim::SameGuid(sim::CameraClassGuid(row), classGuid)) return row;
    return 0;
}

HDEVINFO SetupDiGetClassDevsA(const GUID* classGuid, const char* /*enumerator*/, HWND /*parent*/, DWORD flags)
{
    const DWORD needed = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE;
    int row = classGuid ? ClassRowOf(*classGuid) : 0;
    if (!classGuid || (flags & needed) != needed || (row && Machine().classListFails[row - 1])) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    return Machine().OpenList(*classGuid);
}

BOOL SetupDiEnumDeviceInterfaces(HDEVINFO list, void* /*deviceInfo*/, const GUID* classGuid, DWORD index,
                                 SP_DEVICE_INTERFACE_DATA* data)
{
    sim::DeviceList* entries = Machine().List(list);
    if (!entries || !classGuid || !data || data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (index >= entries->members.size()) {
        SetLastError(ERROR_NO_MORE_ITEMS);
        return FALSE;
    }
    if (entries->members[index]->enumerationError) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    data->InterfaceClassGuid = entries->classGuid;
    data->Flags = 1;  // active
    data->Reserved = index;
    return TRUE;
}

BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO list, SP_DEVICE_INTERFACE_DATA* data,
                                      SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD detailSize,
                                      DWORD* requiredSize, void* /*deviceInfo*/)
{
    sim::DeviceList* entries = Machine().List(list);
    if (!entries || !data || data->Reserved >= entries->members.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string& path = entries->members[data->Reserved]->interfacePath;
    DWORD needed = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) + path.size() + 1);
    if (requiredSize) *requiredSize = needed;
    if (!detail) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) {
        SetLastError(ERROR_INVALID_USER_BUFFER);
        return FALSE;
    }
    if (detailSize < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
    return TRUE;
}

BOOL SetupDiDestroyDeviceInfoList(HDEVINFO list)
{
    if (Machine().CloseList(list)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

HANDLE CreateFileA(const char* path, DWORD access, DWORD /*share*/, void* /*security*/, DWORD disposition,
                   DWORD /*attributes*/, HANDLE /*templateFile*/)
{
    if (!path || disposition != OPEN_EXISTING || (access & (GENERIC_READ | GENERIC_WRITE)) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    DWORD error = ERROR_SUCCESS;
    HANDLE handle = Machine().OpenPath(path, &error);
    if (handle == INVALID_HANDLE_VALUE) SetLastError(error);
    return handle;
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD toRead, DWORD* read, void* /*overlapped*/)
{
    if (read) *read = 0;
    sim::OpenFile* file = Machine().File(handle);
    DWORD moved = file ? Machine().Reply(*file, static_cast<uint8_t*>(buffer), toRead) : 0;
    if (read) *read = moved;
    if (moved == 0 && toRead > 0) {
        SetLastError(file ? ERROR_DEVICE_NOT_CONNECTED : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD toWrite, DWORD* written, void* /*overlapped*/)
{
    if (written) *written = 0;
    sim::OpenFile* file = Machine().File(handle);
    DWORD moved = file ? Machine().Request(*file, static_cast<const uint8_t*>(buffer), toWrite) : 0;
    if (written) *written = moved;
    if (moved == 0 && toWrite > 0) {
        SetLastError(file ? ERROR_DEVICE_NOT_CONNECTED : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL CloseHandle(HANDLE handle)
{
    if (Machine().CloseFile(handle)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

HDEVNOTIFY RegisterDeviceNotificationA(HANDLE recipient, void* filter, DWORD flags)
{
    auto* record = static_cast<const DEV_BROADCAST_DEVICEINTERFACE_A*>(filter);
    if (!recipient || !record || flags != DEVICE_NOTIFY_WINDOW_HANDLE ||
        record->dbcc_size < sizeof(DEV_BROADCAST_DEVICEINTERFACE_A) ||
        record->dbcc_devicetype != DBT_DEVTYP_DEVICEINTERFACE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Machine().Register(static_cast<HWND>(recipient), record->dbcc_classguid,
                              static_cast<const uint8_t*>(filter), record->dbcc_size);
}

BOOL UnregisterDeviceNotification(HDEVNOTIFY notification)
{
    if (Machine().Unregister(notification)) return TRUE;
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

}  // namespace win
