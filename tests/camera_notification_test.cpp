// The camera connection as the window sees it: the notification
// registration, the window title, arrivals and removals delivered as
// WM_DEVICECHANGE, and the wizard moved on from step 2 by the close.
#include <cstring>
#include <string>
#include <vector>

#include "camera/camera_classes.h"
#include "platform/win_api.h"
#include "tests/camera_images.h"
#include "toolkit/background.h"
#include "toolkit/combo_box.h"
#include "toolkit/headless/headless.h"
#include "toolkit/text.h"

namespace {

const char* const classTitles[6] = {"Orvel KAI", "Orvel KAF", "Brenn KAI", "Brenn KAF", "Overscan v1.1",
                                    "Overscan v1.1"};
const char* const orvelFKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\orvelccdF\\Parameters";

class CameraNotificationTest : public SimulatedCameraTest {
protected:
    void TearDown() override
    {
        CloseWizard();
        SimulatedCameraTest::TearDown();
    }

    sim::SimCamera& Plug(const std::string& name, int classRow, uint32_t cameraId = 123456)
    {
        CameraImage image;
        image.classRow = classRow;
        image.cameraId = cameraId;
        return PlugCamera(name, image);
    }

    // Connected bit exactly when the three pipes are open, and then the
    // only files open and the one registration; never a list left open.
    static void ExpectConsistent(const COrvelConfig* c, const std::string& where)
    {
        SCOPED_TRACE(where);
        const bool connected = (c->familyFlags & connectedFlag) != 0;
        const int open = (c->commandPipe != INVALID_HANDLE_VALUE) + (c->dataPipe != INVALID_HANDLE_VALUE) +
                         (c->auxPipe != INVALID_HANDLE_VALUE);
        EXPECT_EQ(connected ? 3 : 0, open);
        EXPECT_EQ(connected ? 3u : 0u, sim::Machine().OpenFileCount());
        EXPECT_EQ(connected ? 1u : 0u, sim::Machine().RegistrationCount());
        EXPECT_EQ(connected, c->deviceNotification != nullptr);
        EXPECT_EQ(connected, c->devicePath[0] != 0);
        EXPECT_EQ(0u, sim::Machine().OpenListCount());
    }

    // The real wizard in its application object: shown, it opens the
    // camera, builds step 1 and scans.
    COrvelConfig* StartWizard()
    {
        DropConfig();
        PBackground = new CBackground;
        wizard = new COrvelConfig;
        wizard->InitMainWindow();
        PBackground->Register(wizard);
        PBackground->Show();
        return wizard;
    }
    bool WizardOpen() const
    {
        if (!PBackground) return false;
        for (CWindow* window : PBackground->Windows())
            if (window == wizard) return true;
        return false;
    }
    void CloseWizard()
    {
        if (!PBackground) return;
        if (WizardOpen()) {
            wizard->MakeEvent(closeEvent);
            headless::Pump();
        }
        ShutProgram();
        wizard = nullptr;
    }
    // Step 1 scanned the camera; Next goes to step 2, which waits for it to go.
    void ToStepTwo()
    {
        ASSERT_EQ(1, wizard->wizardStep);
        ASSERT_TRUE(headless::Click(wizard->nextButton));
        ASSERT_EQ(2, wizard->wizardStep);
        ASSERT_FALSE(wizard->nextButton->IsEnabled());
        ASSERT_TRUE(wizard->familyFlags & connectedFlag);
    }
    static std::string Permission()
    {
        const sim::RegValue* value = sim::Machine().registry.GetValue(orvelFKey, "AllowEEPROMWrite");
        if (!value) return "none";
        std::string text = value->type == REG_DWORD ? "dword" : "type " + std::to_string(value->type);
        for (uint8_t byte : value->data) text += " " + std::to_string(byte);
        return text;
    }

    COrvelConfig* wizard = nullptr;
};

// RegisterDeviceNotificationA of the simulated platform keeps only the
// window and the class GUID of the record, after checking its size field
// and device type: the class is seen through which plug-ins reach the window.
TEST_F(CameraNotificationTest, RegistrationIsForTheClassFoundAndTheTitleNamesIt)
{
    for (int row = 1; row <= 6; ++row) {
        SCOPED_TRACE("class row " + std::to_string(row));
        headless::Reset();
        sim::ResetMachine();
        NewConfig();
        Plug("cam", row);
        config->OpenCamera();
        ASSERT_EQ(connectedFlag | (2u << (row - 1)), config->familyFlags);
        EXPECT_EQ(1u, Machine().RegistrationCount());
        EXPECT_STREQ(classTitles[row - 1], config->Title());
        for (int other = 1; other <= 6; ++other)
            if (other != row) Plug("other" + std::to_string(other), other);
        EXPECT_EQ(0u, headless::QueuedMessages()) << "another class reaches the window";
        Plug("twin", row);
        EXPECT_EQ(1u, headless::QueuedMessages());

        config->CloseCamera();
        EXPECT_STREQ("Overscan v1.1", config->Title());
        EXPECT_EQ(2u << (row - 1), config->familyFlags);
        ExpectConsistent(config, "closed");
        Plug("late", row);
        EXPECT_EQ(1u, headless::QueuedMessages()) << "no registration is left after the close";
    }
}

TEST_F(CameraNotificationTest, OpenBeforeTheNativeWindowExistsOnlyCloses)
{
    Plug("cam", 2);
    BareConfig early;
    early.Init(CRect(100, 100, 272, 164), 0, 5, "early", nullptr, nullptr, nullptr, nullptr);
    early.familyFlags = 8;  // the class of an earlier connection
    CopyA(maxDevicePath, early.devicePath, 0, "\\\\?\\stale");
    early.OpenCamera();
    EXPECT_EQ(8u, early.familyFlags) << "no search, so the class bit stays";
    EXPECT_STREQ("", early.devicePath);
    EXPECT_STREQ("Overscan v1.1", early.Title());
    EXPECT_EQ(INVALID_HANDLE_VALUE, early.commandPipe);
    early.RegisterCameraNotification();
    EXPECT_EQ(nullptr, early.deviceNotification);
    EXPECT_EQ(0u, Machine().RegistrationCount());
    EXPECT_EQ(0u, Machine().OpenFileCount());
    EXPECT_TRUE(Machine().FindCamera("cam")->wire.empty());
}

TEST_F(CameraNotificationTest, OnlyTheConnectedInterfaceClosesAndAnArrivalWithoutOneSearchesAgain)
{
    sim::SimCamera& first = Plug("first", 3);
    config->OpenCamera();
    ASSERT_STREQ(first.interfacePath.c_str(), config->devicePath);

    // Another interface comes and goes while this one is listed: the
    // connection stays as it is.
    first.interfaceBusy = true;  // taken by another program meanwhile
    sim::SimCamera& second = Plug("second", 3);
    ASSERT_EQ(1u, headless::QueuedMessages());
    headless::DeliverMessages();
    Machine().Unplug(second);
    headless::DeliverMessages();
    EXPECT_STREQ(first.interfacePath.c_str(), config->devicePath);
    EXPECT_EQ(connectedFlag | 8u, config->familyFlags);
    ExpectConsistent(config, "after another camera came and went");

    Machine().Unplug(first);
    headless::DeliverMessages();
    EXPECT_EQ(8u, config->familyFlags);
    EXPECT_STREQ("Overscan v1.1", config->Title());
    ExpectConsistent(config, "after the removal");

    // The connection registered no longer, a late arrival opens nothing; a
    // window told of one searches again, passing over the camera that came
    // as another's, back now.
    Machine().Plug(second);
    sim::SimCamera& third = Plug("third", 3);
    EXPECT_EQ(0u, headless::QueuedMessages());
    DEV_BROADCAST_HDR arrival = {sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_DEVICEINTERFACE, 0};
    LRESULT result = 0;
    EXPECT_TRUE(config->ReceiveMsg(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&arrival), result));
    EXPECT_STREQ(third.interfacePath.c_str(), config->devicePath) << "the arrival searched again";
    EXPECT_STREQ("Brenn KAI", config->Title());
    ExpectConsistent(config, "after the arrival");
}

TEST_F(CameraNotificationTest, OnlyArrivalAndRemovalOfAnInterfaceAreHandled)
{
    Plug("cam", 4);
    config->OpenCamera();
    const HANDLE pipe = config->commandPipe;
    DEV_BROADCAST_HDR interfaceRecord = {sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_DEVICEINTERFACE, 0};
    DEV_BROADCAST_HDR volumeRecord = {sizeof(DEV_BROADCAST_HDR), 2, 0};
    const struct {
        WPARAM event;
        const DEV_BROADCAST_HDR* record;
    } ignored[] = {{0x8001, &interfaceRecord}, {0x8003, &interfaceRecord}, {0x0007, &interfaceRecord},
                   {0x0018, &interfaceRecord}, {DBT_DEVICEARRIVAL, &volumeRecord},
                   {DBT_DEVICEREMOVECOMPLETE, &volumeRecord}, {DBT_DEVICEREMOVECOMPLETE, nullptr}};
    for (const auto& change : ignored) {
        LRESULT result = 0;
        EXPECT_FALSE(config->ReceiveMsg(WM_DEVICECHANGE, change.event, reinterpret_cast<LPARAM>(change.record),
                                        result))
            << "event " << change.event;
        EXPECT_EQ(0, result);
    }
    EXPECT_EQ(pipe, config->commandPipe);
    EXPECT_EQ(connectedFlag | 16u, config->familyFlags);

    // A bare header of the interface type is enough: the path is not read.
    LRESULT result = 0;
    EXPECT_TRUE(config->ReceiveMsg(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                                   reinterpret_cast<LPARAM>(&interfaceRecord), result));
    EXPECT_EQ(16u, config->familyFlags);
    EXPECT_TRUE(config->ReceiveMsg(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&interfaceRecord),
                                   result));
    EXPECT_EQ(connectedFlag | 16u, config->familyFlags);
    EXPECT_NE(pipe, config->commandPipe);
    ExpectConsistent(config, "reopened");
}

TEST_F(CameraNotificationTest, LongMixedSequenceLeaksNothing)
{
    sim::SimCamera& a = Plug("a", 3);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        config->OpenCamera();
        EXPECT_EQ(connectedFlag | 8u, config->familyFlags);
        ExpectConsistent(config, "open a");
        config->CloseCamera();
        config->CloseCamera();
        EXPECT_EQ(8u, config->familyFlags) << "the class bit is kept by a close";
        ExpectConsistent(config, "closed twice");

        sim::SimCamera& b = Plug("b" + std::to_string(round), 1);
        EXPECT_EQ(0u, headless::QueuedMessages());
        config->OpenCamera();
        EXPECT_EQ(connectedFlag | 2u, config->familyFlags) << "the next search clears the old class bit";
        sim::SimCamera& c = Plug("c" + std::to_string(round), 1);
        headless::DeliverMessages();
        EXPECT_STREQ(b.interfacePath.c_str(), config->devicePath);
        ExpectConsistent(config, "arrival while connected");
        Machine().Unplug(c);
        headless::DeliverMessages();
        EXPECT_EQ(connectedFlag | 2u, config->familyFlags) << "another camera's removal";
        ExpectConsistent(config, "removal");
        Machine().Unplug(b);
        headless::DeliverMessages();
        ExpectConsistent(config, "b removed");

        a.pipeUnopenable[2] = true;
        config->OpenCamera();
        EXPECT_EQ(8u, config->familyFlags);
        EXPECT_STREQ("Overscan v1.1", config->Title());
        ExpectConsistent(config, "aux pipe refused: its registration given back");
        a.pipeUnopenable[2] = false;
        config->OpenCamera();
        // Gone and back before the window hears of it: the removal closes,
        // the arrival opens again.
        Machine().Unplug(a);
        Machine().Plug(a);
        EXPECT_EQ(2u, headless::QueuedMessages());
        headless::DeliverMessages();
        EXPECT_EQ(connectedFlag | 8u, config->familyFlags);
        ExpectConsistent(config, "unplugged and plugged");
        Machine().Unplug(a);
        headless::DeliverMessages();
        config->OpenCamera();
        EXPECT_EQ(0u, config->familyFlags) << "nothing found: no class bit";
        ExpectConsistent(config, "nothing there");
        Machine().Plug(a);
    }
}

TEST_F(CameraNotificationTest, RemovalAtStepTwoClosesThenGrantsThenMovesToStepThree)
{
    Machine().registry.CreatePath(orvelFKey);
    sim::SimCamera& camera = Plug("cam", 2);
    StartWizard();
    EXPECT_STREQ("Orvel KAF", wizard->Title());
    ToStepTwo();
    EXPECT_EQ("none", Permission());

    Machine().Unplug(camera);
    headless::Pump();
    // The grant shows that the step saw the connected bit clear.
    EXPECT_EQ("dword 1 0 0 0", Permission());
    EXPECT_EQ(3, wizard->wizardStep);
    EXPECT_STREQ("Step 3:", wizard->infoPane->stepTitle);
    EXPECT_STREQ("Not connected", wizard->infoPane->typeValue);
    EXPECT_STREQ("Scan camera", wizard->actionButton->Text());
    EXPECT_EQ(cmExecuteStep, wizard->actionButton->Command());
    EXPECT_EQ(0u, wizard->familyFlags) << "the step-3 scan searched again and found nothing";
    EXPECT_STREQ("Overscan v1.1", wizard->Title());
    ExpectConsistent(wizard, "step 3");
    EXPECT_TRUE(headless::Boxes().empty());

    HWND native = wizard->NativeWindow();
    CloseWizard();
    EXPECT_EQ(0u, Machine().clock.Count(native));
}

TEST_F(CameraNotificationTest, RefusedGrantAtStepTwoClosesTheWindowOnlyAfterTheBox)
{
    sim::SimCamera& camera = Plug("cam", 2);
    StartWizard();
    Machine().registry.machineWritable = false;  // the grant is refused
    ToStepTwo();
    std::vector<std::string> whileOpen;
    headless::OnMessageBox([&](const headless::BoxRecord& box) {
        whileOpen.push_back(box.lines[0]);
        whileOpen.push_back(wizard->Title());
        whileOpen.push_back(std::to_string(wizard->wizardStep) + " " + std::to_string(wizard->familyFlags));
        headless::Pump();
        whileOpen.push_back(wizard->IsEnded() || !wizard->NativeWindow() ? "closed" : "open");
        whileOpen.push_back(std::to_string(Machine().RegistrationCount() + Machine().OpenFileCount()));
    });
    Machine().Unplug(camera);
    headless::Pump();
    // At the box: the pipes and registration gone, bit clear, the title not yet reset.
    EXPECT_EQ((std::vector<std::string>{"Cannot write Windows Registry", "Orvel KAF", "2 4", "open", "0"}),
              whileOpen);
    EXPECT_FALSE(WizardOpen()) << "the close posted with the box ran from the loop";
    EXPECT_EQ("none", Permission());
}

TEST_F(CameraNotificationTest, NestedSearchAtStepTwoKeepsACameraStillPresent)
{
    Machine().registry.CreatePath(orvelFKey);
    sim::SimCamera& kept = Plug("kept", 2);
    sim::SimCamera& other = Plug("other", 2, 777);
    StartWizard();
    ASSERT_STREQ(kept.interfacePath.c_str(), wizard->devicePath);
    ToStepTwo();

    // Another camera's removal is not this camera's unplug.
    Machine().Unplug(other);
    headless::Pump();
    EXPECT_EQ(2, wizard->wizardStep);
    EXPECT_EQ("none", Permission());
    EXPECT_FALSE(wizard->nextButton->IsEnabled());
    ExpectConsistent(wizard, "the other gone at step 2");

    // This camera gone and back before the window hears of it: listed
    // again, yet its removal grants and the step-3 scan nested in the
    // close connects it again.
    Machine().Unplug(kept);
    Machine().Plug(kept);
    headless::Pump();
    EXPECT_EQ(3, wizard->wizardStep);
    EXPECT_EQ("dword 1 0 0 0", Permission());
    EXPECT_EQ(connectedFlag | 4u, wizard->familyFlags);
    EXPECT_STREQ(kept.interfacePath.c_str(), wizard->devicePath);
    EXPECT_STREQ("TESTCAM", wizard->infoPane->typeValue);
    EXPECT_STREQ("123456", wizard->infoPane->idValue);
    EXPECT_TRUE(wizard->nextButton->IsEnabled());
    ExpectConsistent(wizard, "connected at step 3");
    EXPECT_TRUE(other.wire.empty());
}

// Two cameras of one class at the start, a third plugged in at step 2:
// only this camera's unplug grants and moves on, and step 3 scans it.
TEST_F(CameraNotificationTest, OtherCamerasComingAndGoingAtStepTwoAreNotTheUnplug)
{
    Machine().registry.CreatePath(orvelFKey);
    sim::SimCamera& camera = Plug("cam", 2);
    sim::SimCamera& other = Plug("other", 2, 777);
    StartWizard();
    ToStepTwo();
    const uint32_t scanTransfers = camera.transfers;
    ASSERT_GT(scanTransfers, 0u);

    Machine().Unplug(other);
    headless::Pump();
    sim::SimCamera& newcomer = Plug("newcomer", 2, 999);
    headless::Pump();
    Machine().Plug(other);
    headless::Pump();
    EXPECT_EQ(2, wizard->wizardStep);
    EXPECT_EQ("none", Permission());
    EXPECT_STREQ(camera.interfacePath.c_str(), wizard->devicePath);
    EXPECT_EQ(scanTransfers, camera.transfers);
    ExpectConsistent(wizard, "the others came and went");

    // The step-3 scan passes over both others: nothing is connected.
    Machine().Unplug(camera);
    headless::Pump();
    EXPECT_EQ(3, wizard->wizardStep);
    EXPECT_EQ("dword 1 0 0 0", Permission());
    EXPECT_STREQ("Not connected", wizard->infoPane->typeValue);
    ExpectConsistent(wizard, "step 3 without the camera");
    Machine().Unplug(other);
    Machine().Plug(other);
    EXPECT_TRUE(headless::Click(wizard->actionButton));
    EXPECT_EQ(0u, wizard->familyFlags & connectedFlag);

    Machine().Plug(camera);
    headless::Pump();
    EXPECT_TRUE(headless::Click(wizard->actionButton));
    EXPECT_EQ(2 * scanTransfers, camera.transfers) << "one step-3 scan of this camera";
    EXPECT_STREQ("123456", wizard->infoPane->idValue);
    EXPECT_TRUE(wizard->nextButton->IsEnabled());
    EXPECT_TRUE(headless::Boxes().empty());
    EXPECT_TRUE(other.wire.empty());
    EXPECT_TRUE(newcomer.wire.empty());
}

TEST_F(CameraNotificationTest, FilterRecordCarriesTheClassAndTheWholePathBuffer)
{
    CameraImage image;
    image.classRow = 3;
    sim::SimCamera& camera = PlugCamera("cam", image);
    config->OpenCamera();
    ASSERT_TRUE(config->familyFlags & connectedFlag);
    const sim::NotificationRegistration* registration = Machine().Registration(config->deviceNotification);
    ASSERT_NE(nullptr, registration);
    EXPECT_EQ(config->NativeWindow(), registration->window);
    const std::vector<uint8_t>& record = registration->filter;
    ASSERT_EQ(293u, record.size());
    auto u32 = [&](size_t at) { return record[at] | record[at + 1] << 8 | record[at + 2] << 16 | record[at + 3] << 24; };
    EXPECT_EQ(293, u32(0));
    EXPECT_EQ(5, u32(4));
    EXPECT_EQ(0, u32(8));
    const GUID& guid = sim::CameraClassGuid(3);
    EXPECT_EQ(0, std::memcmp(record.data() + 12, &guid, 16));
    const std::string& path = camera.interfacePath;
    EXPECT_EQ(path, std::string(reinterpret_cast<const char*>(record.data() + 28), path.size()));
    for (size_t i = 28 + path.size(); i < 293; ++i) EXPECT_EQ(0, record[i]) << "byte " << i;
}

}  // namespace
