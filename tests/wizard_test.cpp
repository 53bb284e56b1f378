// The five-step wizard of the main window, driven through the headless
// toolkit against simulated cameras: the screens and their controls, the
// driver's write permission, the EEPROM that a run leaves behind, and every
// way back to step 1.
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/orvel_config.h"
#include "tests/camera_images.h"
#include "toolkit/background.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/headless.h"

namespace {

using Bytes = std::vector<uint8_t>;

const char permission[] = "AllowEEPROMWrite";

Bytes ImageBytes(const CameraImage& image)
{
    Bytes bytes(256);
    BuildEeprom(image, bytes.data());
    return bytes;
}

Bytes EepromOf(const sim::SimCamera& camera)
{
    return Bytes(camera.eeprom, camera.eeprom + 256);
}

// The addresses of the write requests on the camera's wire, in order.
std::vector<int> WriteAddresses(const sim::SimCamera& camera)
{
    std::vector<int> addresses;
    for (const auto& event : camera.wire)
        if (event.request && event.bytes.size() >= 3 && event.bytes[0] == 0x13) addresses.push_back(event.bytes[1]);
    return addresses;
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::ResetMachine();
        headless::Reset();
    }
    void TearDown() override
    {
        Shut();
        EXPECT_EQ(0u, Machine().OpenFileCount()) << "a camera file was left open";
        EXPECT_EQ(0u, Machine().RegistrationCount()) << "a notification registration was left";
        EXPECT_EQ(0u, Machine().OpenListCount()) << "an interface list was left open";
        EXPECT_EQ(0u, Machine().registry.OpenHandleCount()) << "a registry key was left open";
        EXPECT_EQ(0u, headless::NativeWindowCount());
    }
    static sim::SimMachine& Machine() { return sim::Machine(); }

    // A camera with the image, plugged in; with its driver's Parameters key
    // unless told otherwise.
    sim::SimCamera& AddCamera(const std::string& name, const CameraImage& image, bool driverKey = true)
    {
        if (driverKey) Machine().registry.CreatePath(sim::DriverParametersPath(image.productId));
        sim::SimCamera& camera = Machine().AddCamera(name, image.classRow);
        BuildEeprom(image, camera.eeprom);
        Machine().Plug(camera);
        return camera;
    }
    void Start()
    {
        w = StartMainWindow();
    }
    void Shut()
    {
        ShutProgram();
        w = nullptr;
    }
    static bool Running() { return ProgramRunning(); }
    // The machine's registry becomes read-only after the step-1 scan, so
    // the grant at step 2 is refused.
    static void RefuseGrants() { Machine().registry.machineWritable = false; }
    static void Unplug(sim::SimCamera& camera)
    {
        Machine().Unplug(camera);
        headless::Pump();
    }
    static void Plug(sim::SimCamera& camera)
    {
        Machine().Plug(camera);
        headless::Pump();
    }
    static const sim::RegValue* Permission(uint16_t productId)
    {
        return Machine().registry.GetValue(sim::DriverParametersPath(productId), permission);
    }
    void ExpectScreen(const char* title, const char* line1)
    {
        EXPECT_STREQ(title, w->infoPane->stepTitle);
        EXPECT_STREQ(line1, w->infoPane->stepLine1);
    }
    void ExpectValues(const char* type, const char* id, const char* overscan)
    {
        EXPECT_STREQ(type, w->infoPane->typeValue);
        EXPECT_STREQ(id, w->infoPane->idValue);
        EXPECT_STREQ(overscan, w->infoPane->overscanValue);
    }
    std::vector<CButton*> Buttons() const { return headless::LiveChildren<CButton>(w); }
    std::vector<CComboBox*> Choosers() const { return headless::LiveChildren<CComboBox>(w); }
    void ExpectBox(size_t index, const char* line1, const char* line2, TIcon icon)
    {
        ASSERT_LT(index, headless::Boxes().size());
        const headless::BoxRecord& box = headless::Boxes()[index];
        EXPECT_EQ("Error", box.title);
        EXPECT_EQ(line1, box.lines[0]);
        EXPECT_EQ(line2, box.lines[1]);
        EXPECT_EQ("", box.lines[2]);
        EXPECT_EQ(icon, box.icon);
    }
    // Next, the camera unplugged and plugged again, Scan camera: step 3
    // with the camera shown.
    void ToScannedStepThree(sim::SimCamera& camera)
    {
        ASSERT_TRUE(headless::Click(w->nextButton));
        Unplug(camera);
        Plug(camera);
        ASSERT_TRUE(headless::Click(w->actionButton));
        ASSERT_EQ(3, w->wizardStep);
    }
    void ToStepFour(sim::SimCamera& camera)
    {
        ToScannedStepThree(camera);
        ASSERT_TRUE(headless::Click(w->nextButton));
        ASSERT_EQ(4, w->wizardStep);
    }
    void ExpectRestartedAtStepOne()
    {
        EXPECT_EQ(1, w->wizardStep);
        ExpectScreen("Step 1:", "Connect camera and click [Scan camera] button");
        EXPECT_TRUE(Choosers().empty());
        ASSERT_EQ(2u, Buttons().size());
        EXPECT_STREQ("Scan camera", w->actionButton->Text());
        EXPECT_STREQ("Next ->", w->nextButton->Text());
        EXPECT_EQ(1u, headless::LiveChildren<CCameraInfoPane>(w).size());
    }

    COrvelConfig* w = nullptr;
};

COrvelConfig* ProgramWindow()
{
    return PBackground && !PBackground->Windows().empty() ? dynamic_cast<COrvelConfig*>(PBackground->Windows()[0])
                                                          : nullptr;
}

TEST_F(WizardTest, WholeRunThroughTheProgramWritesTheChosenGeometryAndFinishEndsIt)
{
    CameraImage image;
    sim::SimCamera& camera = AddCamera("cam", image);
    CameraImage enabledImage = image;
    enabledImage.overscan = true;
    COrvelConfig* window = nullptr;
    const std::vector<std::function<void()>> script = {
        [&] {
            window = ProgramWindow();
            ASSERT_NE(nullptr, window);
            const int32_t W = window->InnerWidth(), H = window->InnerHeight();
            EXPECT_STREQ("Orvel KAF", window->Title());
            EXPECT_STREQ("Step 1:", window->infoPane->stepTitle);
            EXPECT_STREQ("Connect camera and click [Scan camera] button", window->infoPane->stepLine1);
            EXPECT_STREQ("TESTCAM", window->infoPane->typeValue);
            EXPECT_STREQ("123456", window->infoPane->idValue);
            EXPECT_STREQ("Disabled", window->infoPane->overscanValue);
            const CRect pane = window->infoPane->Rect();
            EXPECT_EQ(8, pane.x); EXPECT_EQ(8, pane.y); EXPECT_EQ(W - 16, pane.width); EXPECT_EQ(H - 40, pane.height);
            const CRect action = window->actionButton->Rect();
            EXPECT_EQ(8, action.x); EXPECT_EQ(H - 32, action.y);
            EXPECT_EQ((W - 24) / 2, action.width); EXPECT_EQ(24, action.height);
            const CRect next = window->nextButton->Rect();
            EXPECT_EQ(W - action.width - 8, next.x); EXPECT_EQ(action.y, next.y);
            EXPECT_EQ(action.width, next.width); EXPECT_EQ(action.height, next.height);
            EXPECT_EQ(cmExecuteStep, window->actionButton->Command());
            EXPECT_STREQ("Scan camera", window->actionButton->Text());
            EXPECT_EQ(cmNextStep, window->nextButton->Command());
            EXPECT_TRUE(window->nextButton->IsEnabled());
            EXPECT_TRUE(headless::Click(window->nextButton));
        },
        [&] {
            EXPECT_STREQ("Step 2:", window->infoPane->stepTitle);
            EXPECT_STREQ("Unplug camera power", window->infoPane->stepLine1);
            EXPECT_EQ(nullptr, Permission(1028));
            sim::Machine().Unplug(camera);
            headless::Pump();
        },
        [&] {
            EXPECT_STREQ("Step 3:", window->infoPane->stepTitle);
            EXPECT_STREQ("Connect camera again and click [Scan camera]", window->infoPane->stepLine1);
            EXPECT_STREQ("Not connected", window->infoPane->typeValue);
            EXPECT_FALSE(window->nextButton->IsEnabled());
            EXPECT_STREQ("Overscan v1.1", window->Title());
            const sim::RegValue* granted = Permission(1028);
            ASSERT_NE(nullptr, granted);
            EXPECT_EQ(static_cast<DWORD>(REG_DWORD), granted->type);
            EXPECT_EQ((Bytes{1, 0, 0, 0}), granted->data);
            sim::Machine().Plug(camera);
            headless::Pump();
            EXPECT_TRUE(headless::Click(window->actionButton));
            EXPECT_TRUE(window->nextButton->IsEnabled());
            EXPECT_TRUE(headless::Click(window->nextButton));
        },
        [&] {
            EXPECT_STREQ("Step 4:", window->infoPane->stepTitle);
            EXPECT_STREQ("Define Overscan mode", window->infoPane->stepLine1);
            ASSERT_NE(nullptr, window->modeCombo);
            EXPECT_EQ(window->modeCombo, window->Children().front());
            const CRect chooser = window->modeCombo->Rect();
            EXPECT_EQ(108, chooser.x); EXPECT_EQ(101, chooser.y);
            EXPECT_EQ(window->infoPane->Rect().width - 100, chooser.width); EXPECT_EQ(22, chooser.height);
            ASSERT_EQ(2, window->modeCombo->ItemCount());
            EXPECT_STREQ("Disabled", window->modeCombo->ItemText(1));
            EXPECT_STREQ("Enabled", window->modeCombo->ItemText(2));
            EXPECT_EQ(2, window->modeCombo->ListRows());
            EXPECT_EQ(1, window->modeCombo->SelectedPosition());
            EXPECT_STREQ("Write Overscan", window->actionButton->Text());
            EXPECT_EQ(cmExecuteStep, window->actionButton->Command());
            EXPECT_FALSE(window->nextButton->IsEnabled());
            window->modeCombo->Select(2);
            EXPECT_TRUE(headless::Click(window->actionButton));
            EXPECT_EQ(ImageBytes(enabledImage), EepromOf(camera));
            EXPECT_TRUE(window->nextButton->IsEnabled());
            EXPECT_TRUE(headless::Click(window->nextButton));
        },
        [&] {
            EXPECT_STREQ("Step 5:", window->infoPane->stepTitle);
            EXPECT_STREQ("Camera update successful.", window->infoPane->stepLine1);
            EXPECT_STREQ("Changes will take effect after camera is", window->infoPane->stepLine2);
            EXPECT_STREQ("unplugged from power and plugged again.", window->infoPane->stepLine3);
            EXPECT_TRUE(headless::LiveChildren<CComboBox>(window).empty());
            ASSERT_EQ(1u, headless::LiveChildren<CButton>(window).size());
            EXPECT_STREQ("Finish", window->nextButton->Text());
            EXPECT_EQ(cmNextStep, window->nextButton->Command());
            EXPECT_EQ(nullptr, Permission(1028));
            EXPECT_NE(nullptr, sim::Machine().registry.FindPath(sim::DriverParametersPath(1028)));
            EXPECT_TRUE(headless::Click(window->nextButton));
            EXPECT_TRUE(PBackground->Windows().empty());
        },
    };
    size_t step = 0;
    int idleAfterScript = 0;
    headless::SetIdle([&] {
        if (step == script.size()) {
            ++idleAfterScript;
            return false;
        }
        script[step++]();
        return !::testing::Test::HasFatalFailure();
    });
    EXPECT_EQ(0, RunProgram(nullptr, 1));
    EXPECT_EQ(script.size(), step);
    EXPECT_EQ(0, idleAfterScript) << "Finish did not end the program";
    EXPECT_TRUE(headless::Boxes().empty());
    EXPECT_EQ(ImageBytes(enabledImage), EepromOf(camera));
    EXPECT_EQ(nullptr, Permission(1028));
    EXPECT_TRUE(sim::Machine().clock.timers.empty());
}

// A camera that no driver of the table serves, or whose driver is not
// installed, is stopped at step 1: Next stays off, so it is never unplugged
// for a write that cannot happen, and nothing is created in the registry.
TEST_F(WizardTest, CameraWithoutAnInstalledDriverStopsAtStepOne)
{
    struct Case {
        uint16_t productId;
        bool driverKey;
        const char* overscan;
    };
    const Case cases[] = {{1026, false, "Cannot be configured"}, {1031, false, "Cannot be configured"},
                          {9999, false, "Cannot be configured"}, {1028, false, "Driver not installed"},
                          {1201, false, "Driver not installed"}, {1201, true, "Disabled"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.productId);
        Shut();
        sim::ResetMachine();
        headless::Reset();
        CameraImage image;
        image.productId = c.productId;
        image.cameraId = 31337;
        sim::SimCamera& camera = AddCamera("cam", image, c.driverKey);
        Start();
        ExpectValues("TESTCAM", "31337", c.overscan);
        EXPECT_EQ(c.driverKey, w->nextButton->IsEnabled());
        EXPECT_EQ(c.driverKey, headless::Click(w->nextButton));
        EXPECT_EQ(c.driverKey ? 2 : 1, w->wizardStep);
        EXPECT_EQ(3u, camera.transfers) << "the driver is looked up in the registry, not on the camera";
        if (!c.driverKey && c.productId == 1028) {
            EXPECT_EQ(nullptr, Machine().registry.FindPath(sim::DriverParametersPath(1028))) << "nothing created";
        }
    }
    EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(WizardTest, NoCameraAtStartShowsNotConnectedUntilOneIsPluggedAndScanned)
{
    Start();
    ExpectScreen("Step 1:", "Connect camera and click [Scan camera] button");
    ExpectValues("Not connected", "", "");
    EXPECT_FALSE(w->nextButton->IsEnabled());
    EXPECT_FALSE(headless::Click(w->nextButton));
    EXPECT_EQ(1, w->wizardStep);

    CameraImage image;
    image.overscan = true;
    image.cameraId = 4000000001u;
    Machine().registry.CreatePath(sim::DriverParametersPath(image.productId));
    sim::SimCamera& camera = Machine().AddCamera("cam", image.classRow);
    BuildEeprom(image, camera.eeprom);
    Plug(camera);
    EXPECT_STREQ("Overscan v1.1", w->Title()) << "nothing was registered for a camera never found";
    EXPECT_TRUE(headless::Click(w->actionButton));
    EXPECT_STREQ("Orvel KAF", w->Title());
    ExpectValues("TESTCAM", "4000000001", "Enabled");
    EXPECT_TRUE(w->nextButton->IsEnabled());
}

TEST_F(WizardTest, StepTwoWaitsForTheUnplugAndOnlyThenGrantsThePermission)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_EQ(2, w->wizardStep);
    ExpectScreen("Step 2:", "Unplug camera power");
    ASSERT_EQ(1u, Buttons().size()) << "step 2 has no action button";
    EXPECT_EQ(w->nextButton, Buttons()[0]);
    EXPECT_FALSE(w->nextButton->IsEnabled());
    EXPECT_FALSE(headless::Click(w->nextButton));
    EXPECT_EQ(2, w->wizardStep);
    EXPECT_EQ(nullptr, Permission(1028));

    Unplug(camera);
    EXPECT_EQ(3, w->wizardStep);
    ExpectScreen("Step 3:", "Connect camera again and click [Scan camera]");
    ExpectValues("Not connected", "", "");
    ASSERT_NE(nullptr, Permission(1028));
    EXPECT_EQ((Bytes{1, 0, 0, 0}), Permission(1028)->data);
    ASSERT_EQ(2u, Buttons().size());
    EXPECT_STREQ("Scan camera", w->actionButton->Text());
    EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(WizardTest, CameraAlreadyUnpluggedAtStepTwoGrantsAtOnceAndNextMovesOn)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    Unplug(camera);
    EXPECT_EQ(1, w->wizardStep);
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_EQ(2, w->wizardStep);
    ExpectScreen("Step 2:", "Unplug camera power");
    ExpectValues("Not connected", "", "");
    EXPECT_TRUE(w->nextButton->IsEnabled());
    EXPECT_NE(nullptr, Permission(1028));
    EXPECT_EQ(1u, Buttons().size());

    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_EQ(3, w->wizardStep);
    ExpectScreen("Step 3:", "Connect camera again and click [Scan camera]");
    EXPECT_EQ(2u, Buttons().size());
}

TEST_F(WizardTest, ChooserStartsAtTheStateTheScanFound)
{
    for (bool overscan : {false, true}) {
        SCOPED_TRACE(overscan ? "overscan stored" : "normal stored");
        sim::ResetMachine();
        headless::Reset();
        CameraImage image;
        image.overscan = overscan;
        sim::SimCamera& camera = AddCamera("cam", image);
        Start();
        ToStepFour(camera);
        ASSERT_NE(nullptr, w->modeCombo);
        EXPECT_EQ(overscan ? 2 : 1, w->modeCombo->SelectedPosition());
        EXPECT_STREQ(overscan ? "Enabled" : "Disabled", w->infoPane->overscanValue);
        Shut();
    }
}

TEST_F(WizardTest, WriteOverscanTwiceLeavesTheSecondChoice)
{
    CameraImage image;
    image.classRow = 4;  // the other EEPROM layout
    image.productId = 1030;
    image.sensorRow = 7;
    sim::SimCamera& camera = AddCamera("cam", image);
    CameraImage enabledImage = image;
    enabledImage.overscan = true;
    Start();
    ToStepFour(camera);
    w->modeCombo->Select(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    EXPECT_EQ(ImageBytes(enabledImage), EepromOf(camera));
    w->modeCombo->Select(1);
    ASSERT_TRUE(headless::Click(w->actionButton));
    EXPECT_EQ(ImageBytes(image), EepromOf(camera));
    EXPECT_EQ(4, w->wizardStep);
    EXPECT_TRUE(w->nextButton->IsEnabled());
    EXPECT_TRUE(headless::Boxes().empty());
}

TEST_F(WizardTest, DifferentCameraAtStepThreeRestartsWithItAndKeepsThePermission)
{
    sim::SimCamera& first = AddCamera("first", CameraImage{});
    CameraImage otherImage;
    otherImage.classRow = 4;
    otherImage.productId = 1030;
    otherImage.sensorRow = 2;
    otherImage.cameraId = 777;
    otherImage.type = "OTHERCAM";
    Start();
    ASSERT_TRUE(headless::Click(w->nextButton));
    Unplug(first);
    sim::SimCamera& other = AddCamera("other", otherImage);
    headless::Pump();
    ASSERT_TRUE(headless::Click(w->actionButton));

    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "This camera is different", "Plug in the same camera", piInfo32);
    ExpectRestartedAtStepOne();
    ExpectValues("OTHERCAM", "777", "Disabled");
    EXPECT_TRUE(w->nextButton->IsEnabled());
    EXPECT_STREQ("Brenn KAF", w->Title());
    EXPECT_NE(nullptr, Permission(1028));
    EXPECT_TRUE(WriteAddresses(other).empty());
}

TEST_F(WizardTest, StepFourWithoutCameraShowsTheBoxWritesNothingAndRestarts)
{
    CameraImage image;
    sim::SimCamera& camera = AddCamera("cam", image);
    Start();
    ToStepFour(camera);
    Unplug(camera);
    camera.wire.clear();
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "Camera not connected", "Plug in the camera", piStop);
    ExpectRestartedAtStepOne();
    ExpectValues("Not connected", "", "");
    EXPECT_TRUE(camera.wire.empty());
    EXPECT_EQ(ImageBytes(image), EepromOf(camera));
}

// A restart at step 1 searches every camera again: the one connected is
// the new reference, though it was passed over until then.
TEST_F(WizardTest, RestartAtStepOneScansAnotherCameraPassedOverBefore)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    CameraImage otherImage;
    otherImage.cameraId = 777;
    sim::SimCamera& other = AddCamera("other", otherImage);
    Start();
    ToStepFour(camera);
    EXPECT_TRUE(other.wire.empty());
    Unplug(camera);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ExpectBox(0, "Camera not connected", "Plug in the camera", piStop);
    ExpectRestartedAtStepOne();
    ExpectValues("TESTCAM", "777", "Disabled");
    EXPECT_EQ(other.interfacePath, std::string(w->devicePath));
}

TEST_F(WizardTest, FailedWriteShowsTheBoxPutsTheEepromBackAndRestarts)
{
    CameraImage image;
    sim::SimCamera& camera = AddCamera("cam", image);
    Start();
    ToStepFour(camera);
    w->modeCombo->Select(2);
    camera.wire.clear();
    // Three identity reads, the descriptor written and read back, then the
    // geometry write is refused.
    camera.faults.push_back(sim::Fault{sim::FaultKind::status, camera.transfers + 6, 0x82});
    ASSERT_TRUE(headless::Click(w->actionButton));

    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "Cannot write camera EEPROM", "Contact technical support", piStop);
    EXPECT_EQ((std::vector<int>{10, 69, 10}), WriteAddresses(camera))
        << "the descriptor is put back; the geometry, read as it was, is not written";
    EXPECT_EQ(ImageBytes(image), EepromOf(camera));
    ExpectRestartedAtStepOne();
    ExpectValues("TESTCAM", "123456", "Disabled");
    EXPECT_NE(nullptr, Permission(1028));
}

TEST_F(WizardTest, AnotherCameraArrivingAtStepFourIsNotWritten)
{
    // Of the same interface class and listed before the scanned camera, so
    // a search that did not pass over it would take it; a second camera of
    // the class is connected from the start.
    CameraImage intruderImage;
    intruderImage.sensorRow = 2;
    intruderImage.cameraId = 99;
    intruderImage.type = "INTRUDER";
    sim::SimCamera& intruder = Machine().AddCamera("intruder", intruderImage.classRow);
    BuildEeprom(intruderImage, intruder.eeprom);
    CameraImage image;
    sim::SimCamera& camera = AddCamera("cam", image);
    CameraImage otherImage = intruderImage;
    otherImage.cameraId = 777;
    sim::SimCamera& other = AddCamera("other", otherImage);
    Start();
    ToStepFour(camera);
    Plug(intruder);
    EXPECT_EQ(camera.interfacePath, std::string(w->devicePath));
    w->modeCombo->Select(2);
    ASSERT_TRUE(headless::Click(w->actionButton));

    EXPECT_TRUE(headless::Boxes().empty());
    EXPECT_EQ(4, w->wizardStep);
    EXPECT_TRUE(w->nextButton->IsEnabled());
    CameraImage enabledImage = image;
    enabledImage.overscan = true;
    EXPECT_EQ(ImageBytes(enabledImage), EepromOf(camera));
    EXPECT_EQ((std::vector<int>{10, 69}), WriteAddresses(camera));
    EXPECT_TRUE(intruder.wire.empty());
    EXPECT_TRUE(other.wire.empty());
    EXPECT_EQ(ImageBytes(intruderImage), EepromOf(intruder));
    EXPECT_EQ(ImageBytes(otherImage), EepromOf(other));
}

TEST_F(WizardTest, ReachingStepFiveRevokesEveryDriverKeyGrantedInTheRun)
{
    sim::SimCamera& first = AddCamera("first", CameraImage{});
    CameraImage secondImage;
    secondImage.classRow = 4;
    secondImage.productId = 1030;
    secondImage.cameraId = 5;
    Start();
    ASSERT_TRUE(headless::Click(w->nextButton));
    Unplug(first);
    sim::SimCamera& second = AddCamera("second", secondImage);
    headless::Pump();
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_EQ(1, w->wizardStep) << "the second camera restarted the wizard";
    ToStepFour(second);
    EXPECT_NE(nullptr, Permission(1028));
    EXPECT_NE(nullptr, Permission(1030));
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_EQ(5, w->wizardStep);
    EXPECT_EQ(nullptr, Permission(1028));
    EXPECT_EQ(nullptr, Permission(1030));
    EXPECT_EQ(1u, headless::Boxes().size());
}

TEST_F(WizardTest, FailedGrantShowsTheBoxAndClosesAfterStepThreeIsBuilt)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    RefuseGrants();
    ASSERT_TRUE(headless::Click(w->nextButton));
    Machine().Unplug(camera);
    headless::DeliverMessages();
    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "Cannot write Windows Registry", "Application requires administrative priviledges", piStop);
    EXPECT_EQ(3, w->wizardStep);
    ExpectScreen("Step 3:", "Connect camera again and click [Scan camera]");
    EXPECT_TRUE(Running());
    headless::Pump();
    EXPECT_FALSE(Running());
    EXPECT_EQ(nullptr, Permission(1028));
}

TEST_F(WizardTest, AdministratorIsCheckedOnce300MillisecondsAfterStart)
{
    for (bool administrator : {true, false}) {
        SCOPED_TRACE(administrator ? "administrator" : "limited user");
        sim::ResetMachine();
        headless::Reset();
        Machine().SetAdministrator(administrator);
        Start();
        HWND native = w->NativeWindow();
        headless::AdvanceTime(299);
        EXPECT_EQ(0, Machine().system.scmOpens);
        EXPECT_EQ(1u, Machine().clock.Count(native));
        headless::AdvanceTime(1);
        EXPECT_EQ(1, Machine().system.scmOpens);
        EXPECT_EQ(0u, Machine().clock.Count(native)) << "the check's timer is stopped";
        if (administrator) {
            EXPECT_TRUE(headless::Boxes().empty());
            headless::AdvanceTime(1000);
            EXPECT_EQ(1, Machine().system.scmOpens);
            EXPECT_TRUE(Running());
        } else {
            ASSERT_EQ(1u, headless::Boxes().size());
            ExpectBox(0, "Application requires administrative priviledges", "Run it as Administrator", piInfo32);
            EXPECT_FALSE(Running());
        }
        Shut();
    }
}

TEST_F(WizardTest, CommandsOutsideTheirStepsChangeNothing)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    ToStepFour(camera);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_EQ(5, w->wizardStep);
    const uint32_t transfers = camera.transfers;
    const size_t children = w->Children().size();

    w->MakeEvent(TEvent{evCommand, cmExecuteStep});
    headless::Pump();
    EXPECT_EQ(5, w->wizardStep);
    EXPECT_STREQ("Step 5:", w->infoPane->stepTitle);
    w->wizardStep = 6;
    w->MakeEvent(TEvent{evCommand, cmNextStep});
    headless::Pump();
    EXPECT_TRUE(Running());
    EXPECT_EQ(6, w->wizardStep);
    w->wizardStep = 0;
    w->MakeEvent(TEvent{evCommand, cmExecuteStep});
    headless::Pump();
    EXPECT_EQ(0, w->wizardStep);
    EXPECT_TRUE(Running());
    EXPECT_EQ(transfers, camera.transfers);
    EXPECT_EQ(children, w->Children().size());
    EXPECT_TRUE(headless::Boxes().empty());
}

// Closing at step 2 is a close like any other there: the step-2 work runs
// (the permission is granted, as if the camera had been unplugged) and
// step 3 is built and scanned before the window goes; nothing is left open.
TEST_F(WizardTest, ClosingWhileWaitingAtStepTwoRunsTheStepTwoWork)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_EQ(2, w->wizardStep);
    EXPECT_EQ(nullptr, Permission(1028));
    const uint32_t transfers = camera.transfers;
    w->MakeEvent(closeEvent);
    headless::Pump();
    EXPECT_FALSE(Running());
    EXPECT_EQ(nullptr, Permission(1028)) << "what the close granted is taken back as the window goes";
    EXPECT_EQ(transfers + 3, camera.transfers) << "step 3 scans the camera still connected";
    EXPECT_TRUE(headless::Boxes().empty());
}

// After a write, the Next button follows the chooser: only the choice shown
// and written leads to step 5.
TEST_F(WizardTest, ChoiceChangedAfterTheWriteMustBeWrittenBeforeStepFive)
{
    CameraImage image;
    sim::SimCamera& camera = AddCamera("cam", image);
    CameraImage enabledImage = image;
    enabledImage.overscan = true;
    Start();
    ToStepFour(camera);
    w->modeCombo->Select(2);
    headless::Pump();
    ASSERT_TRUE(headless::Click(w->actionButton));
    EXPECT_EQ(ImageBytes(enabledImage), EepromOf(camera));
    EXPECT_TRUE(w->nextButton->IsEnabled());

    w->modeCombo->Select(1);
    headless::Pump();
    EXPECT_FALSE(w->nextButton->IsEnabled()) << "Disabled is shown but Enabled is written";
    EXPECT_FALSE(headless::Click(w->nextButton));
    // A Next already on its way when the choice changed leads nowhere either.
    w->MakeEvent(TEvent{evCommand, cmNextStep});
    headless::Pump();
    EXPECT_EQ(4, w->wizardStep);

    const uint32_t transfers = camera.transfers;
    w->modeCombo->Select(2);
    headless::Pump();
    EXPECT_TRUE(w->nextButton->IsEnabled()) << "the written choice is back";
    EXPECT_EQ(transfers, camera.transfers) << "without a new write";

    w->modeCombo->Select(1);
    headless::Pump();
    ASSERT_TRUE(headless::Click(w->actionButton));
    EXPECT_EQ(ImageBytes(image), EepromOf(camera));
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_EQ(5, w->wizardStep);
    EXPECT_TRUE(headless::Boxes().empty());
}

// A refused grant is shown once and ends the run: neither the close nor a
// second removal arriving while its box is open runs the step-2 work again,
// and the wizard moves on by one step at most.
TEST_F(WizardTest, RefusedGrantShowsOneBoxWhateverCloseFollows)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    RefuseGrants();
    Unplug(camera);
    // The camera is gone already: step 2 grants at once, is refused, and
    // the close that follows finds the wizard still at step 2.
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_FALSE(Running());
    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "Cannot write Windows Registry", "Application requires administrative priviledges", piStop);
}

TEST_F(WizardTest, SecondRemovalDuringTheRefusalBoxMovesOnOnce)
{
    sim::SimCamera& camera = AddCamera("cam", CameraImage{});
    Start();
    RefuseGrants();
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_EQ(2, w->wizardStep);
    int stepInBox = 0;
    headless::OnMessageBox([&](const headless::BoxRecord&) {
        DEV_BROADCAST_HDR header{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_DEVICEINTERFACE, 0};
        headless::PostMessage(w->NativeWindow(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, &header, sizeof header);
        headless::DeliverMessages();
        stepInBox = w->wizardStep;
    });
    Machine().Unplug(camera);
    headless::DeliverMessages();
    EXPECT_EQ(3, stepInBox) << "the second removal builds step 3";
    EXPECT_EQ(3, w->wizardStep) << "and the first does not build step 4 on top of it";
    EXPECT_TRUE(Choosers().empty());
    ExpectScreen("Step 3:", "Connect camera again and click [Scan camera]");
    headless::Pump();
    EXPECT_FALSE(Running());
    ASSERT_EQ(1u, headless::Boxes().size());
}

// The permission lives from the grant to step 5 within a run, and never
// longer than the window: every way of closing before step 5 takes back
// what the run granted, and leaves alone what it did not grant.
TEST_F(WizardTest, ClosingBeforeStepFiveRevokesWhatTheRunGrantedOnly)
{
    enum Where { atStepTwo, atStepThree, atStepFour, afterRestart, afterRefusedGrant };
    const std::pair<Where, const char*> cases[] = {{atStepTwo, "step 2"}, {atStepThree, "step 3"},
                                                   {atStepFour, "step 4"}, {afterRestart, "after a restart"},
                                                   {afterRefusedGrant, "after a refused grant"}};
    for (const auto& [where, what] : cases) {
        SCOPED_TRACE(what);
        sim::ResetMachine();
        headless::Reset();
        CameraImage image;  // product 1028
        sim::SimCamera& camera = AddCamera("cam", image);
        // Another driver's permission, there before the run.
        Machine().registry.CreatePath(sim::DriverParametersPath(1030));
        Machine().registry.SetDword(sim::DriverParametersPath(1030), permission, 1);
        if (where == afterRefusedGrant) Machine().SetAdministrator(false);
        Start();
        ASSERT_TRUE(headless::Click(w->nextButton));
        if (where != atStepTwo) Unplug(camera);
        if (where == afterRefusedGrant) {
            EXPECT_EQ(1u, headless::Boxes().size());
        } else if (where == atStepTwo) {
            w->MakeEvent(closeEvent);
        } else {
            EXPECT_NE(nullptr, Permission(1028)) << "granted at the unplug";
            Plug(camera);
            ASSERT_TRUE(headless::Click(w->actionButton));
            if (where != atStepThree) {
                ASSERT_TRUE(headless::Click(w->nextButton));
            }
            if (where == afterRestart) {
                Machine().Unplug(camera);
                ASSERT_TRUE(headless::Click(w->actionButton));
                ASSERT_EQ(1, w->wizardStep) << "the write without a camera restarted the wizard";
                EXPECT_NE(nullptr, Permission(1028)) << "a restart keeps the permission";
            }
            w->MakeEvent(closeEvent);
        }
        headless::Pump();
        EXPECT_FALSE(Running());
        EXPECT_EQ(nullptr, Permission(1028));
        EXPECT_NE(nullptr, Permission(1030)) << "a value this run did not grant is never touched";
        Shut();
    }
}

}  // namespace
