// Random sequences over the whole program: plugging and unplugging two
// cameras of one class, presses of whatever buttons are there, mode
// choices, time passing, and closing. After every step the connection is
// consistent, nothing is left open, and no camera whose blocks differ
// from the kept record has been written.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/orvel_config.h"
#include "tests/camera_images.h"
#include "toolkit/background.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/headless.h"
#include "wizard/camera_info_pane.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Write requests the camera has received.
size_t WriteRequests(const sim::SimCamera& camera)
{
    size_t count = 0;
    for (const auto& event : camera.wire)
        if (event.request && !event.bytes.empty() && event.bytes[0] == 0x13) ++count;
    return count;
}

class RandomSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::ResetMachine();
        headless::Reset();
        headless::OnMessageBox([](const headless::BoxRecord&) {});
        for (const char* name : {"first", "second"}) {
            CameraImage image;
            image.classRow = 4;
            image.sensorRow = 4;
            image.productId = 1030;
            image.cameraId = name[0] == 'f' ? 1001 : 2002;
            sim::SimCamera& camera = sim::Machine().AddCamera(name, image.classRow);
            BuildEeprom(image, camera.eeprom);
        }
        sim::Machine().registry.CreatePath(sim::DriverParametersPath(1030));
        sim::Machine().Plug(Camera(0));
        window = StartMainWindow();
    }
    void TearDown() override
    {
        ShutProgram();
    }
    static sim::SimCamera& Camera(int index) { return *sim::Machine().Cameras()[static_cast<size_t>(index)]; }
    bool Open() const { return ProgramRunning(); }

    // The kept blocks as they would stand at the camera's addresses.
    bool MatchesKeptRecord(const Bytes& eeprom) const
    {
        return std::memcmp(eeprom.data(), window->headerBlock, 10) == 0 &&
               std::memcmp(eeprom.data() + 10, window->descriptorBlockB, 61) == 0 &&
               std::memcmp(eeprom.data() + 71, window->geometryBlock, 12) == 0;
    }

    // Half of the steps take the wizard on, so that runs reach the write;
    // the others do anything at all.
    int Pick(std::mt19937& random)
    {
        if (random() % 2) return static_cast<int>(random() % 9);
        switch (window->wizardStep) {
        case 1: return 6;
        case 2: return random() % 3 ? 0 : 2;
        case 3: return Camera(0).plugged ? 4 : 1;
        case 4: return random() % 3 ? 4 : 6;
        default: return 8;
        }
    }

    // A view pointer of the window stays set after its view has ended and
    // been freed, so the live controls are found among the window's children.
    CButton* LiveButton(uint32_t command) const
    {
        for (CButton* button : headless::LiveChildren<CButton>(window))
            if (button->Command() == command) return button;
        return nullptr;
    }

    void Act(std::mt19937& random)
    {
        CButton* action = LiveButton(cmExecuteStep);
        CButton* next = LiveButton(cmNextStep);
        auto combos = headless::LiveChildren<CComboBox>(window);
        switch (Pick(random)) {
        case 0: sim::Machine().Unplug(Camera(0)); break;
        case 1: sim::Machine().Plug(Camera(0)); break;
        case 2: sim::Machine().Unplug(Camera(1)); break;
        case 3: sim::Machine().Plug(Camera(1)); break;
        case 4:
        case 5:
            if (action) action->Press();
            break;
        case 6:
            // Finish would end the sequence; it is left to the end.
            if (next && window->wizardStep != 5) next->Press();
            break;
        case 7:
            if (!combos.empty()) combos.front()->Select(1 + static_cast<int>(random() % 2));
            break;
        default: headless::AdvanceTime(100 + random() % 300); break;
        }
        headless::Pump();
    }

    void CheckInvariants(const std::string& where)
    {
        SCOPED_TRACE(where);
        bool connected = window->familyFlags & connectedFlag;
        int open = (window->commandPipe != INVALID_HANDLE_VALUE) + (window->dataPipe != INVALID_HANDLE_VALUE) +
                   (window->auxPipe != INVALID_HANDLE_VALUE);
        ASSERT_EQ(connected ? 3 : 0, open) << "the connected bit must match the pipes";
        ASSERT_EQ(connected ? 3u : 0u, sim::Machine().OpenFileCount()) << "a file handle leaked";
        ASSERT_EQ(connected ? 1u : 0u, sim::Machine().RegistrationCount()) << "a registration leaked";
        ASSERT_EQ(0u, sim::Machine().OpenListCount());
        ASSERT_EQ(0u, sim::Machine().registry.OpenHandleCount());
        uint32_t classes = window->familyFlags & classMasks;
        ASSERT_TRUE(classes == 0 || classes == 16) << "one class bit at most, the cameras' own";
    }

    COrvelConfig* window = nullptr;
};

TEST_F(RandomSequenceTest, ConnectionStaysConsistentAndOnlyTheScannedCameraIsWritten)
{
    int writes = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        if (seed > 1) {
            TearDown();
            SetUp();
        }
        std::mt19937 random(seed);
        for (int step = 0; step < 80 && Open(); ++step) {
            Bytes before[2] = {Bytes(Camera(0).eeprom, Camera(0).eeprom + 256),
                               Bytes(Camera(1).eeprom, Camera(1).eeprom + 256)};
            bool matched[2] = {MatchesKeptRecord(before[0]), MatchesKeptRecord(before[1])};
            size_t sent[2] = {WriteRequests(Camera(0)), WriteRequests(Camera(1))};
            Act(random);
            std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            for (int i = 0; i < 2; ++i) {
                if (WriteRequests(Camera(i)) == sent[i]) continue;
                ++writes;
                ASSERT_TRUE(matched[i]) << where << ": camera " << i << " was written though it is not the one scanned";
            }
            CheckInvariants(where);
        }
        if (Open()) {
            window->MakeEvent(closeEvent);
            headless::Pump();
        }
        ASSERT_FALSE(Open());
        ASSERT_EQ(0u, sim::Machine().OpenFileCount());
        ASSERT_EQ(0u, sim::Machine().RegistrationCount());
    }
    std::printf("random sequences: 60 runs, %d steps that wrote to a camera\n", writes);
    EXPECT_GT(writes, 0) << "the sequences never reached a write: they test too little";
}

}  // namespace
