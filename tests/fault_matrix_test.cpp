// A fault matrix over the whole wizard: the real program on the headless
// toolkit enables overscan on a simulated family-B camera, once for every
// transfer of a complete run and every fault kind at that transfer. Each
// run must end in a known state: the right boxes, an EEPROM that is either
// untouched or wholly rewritten, never half-written, the driver's
// write permission as the run left it, and nothing left open.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/orvel_config.h"
#include "tests/camera_images.h"
#include "toolkit/background.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/headless.h"

namespace {

using Bytes = std::vector<uint8_t>;
using sim::FaultKind;

const char parametersPath[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters";
const char permission[] = "AllowEEPROMWrite";
constexpr uint32_t runTransfers = 13;

struct FaultCase {
    const char* name;
    FaultKind kind;
    uint8_t status;
};

const FaultCase faultKinds[] = {
    {"dropRequest", FaultKind::dropRequest, 0},   {"dropReply", FaultKind::dropReply, 0},
    {"status 0x81", FaultKind::status, 0x81},     {"status 0x82", FaultKind::status, 0x82},
    {"status 0x83", FaultKind::status, 0x83},     {"status 0x99", FaultKind::status, 0x99},
    {"shortReply", FaultKind::shortReply, 0},     {"stuckByte", FaultKind::stuckByte, 0},
};

enum class Ending { unchanged, newGeometry, halfWritten };

bool IsWrite(uint32_t transfer) { return transfer == 10 || transfer == 12; }

// Whether the transfer fails: a short reply only matters to a read, a stuck
// byte only to a write.
bool Fails(uint32_t transfer, FaultKind kind)
{
    if (kind == FaultKind::shortReply) return !IsWrite(transfer);
    if (kind == FaultKind::stuckByte) return IsWrite(transfer);
    return true;
}

// The EEPROM a failed update leaves: the blocks sent are put back while the
// camera answers, a cut link opened again first; the bench's faults fire
// once, so the camera answers again and ends as it was.
Ending ExpectedEnding(uint32_t transfer, FaultKind kind)
{
    if (!Fails(transfer, kind) || transfer <= 6) return Ending::newGeometry;
    return Ending::unchanged;
}

// The write requests of a run that reach the camera: both of the update
// when no fault stops it, none when the check before it fails, else the
// update's as far as it got and one for each block that the put-back reads
// and finds changed. A write that did nothing (refused, or its request
// lost) is not written again.
size_t ExpectedWrites(uint32_t transfer, FaultKind kind)
{
    if (!Fails(transfer, kind) || transfer <= 6) return 2;
    if (transfer <= 9) return 0;
    const bool lost = kind == FaultKind::dropRequest;
    const bool carriedOut = kind == FaultKind::dropReply || kind == FaultKind::stuckByte;
    if (transfer == 10) return carriedOut ? 2 : lost ? 0 : 1;
    if (transfer == 12) return carriedOut ? 4 : lost ? 2 : 3;
    return transfer == 11 ? 2 : 4;
}

Bytes ImageBytes(const CameraImage& image)
{
    Bytes bytes(256);
    BuildEeprom(image, bytes.data());
    return bytes;
}

struct Outcome {
    std::vector<headless::BoxRecord> boxes;
    int rescans = 0;
    int lastStep = 0;  // the step the script last saw
    bool permissionBeforeUnplug = true;
    std::string stepTitleAfterBox, typeAfterBox, overscanAfterBox;
    Bytes permissionAfterBox;  // the value's bytes while the restarted wizard runs; empty: none
    bool closed = false;
};

class FaultMatrixTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    void TearDown() override { Shut(); }

    void Fresh()
    {
        Shut();
        sim::ResetMachine();
        headless::Reset();
        image.classRow = 4;
        image.sensorRow = 4;
        image.productId = 1030;
        enabledImage = image;
        enabledImage.overscan = true;
        ASSERT_EQ(sim::DriverParametersPath(1030), parametersPath);
        sim::Machine().registry.CreatePath(parametersPath);
        camera = &sim::Machine().AddCamera("cam", image.classRow);
        BuildEeprom(image, camera->eeprom);
        sim::Machine().Plug(*camera);
    }
    void Shut()
    {
        ShutProgram();
        w = nullptr;
    }
    static bool Running() { return ProgramRunning(); }
    static const sim::RegValue* Permission() { return sim::Machine().registry.GetValue(parametersPath, permission); }
    Bytes Eeprom() const { return Bytes(camera->eeprom, camera->eeprom + 256); }

    // Start (step 1 scans), Next, unplug, plug, Scan camera, Next, Enabled,
    // Write Overscan, Next, Finish. A scan that leaves Next disabled is made
    // once more; a box ends the script, and the window is closed.
    Outcome RunScript()
    {
        Outcome out;
        w = StartMainWindow();
        auto rescanIfFailed = [&] {
            if (headless::Boxes().empty() && !w->nextButton->IsEnabled()) {
                EXPECT_STREQ("Not connected", w->infoPane->typeValue);
                ++out.rescans;
                EXPECT_TRUE(headless::Click(w->actionButton));
            }
        };
        const std::vector<std::function<void()>> script = {
            [&] { rescanIfFailed(); },
            [&] { EXPECT_TRUE(headless::Click(w->nextButton)); },
            [&] {
                out.permissionBeforeUnplug = Permission() != nullptr;
                sim::Machine().Unplug(*camera);
                headless::Pump();
            },
            [&] {
                EXPECT_STREQ("Step 3:", w->infoPane->stepTitle);
                sim::Machine().Plug(*camera);
                headless::Pump();
                EXPECT_TRUE(headless::Click(w->actionButton));
                rescanIfFailed();
            },
            [&] { EXPECT_TRUE(headless::Click(w->nextButton)); },
            [&] {
                ASSERT_NE(nullptr, w->modeCombo);
                w->modeCombo->Select(2);
                EXPECT_TRUE(headless::Click(w->actionButton));
            },
            [&] { EXPECT_TRUE(headless::Click(w->nextButton)); },
            [&] {
                EXPECT_STREQ("Step 5:", w->infoPane->stepTitle);
                EXPECT_TRUE(headless::Click(w->nextButton));
                out.closed = !Running();
            },
        };
        for (const auto& action : script) {
            if (!Running() || !headless::Boxes().empty() || HasFatalFailure()) break;
            out.lastStep = w->wizardStep;
            action();
        }
        out.boxes = headless::Boxes();
        if (Running()) {
            if (!out.boxes.empty()) {
                out.lastStep = w->wizardStep;
                out.stepTitleAfterBox = w->infoPane->stepTitle;
                out.typeAfterBox = w->infoPane->typeValue;
                out.overscanAfterBox = w->infoPane->overscanValue;
                if (const sim::RegValue* value = Permission(); value && value->type == REG_DWORD)
                    out.permissionAfterBox = value->data;
            }
            w->MakeEvent(closeEvent);
            headless::Pump();
            out.closed = !Running();
        }
        Shut();
        return out;
    }
    void ExpectNothingOpen()
    {
        EXPECT_EQ(0u, sim::Machine().OpenFileCount()) << "a camera file was left open";
        EXPECT_EQ(0u, sim::Machine().OpenListCount()) << "an interface list was left open";
        EXPECT_EQ(0u, sim::Machine().RegistrationCount()) << "a notification registration was left";
        EXPECT_EQ(0u, sim::Machine().registry.OpenHandleCount()) << "a registry key was left open";
        EXPECT_EQ(0u, headless::NativeWindowCount());
    }

    CameraImage image, enabledImage;
    sim::SimCamera* camera = nullptr;
    COrvelConfig* w = nullptr;
};

TEST_F(FaultMatrixTest, FaultFreeEnableRunTakesThirteenTransfersAndWritesTheOverscanGeometry)
{
    const Outcome out = RunScript();
    EXPECT_TRUE(out.boxes.empty());
    EXPECT_EQ(0, out.rescans);
    EXPECT_TRUE(out.closed) << "Finish ends the program";
    EXPECT_EQ(5, out.lastStep);
    ASSERT_EQ(runTransfers, camera->transfers);
    EXPECT_NE(ImageBytes(image), ImageBytes(enabledImage));
    EXPECT_EQ(ImageBytes(enabledImage), Eeprom());
    // Nine reads, then the descriptor and the geometry each written and read back.
    std::string commands;
    for (const auto& event : camera->wire)
        if (event.request) commands += event.bytes.at(0) == 0x13 ? 'W' : event.bytes.at(0) == 0x12 ? 'R' : '?';
    EXPECT_EQ("RRRRRRRRRWRWR", commands);
    EXPECT_FALSE(out.permissionBeforeUnplug);
    EXPECT_EQ(nullptr, Permission()) << "step 5 removes the permission";
    EXPECT_NE(nullptr, sim::Machine().registry.FindPath(parametersPath));
    ExpectNothingOpen();
}

TEST_F(FaultMatrixTest, EveryFaultAtEveryTransferEndsInAKnownState)
{
    const Bytes before = ImageBytes(image), after = ImageBytes(enabledImage);
    int cases = 0, unchanged = 0, rewritten = 0, halfWritten = 0;
    for (uint32_t transfer = 1; transfer <= runTransfers; ++transfer) {
        for (const FaultCase& fault : faultKinds) {
            const std::string name = "transfer " + std::to_string(transfer) + " " + fault.name;
            SCOPED_TRACE(name);
            Fresh();
            camera->faults.push_back(sim::Fault{fault.kind, transfer, fault.status});
            const bool fails = Fails(transfer, fault.kind);
            const bool updateFails = fails && transfer >= 7;
            const Outcome out = RunScript();
            ++cases;

            EXPECT_TRUE(out.closed) << "the window did not close";
            EXPECT_FALSE(out.permissionBeforeUnplug);
            EXPECT_EQ(fails && transfer <= 6 ? 1 : 0, out.rescans);
            if (updateFails) {
                ASSERT_EQ(1u, out.boxes.size());
                EXPECT_EQ("Error", out.boxes[0].title);
                EXPECT_EQ("Cannot write camera EEPROM", out.boxes[0].lines[0]);
                EXPECT_EQ("Contact technical support", out.boxes[0].lines[1]);
                EXPECT_EQ("", out.boxes[0].lines[2]);
                EXPECT_EQ(piStop, out.boxes[0].icon);
                EXPECT_EQ(1, out.lastStep);
                EXPECT_EQ("Step 1:", out.stepTitleAfterBox);
                // The restart scans the camera, still there, as the new reference.
                EXPECT_EQ("TESTCAM", out.typeAfterBox);
            } else {
                EXPECT_TRUE(out.boxes.empty()) << out.boxes.front().lines[0];
                EXPECT_EQ(5, out.lastStep);
                // A failed read of a scan costs the reads up to it, then the rescan.
                const uint32_t extra = fails ? (transfer - 1) % 3 + 1 : 0;
                EXPECT_EQ(runTransfers + extra, camera->transfers);
            }

            const Bytes eeprom = Eeprom();
            Ending ending = Ending::halfWritten;
            if (eeprom == before) {
                ending = Ending::unchanged;
                ++unchanged;
            } else if (eeprom == after) {
                ending = Ending::newGeometry;
                ++rewritten;
            } else {
                ++halfWritten;
            }
            EXPECT_EQ(static_cast<int>(ExpectedEnding(transfer, fault.kind)), static_cast<int>(ending));
            const size_t writes = std::count_if(camera->wire.begin(), camera->wire.end(), [](const sim::WireEvent& e) {
                return e.request && !e.bytes.empty() && e.bytes[0] == 0x13;
            });
            EXPECT_EQ(ExpectedWrites(transfer, fault.kind), writes);
            if (updateFails) {
                EXPECT_EQ(ending == Ending::unchanged ? "Disabled" : "Enabled", out.overscanAfterBox);
            }

            if (updateFails) {
                EXPECT_EQ((Bytes{1, 0, 0, 0}), out.permissionAfterBox) << "a restart after the grant keeps the permission";
            }
            EXPECT_EQ(nullptr, Permission()) << "step 5, or else the close, removes the permission";
            ExpectNothingOpen();
        }
    }
    std::printf("fault matrix: %d cases; EEPROM unchanged %d, new geometry %d, reported half-written %d\n", cases,
                unchanged, rewritten, halfWritten);
    EXPECT_EQ(static_cast<int>(runTransfers * (sizeof faultKinds / sizeof faultKinds[0])), cases);
    EXPECT_EQ(cases, unchanged + rewritten + halfWritten);
    EXPECT_GT(unchanged, 0);
    EXPECT_GT(rewritten, 0);
    EXPECT_EQ(0, halfWritten) << "a failed update puts back what it wrote";
}

}  // namespace
