// The simulated Windows machine: its cameras, its registry, the files and
// device lists opened on it, and the windows registered for device
// notifications. One machine per process, reached through Machine().
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_camera.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_system.h"

namespace sim {

struct OpenFile {
    SimCamera* camera;
    int pipe;  // -1: the interface itself; 0, 1, 2: the pipes "\0", "\1", "\2"
    uint32_t generation;
};

struct DeviceList {
    GUID classGuid;
    std::vector<SimCamera*> members;  // present cameras of the class, in order
};

struct NotificationRegistration {
    HWND window;
    GUID classGuid;
    std::vector<uint8_t> filter;  // the record as the window passed it
};

// Receives what the platform would post to a window as WM_DEVICECHANGE.
using DeviceChangeSink = std::function<void(HWND window, WPARAM event, const DEV_BROADCAST_DEVICEINTERFACE_A* record)>;

class SimMachine {
public:
    // Cameras, in enumeration order.
    SimCamera& AddCamera(const std::string& name, int classRow);
    SimCamera* FindCamera(const std::string& name);
    std::vector<std::unique_ptr<SimCamera>>& Cameras() { return cameras; }

    // Plugging takes the write permission from the registry at that moment,
    // as the driver does, and tells registered windows of the class.
    void Plug(SimCamera& camera);
    void Unplug(SimCamera& camera);

    // Files opened through CreateFileA.
    HANDLE OpenPath(const std::string& path, DWORD* error);
    OpenFile* File(HANDLE handle);
    bool CloseFile(HANDLE handle);
    size_t OpenFileCount() const { return files.size(); }

    // Device interface lists.
    HDEVINFO OpenList(const GUID& classGuid);
    DeviceList* List(HDEVINFO list);
    bool CloseList(HDEVINFO list);
    size_t OpenListCount() const { return lists.size(); }
    bool classListFails[6] = {false, false, false, false, false, false};

    // Notification registrations.
    HDEVNOTIFY Register(HWND window, const GUID& classGuid, const uint8_t* filter = nullptr, size_t size = 0);
    const NotificationRegistration* Registration(HDEVNOTIFY registration) const;
    bool Unregister(HDEVNOTIFY registration);
    size_t RegistrationCount() const { return registrations.size(); }
    DeviceChangeSink deviceChangeSink;

    // The bench: with one attached, the cameras and the registry are read
    // from its directory and every change is written back at once, so that
    // other processes see it. Without one, the machine lives in memory.
    bool AttachBench(const std::string& dir, std::string* error);
    const std::string& BenchDir() const { return benchDir; }
    // Reads the registry again (other processes may have changed it).
    void RefreshFromBench();
    void SaveRegistryToBench();
    // The EEPROM and transfer count after a transfer; the state after a
    // plug, an unplug or a new camera.
    void SaveCameraData(const SimCamera& camera);
    void SaveCameraState(const SimCamera& camera);
    // Takes in what other processes changed: new cameras, plug and unplug
    // (with the notifications they cause), EEPROM files edited.
    void PollBench();

    // An administrator may change the machine's registry hive and gets all
    // rights from the service control manager; anyone else only reads.
    void SetAdministrator(bool administrator);

    SimRegistry registry;
    SimSystem system;
    SimClock clock;
    DWORD lastError = 0;

private:
    void Notify(const SimCamera& camera, WPARAM event);
    void TakeInCamera(const std::string& name);
    void TakeInState(SimCamera& camera, const std::string& text);

    std::string benchDir;
    std::map<std::string, std::string> knownStates;  // state file texts last seen
    uintptr_t NewHandle();

    std::vector<std::unique_ptr<SimCamera>> cameras;
    std::map<uintptr_t, OpenFile> files;
    std::map<uintptr_t, DeviceList> lists;
    std::map<uintptr_t, NotificationRegistration> registrations;
    uintptr_t nextHandle = 0x1000;
};

SimMachine& Machine();
// Replaces the machine with a fresh one: no cameras, an empty registry.
void ResetMachine();

bool SameGuid(const GUID& a, const GUID& b);
// Whether AllowEEPROMWrite is under the Parameters key of the product's
// driver, read through the platform's registry.
bool PermissionPresent(uint16_t productId);

}  // namespace sim
