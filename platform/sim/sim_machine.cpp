#include "platform/sim/sim_machine.h"

#include <algorithm>
#include <cstring>

#include "platform/win_api.h"

namespace sim {

namespace {

std::unique_ptr<SimMachine>& TheMachine()
{
    static std::unique_ptr<SimMachine> machine = std::make_unique<SimMachine>();
    return machine;
}

}  // namespace

SimMachine& Machine()
{
    return *TheMachine();
}

void ResetMachine()
{
    TheMachine() = std::make_unique<SimMachine>();
}

bool SameGuid(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

void SimMachine::SetAdministrator(bool administrator)
{
    registry.machineWritable = administrator;
    system.scmGrantedAccess = administrator ? (GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE) : GENERIC_READ;
}

SimCamera& SimMachine::AddCamera(const std::string& name, int classRow)
{
    uint32_t order = 1;
    for (const auto& camera : cameras) order = std::max(order, camera->order + 1);
    cameras.push_back(std::make_unique<SimCamera>(name, classRow));
    cameras.back()->order = order;
    return *cameras.back();
}

SimCamera* SimMachine::FindCamera(const std::string& name)
{
    for (auto& camera : cameras)
        if (camera->name == name) return camera.get();
    return nullptr;
}

// The driver looks for its permission in whichever registry the program
// uses: the simulated one, or the real one on Windows.
bool PermissionPresent(uint16_t productId)
{
    std::string service = DriverServiceForProduct(productId);
    if (service.empty()) return false;
    std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters";
    HKEY parameters = nullptr;
    if (win::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &parameters) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    LONG found = win::RegQueryValueExA(parameters, "AllowEEPROMWrite", nullptr, &type, nullptr, &size);
    win::RegCloseKey(parameters);
    return found == ERROR_SUCCESS;
}

void SimMachine::Notify(const SimCamera& camera, WPARAM event)
{
    if (!deviceChangeSink) return;
    const GUID& classGuid = CameraClassGuid(camera.classRow);
    std::vector<uint8_t> record(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + camera.interfacePath.size() + 1);
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(record.data());
    broadcast->dbcc_size = static_cast<DWORD>(record.size());
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast->dbcc_classguid = classGuid;
    std::memcpy(broadcast->dbcc_name, camera.interfacePath.c_str(), camera.interfacePath.size() + 1);
    // A copy of the list: a window may register or unregister while handling it.
    std::vector<HWND> windows;
    for (const auto& entry : registrations)
        if (SameGuid(entry.second.classGuid, classGuid)) windows.push_back(entry.second.window);
    for (HWND window : windows) deviceChangeSink(window, event, broadcast);
}

uintptr_t SimMachine::NewHandle()
{
    nextHandle += 4;
    return nextHandle;
}

HANDLE SimMachine::OpenPath(const std::string& path, DWORD* error)
{
    *error = ERROR_FILE_NOT_FOUND;
    ReadCameras();
    for (auto& camera : cameras) {
        if (!camera->plugged) continue;
        const std::string& base = camera->interfacePath;
        int pipe = -2;
        if (SameName(path, base)) {
            pipe = -1;
        } else if (path.size() == base.size() + 2 && SameName(path.substr(0, base.size()), base) &&
                   path[base.size()] == '\\' && path[base.size() + 1] >= '0' && path[base.size() + 1] <= '2') {
            pipe = path[base.size() + 1] - '0';
        }
        if (pipe == -2) continue;
        if ((pipe == -1 && camera->interfaceBusy) || (pipe >= 0 && camera->pipeUnopenable[pipe])) {
            *error = ERROR_SHARING_VIOLATION;
            return INVALID_HANDLE_VALUE;
        }
        uintptr_t handle = NewHandle();
        files[handle] = OpenFile{camera.get(), pipe, camera->generation};
        *error = ERROR_SUCCESS;
        return reinterpret_cast<HANDLE>(handle);
    }
    return INVALID_HANDLE_VALUE;
}

OpenFile* SimMachine::File(HANDLE handle)
{
    auto it = files.find(reinterpret_cast<uintptr_t>(handle));
    return it == files.end() ? nullptr : &it->second;
}

bool SimMachine::CloseFile(HANDLE handle)
{
    return files.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
}

HDEVINFO SimMachine::OpenList(const GUID& classGuid)
{
    // What the files hold now: a camera plugged in by another process a
    // moment ago is in the list.
    ReadCameras();
    DeviceList list{classGuid, {}};
    for (auto& camera : cameras)
        if (camera->plugged && SameGuid(CameraClassGuid(camera->classRow), classGuid)) list.members.push_back(camera.get());
    uintptr_t handle = NewHandle();
    lists[handle] = list;
    return reinterpret_cast<HDEVINFO>(handle);
}

DeviceList* SimMachine::List(HDEVINFO list)
{
    auto it = lists.find(reinterpret_cast<uintptr_t>(list));
    return it == lists.end() ? nullptr : &it->second;
}

bool SimMachine::CloseList(HDEVINFO list)
{
    return lists.erase(reinterpret_cast<uintptr_t>(list)) == 1;
}

HDEVNOTIFY SimMachine::Register(HWND window, const GUID& classGuid, const uint8_t* filter, size_t size)
{
    uintptr_t handle = NewHandle();
    NotificationRegistration registration{window, classGuid, {}};
    if (filter) registration.filter.assign(filter, filter + size);
    registrations[handle] = registration;
    return reinterpret_cast<HDEVNOTIFY>(handle);
}

const NotificationRegistration* SimMachine::Registration(HDEVNOTIFY registration) const
{
    auto it = registrations.find(reinterpret_cast<uintptr_t>(registration));
    return it == registrations.end() ? nullptr : &it->second;
}

bool SimMachine::Unregister(HDEVNOTIFY registration)
{
    return registrations.erase(reinterpret_cast<uintptr_t>(registration)) == 1;
}

}  // namespace sim
