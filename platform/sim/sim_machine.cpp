#include "platform/sim/sim_machine.h"

#include <cstring>

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
    cameras.push_back(std::make_unique<SimCamera>(name, classRow));
    return *cameras.back();
}

SimCamera* SimMachine::FindCamera(const std::string& name)
{
    for (auto& camera : cameras)
        if (camera->name == name) return camera.get();
    return nullptr;
}

void SimMachine::Plug(SimCamera& camera)
{
    if (camera.plugged) return;
    std::string key = DriverParametersPath(camera.ProductId());
    camera.writePermitted = !key.empty() && registry.GetValue(key, "AllowEEPROMWrite") != nullptr;
    camera.plugged = true;
    ++camera.generation;
    Notify(camera, DBT_DEVICEARRIVAL);
}

void SimMachine::Unplug(SimCamera& camera)
{
    if (!camera.plugged) return;
    camera.plugged = false;
    camera.writePermitted = false;
    Notify(camera, DBT_DEVICEREMOVECOMPLETE);
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

HDEVNOTIFY SimMachine::Register(HWND window, const GUID& classGuid)
{
    uintptr_t handle = NewHandle();
    registrations[handle] = NotificationRegistration{window, classGuid};
    return reinterpret_cast<HDEVNOTIFY>(handle);
}

bool SimMachine::Unregister(HDEVNOTIFY registration)
{
    return registrations.erase(reinterpret_cast<uintptr_t>(registration)) == 1;
}

}  // namespace sim
