// One program of the bench stress test: the real wizard with the headless
// toolkit over the bench, run again and again for a while, writing one
// mode. Every write it reports as done is checked on disk at that moment;
// at the end it writes what it did:
//
//   wizard_driver BENCH MODE(enabled|disabled) SECONDS REPORT
//
//   runs N          wizard runs started
//   written N       writes reported done (step 4's Next enabled by the write)
//   checked N       blocks of them checked on disk (no other program's
//                   transfer came after this one's write of the block)
//   wrong N         of them, not on disk as written (must be 0)
//   transfers N     transfers this program made that reached the camera
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "app/orvel_config.h"
#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_changes.h"
#include "platform/sim/bench/bench_files.h"
#include "platform/sim/sim_machine.h"
#include "tests/program_start.h"
#include "tools/camsim/camera_image.h"
#include "toolkit/background.h"
#include "toolkit/headless/headless.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Tally {
    int runs = 0, written = 0, checked = 0, wrong = 0;
};

COrvelConfig* StartProgram()
{
    headless::Reset();
    headless::OnMessageBox([](const headless::BoxRecord&) {});
    return StartMainWindow();
}

CButton* LiveButton(COrvelConfig* window, uint32_t command)
{
    for (CButton* button : headless::LiveChildren<CButton>(window))
        if (button->Command() == command && button->IsEnabled()) return button;
    return nullptr;
}

// A block the wizard writes, as an image of the camera in the mode holds
// it: the visible size in the descriptor, or the geometry.
struct Block {
    uint8_t address;  // where the wizard's write of the block starts
    int from, size;   // the bytes of it that depend on the mode
};
const Block blocks[] = {{10, 18, 4}, {71, 71, 8}};

bool BlockMatches(const std::string& eeprom, const Block& block, bool overscan)
{
    CameraImage image;
    image.classRow = 4;
    image.sensorRow = 4;
    image.overscan = overscan;
    uint8_t expected[256];
    BuildEeprom(image, expected);
    return eeprom.size() == 256 && std::memcmp(eeprom.data() + block.from, expected + block.from, block.size) == 0;
}

// At the moment the write is reported, each block holds what this program
// wrote, unless a transfer of another program came after its write: the
// transfers since are then more than this program's own.
void CheckWrite(const std::string& dir, const sim::SimCamera& camera, bool overscan, Tally* tally)
{
    sim::bench::BenchLock lock(dir, false);
    std::string eeprom, count;
    sim::bench::ReadFileText(dir + "/cameras/" + camera.name + "/eeprom.bin", &eeprom);
    sim::bench::ReadFileText(dir + "/cameras/" + camera.name + "/transfers.txt", &count);
    uint32_t onDisk = static_cast<uint32_t>(std::strtoul(count.c_str(), nullptr, 10));
    for (const Block& block : blocks) {
        uint32_t written = 0, ownSince = 0;
        for (const auto& event : camera.wire) {
            if (!event.request) continue;
            ++ownSince;
            if (event.bytes.size() > 1 && event.bytes[0] == 0x13 && event.bytes[1] == block.address) {
                written = event.transfer;
                ownSince = 0;
            }
        }
        if (written == 0 || onDisk - written != ownSince) continue;
        ++tally->checked;
        if (!BlockMatches(eeprom, block, overscan)) ++tally->wrong;
    }
}

// One step of the run: whatever button leads on is pressed.
void Act(COrvelConfig* window, bool overscan, const std::string& dir, Tally* tally)
{
    CButton* action = LiveButton(window, cmExecuteStep);
    CButton* next = LiveButton(window, cmNextStep);
    switch (window->wizardStep) {
    case 1:
    case 3:
        // Scan until the camera is taken, then on.
        if (next)
            next->Press();
        else if (action)
            action->Press();
        break;
    case 2:
        if (next) next->Press();
        break;
    case 4:
        // Next is enabled by a write that went through.
        if (next) {
            next->Press();
            break;
        }
        for (CComboBox* combo : headless::LiveChildren<CComboBox>(window)) combo->Select(overscan ? 2 : 1);
        if (action) action->Press();
        headless::Pump();
        if (window->wizardStep == 4 && LiveButton(window, cmNextStep)) {
            ++tally->written;
            sim::SimCamera* camera = sim::Machine().FindCamera("cam1");
            if (camera) CheckWrite(dir, *camera, overscan, tally);
        }
        break;
    case 5:
        if (next) next->Press();
        break;
    default: break;
    }
    headless::Pump();
}

size_t TransfersMade()
{
    sim::SimCamera* camera = sim::Machine().FindCamera("cam1");
    size_t count = 0;
    if (camera)
        for (const auto& event : camera->wire) count += event.request;
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: wizard_driver BENCH MODE SECONDS REPORT\n");
        return 2;
    }
    std::string dir = argv[1], error;
    bool overscan = std::strcmp(argv[2], "enabled") == 0;
    auto end = Clock::now() + std::chrono::seconds(std::atoi(argv[3]));
    if (!sim::Machine().AttachBench(dir, &error)) {
        std::fprintf(stderr, "wizard_driver: %s\n", error.c_str());
        return 1;
    }
    Tally tally;
    COrvelConfig* window = nullptr;
    Clock::time_point tick = Clock::now();
    while (Clock::now() < end) {
        if (!ProgramRunning()) {
            ShutProgram();
            window = StartProgram();
            ++tally.runs;
        }
        sim::TakeBenchChanges();
        auto now = Clock::now();
        headless::AdvanceTime(static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now - tick).count()));
        tick = now;
        headless::Pump();
        if (ProgramRunning()) Act(window, overscan, dir, &tally);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ShutProgram();
    std::ofstream report(argv[4]);
    report << "runs " << tally.runs << "\nwritten " << tally.written << "\nchecked " << tally.checked << "\nwrong "
           << tally.wrong << "\ntransfers " << TransfersMade() << "\n";
    return 0;
}
