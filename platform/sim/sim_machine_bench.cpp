// The simulated machine over a bench: plugs, unplugs and transfers as
// transactions on the camera's files, the registry read under the lock and
// saved a key at a time, and what other processes changed taken in with
// the notifications it causes.
#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"

namespace sim {

namespace {

unsigned ChangedFiles(const SimCamera& before, const std::string& stateBefore, const SimCamera& after)
{
    unsigned files = 0;
    if (std::memcmp(before.eeprom, after.eeprom, sizeof after.eeprom) != 0) files |= bench::eepromFile;
    if (stateBefore != bench::StateText(after)) files |= bench::stateFile;
    if (before.transfers != after.transfers) files |= bench::transfersFile;
    return files;
}

}  // namespace

bool SimMachine::FailBench(const std::string& error)
{
    benchError = error;
    return false;
}

bool SimMachine::FailSave(const std::string& error)
{
    benchSaveProblem = error;
    return FailBench(error);
}

bool SimMachine::Saved()
{
    benchSaveProblem.clear();
    return true;
}

std::unique_ptr<bench::BenchLock> SimMachine::HoldBench(bool exclusive)
{
    if (benchDir.empty()) return nullptr;
    auto hold = std::make_unique<bench::BenchLock>(benchDir, exclusive);
    if (!hold->Held()) benchError = hold->Error();
    if (!hold->Held() && exclusive) benchSaveProblem = hold->Error();
    return hold;
}

bool SimMachine::AttachBench(const std::string& dir, std::string* error)
{
    if (!bench::Prepare(dir, error)) return false;
    benchDir = dir;
    cameras.clear();
    {
        // What dead processes left is swept first, under the exclusive lock.
        bench::BenchLock lock(benchDir, true);
        if (!lock.Held()) {
            *error = lock.Error();
            benchDir.clear();
            return false;
        }
        bench::SweepLeftovers(benchDir);
        bench::LoadRegistry(benchDir, registry);
    }
    PollBench();
    return true;
}

bool SimMachine::ReadCamera(SimCamera& camera)
{
    if (benchDir.empty()) return camera.damage.empty();
    auto hold = HoldBench(false);
    if (!hold->Held()) return false;
    if (bench::LoadCamera(benchDir, camera.name, camera, &camera.damage)) {
        camera.damage.clear();
        return true;
    }
    // Absent from the lists while damaged; the files stay as they are.
    camera.plugged = false;
    return false;
}

bool SimMachine::ChangeCamera(SimCamera& camera, const std::function<bool(SimCamera&)>& change)
{
    if (benchDir.empty()) return change(camera);
    auto hold = HoldBench(true);
    if (!hold->Held()) return false;
    std::string error;
    if (!bench::FinishChange(benchDir, camera.name, &error)) return FailSave(error);
    if (!ReadCamera(camera)) return FailBench("camera '" + camera.name + "' is damaged: " + camera.damage);
    SimCamera before(camera.name, camera.classRow);
    std::memcpy(before.eeprom, camera.eeprom, sizeof camera.eeprom);
    before.transfers = camera.transfers;
    std::string stateBefore = bench::StateText(camera);
    if (!change(camera)) return false;
    if (bench::SaveCamera(benchDir, camera, ChangedFiles(before, stateBefore, camera), &error)) return Saved();
    // What is kept is what the files hold.
    ReadCamera(camera);
    return FailSave(error);
}

bool SimMachine::SaveNewCamera(SimCamera& camera)
{
    if (benchDir.empty()) return true;
    std::string error;
    bool saved = false;
    {
        auto hold = HoldBench(true);
        if (!hold->Held()) return false;
        saved = bench::CreateCamera(benchDir, camera, &error);
    }
    if (saved) return Saved();
    cameras.erase(std::remove_if(cameras.begin(), cameras.end(), [&](const auto& c) { return c.get() == &camera; }),
                  cameras.end());
    return FailBench(error);
}

bool SimMachine::Plug(SimCamera& camera)
{
    bool ok = ChangeCamera(camera, [](SimCamera& c) {
        if (c.plugged) return true;
        c.writePermitted = PermissionPresent(c.ProductId());
        c.plugged = true;
        ++c.generation;
        return true;
    });
    NotifyChange(camera);
    return ok;
}

bool SimMachine::Unplug(SimCamera& camera)
{
    bool ok = ChangeCamera(camera, [](SimCamera& c) {
        c.plugged = false;
        c.writePermitted = false;
        return true;
    });
    NotifyChange(camera);
    return ok;
}

// A handle opened before the camera was last unplugged no longer reaches it.
SimCamera* SimMachine::LiveCamera(const OpenFile& file)
{
    SimCamera* camera = file.camera;
    return camera->plugged && file.generation == camera->generation ? camera : nullptr;
}

namespace {

bool HeldAt(const SimCamera& camera, uint32_t transfer, bool* marked)
{
    for (const Fault& fault : camera.faults)
        if (fault.kind == FaultKind::hold && fault.atTransfer == transfer) {
            *marked = fault.fired;
            return camera.plugged;
        }
    return false;
}

void Pause()
{
#ifdef _WIN32
    Sleep(50);
#else
    usleep(50 * 1000);
#endif
}

}  // namespace

// A transfer held by its fault waits with the bench unlocked, the fault
// marked fired as the wait begins, so that another process sees the
// program stopped right there and may end it, or clear the fault.
void SimMachine::WaitWhileHeld(SimCamera& camera)
{
    bool marked = false;
    while (!benchDir.empty() && ReadCamera(camera) && HeldAt(camera, camera.transfers + 1, &marked)) {
        if (!marked)
            ChangeCamera(camera, [](SimCamera& c) {
                for (Fault& fault : c.faults)
                    if (fault.kind == FaultKind::hold && fault.atTransfer == c.transfers + 1) fault.fired = true;
                return true;
            });
        Pause();
    }
}

DWORD SimMachine::Request(const OpenFile& file, const uint8_t* data, DWORD size)
{
    if (file.pipe == 0) WaitWhileHeld(*file.camera);
    DWORD moved = 0;
    size_t wireBefore = file.camera->wire.size();
    bool kept = ChangeCamera(*file.camera, [&](SimCamera&) {
        if (file.pipe == 0 && LiveCamera(file)) moved = file.camera->TakeRequest(data, size);
        return true;
    });
    if (kept) return moved;
    // Not saved: the link is dead for this transfer, and the camera never
    // had it.
    file.camera->ForgetReply();
    file.camera->wire.resize(wireBefore);
    return 0;
}

DWORD SimMachine::Reply(const OpenFile& file, uint8_t* out, DWORD asked)
{
    if (!ReadCamera(*file.camera) || file.pipe != 1 || !LiveCamera(file)) return 0;
    return file.camera->GiveReply(out, asked);
}

void SimMachine::ReadCameras()
{
    if (benchDir.empty()) return;
    auto hold = HoldBench(false);
    if (!hold->Held()) return;
    std::vector<std::string> names = bench::CameraNames(benchDir);
    for (const auto& name : names) {
        SimCamera* camera = FindCamera(name);
        if (!camera) {
            cameras.push_back(std::make_unique<SimCamera>(name, 1));
            camera = cameras.back().get();
        }
        ReadCamera(*camera);
    }
    for (auto& camera : cameras) {
        if (std::find(names.begin(), names.end(), camera->name) != names.end()) continue;
        camera->damage = "its folder is gone";
        camera->plugged = false;
    }
    std::stable_sort(cameras.begin(), cameras.end(), [](const auto& a, const auto& b) { return a->order < b->order; });
}

// The windows hear of a camera that came or went since they last heard,
// and of one unplugged and plugged in again in between as both.
void SimMachine::NotifyChange(SimCamera& camera)
{
    bool replugged = camera.plugged && camera.notifiedPlugged && camera.generation != camera.notifiedGeneration;
    if (camera.notifiedPlugged && (!camera.plugged || replugged)) {
        camera.notifiedPlugged = false;
        Notify(camera, DBT_DEVICEREMOVECOMPLETE);
    }
    if (camera.plugged && !camera.notifiedPlugged) {
        camera.notifiedPlugged = true;
        camera.notifiedGeneration = camera.generation;
        Notify(camera, DBT_DEVICEARRIVAL);
    }
}

void SimMachine::PollBench()
{
    if (benchDir.empty()) return;
    ReadCameras();
    for (size_t i = 0; i < cameras.size(); ++i) NotifyChange(*cameras[i]);
}

void SimMachine::RefreshFromBench()
{
    if (benchDir.empty()) return;
    auto hold = HoldBench(false);
    if (hold->Held()) bench::LoadRegistry(benchDir, registry);
}

bool SimMachine::SaveRegistryKey(const SimRegistry::KeyName& name)
{
    if (benchDir.empty()) return true;
    RegKey* key = name.machineHive ? &registry.localMachine : &registry.currentUser;
    std::vector<std::string> folders;
    for (const auto& part : name.path) {
        key = key ? key->Subkey(part) : nullptr;
        if (key) folders.push_back(key->name);
    }
    if (!key) return FailBench("the key is gone");
    std::string error;
    if (bench::SaveRegistryKey(benchDir, name.machineHive, folders, *key, &error)) return Saved();
    bench::LoadRegistry(benchDir, registry);
    return FailSave(error);
}

void SimMachine::SaveRegistryToBench()
{
    auto hold = HoldBench(true);
    if (hold && hold->Held()) bench::SaveRegistry(benchDir, registry);
}

}  // namespace sim
