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

#include "platform/sim/bench/bench_files.h"
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
    // as the driver does, and tells registered windows of the class. On a
    // bench each is one transaction; false when it could not be saved.
    bool Plug(SimCamera& camera);
    bool Unplug(SimCamera& camera);

    // The driver's side of the pipes for a file opened on a camera: the
    // bytes moved, 0 when the camera is gone, was plugged in again since
    // the file was opened, or the transfer could not be saved.
    DWORD Request(const OpenFile& file, const uint8_t* data, DWORD size);
    DWORD Reply(const OpenFile& file, uint8_t* out, DWORD asked);

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
    // from its directory, and every change is one transaction on its files
    // (bench.h), so that other processes see it at once. Without one, the
    // machine lives in memory.
    bool AttachBench(const std::string& dir, std::string* error);
    const std::string& BenchDir() const { return benchDir; }
    // Why the last change on the bench failed: the file and the reason.
    const std::string& BenchError() const { return benchError; }
    // Why the last change tried could not be saved on the bench; empty once
    // one was saved again. A program shows it rather than look unplugged.
    const std::string& BenchSaveProblem() const { return benchSaveProblem; }

    // One change of a camera: under the bench's exclusive lock the camera
    // is read from its files, changed, and the files that changed are
    // saved. Without a bench, the change is made in memory. False when the
    // change refused or the save failed.
    bool ChangeCamera(SimCamera& camera, const std::function<bool(SimCamera&)>& change);
    // Reads the camera's files again under a shared lock; false when it is
    // damaged or the bench cannot be read.
    bool ReadCamera(SimCamera& camera);
    // A camera made with AddCamera saved as new: refused when its name is
    // taken on the bench in any letter case; it is dropped again then.
    bool SaveNewCamera(SimCamera& camera);
    // Reads every camera's files again, taking in new ones; without
    // notifications (PollBench sends them).
    void ReadCameras();

    // Registry: the whole tree read again, and one key saved.
    void RefreshFromBench();
    bool SaveRegistryKey(const SimRegistry::KeyName& name);
    // Every key saved; for setting up a bench.
    void SaveRegistryToBench();
    // A hold on the bench's lock, none without a bench.
    std::unique_ptr<bench::BenchLock> HoldBench(bool exclusive);

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
    void WaitWhileHeld(SimCamera& camera);
    void NotifyChange(SimCamera& camera);
    SimCamera* LiveCamera(const OpenFile& file);
    bool FailBench(const std::string& error);
    bool FailSave(const std::string& error);
    bool Saved();

    std::string benchDir;
    std::string benchError;
    std::string benchSaveProblem;
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
