// Finding and opening the camera: the class search order, the enumeration
// order within a class, interfaces passed over, the three pipes, and the
// connection state after every failure.
#include <cstring>

#include "camera/camera_classes.h"
#include "camera/device_interface.h"
#include "platform/win_api.h"
#include "tests/camera_images.h"
#include "toolkit/text.h"

namespace {

class CameraConnectionTest : public SimulatedCameraTest {
protected:
    sim::SimCamera& Plug(const std::string& name, int classRow)
    {
        CameraImage image;
        image.classRow = classRow;
        return PlugCamera(name, image);
    }
    bool AllPipesClosed() const
    {
        return config->commandPipe == INVALID_HANDLE_VALUE && config->dataPipe == INVALID_HANDLE_VALUE &&
               config->auxPipe == INVALID_HANDLE_VALUE;
    }
};

TEST_F(CameraConnectionTest, FirstClassOfTheTableWinsAndSetsItsMask)
{
    Plug("late", 5);
    sim::SimCamera& early = Plug("early", 2);
    config->OpenCamera();
    EXPECT_EQ(1u | 4u, config->familyFlags);
    EXPECT_STREQ(early.interfacePath.c_str(), config->devicePath);
    EXPECT_EQ(3u, Machine().OpenFileCount()) << "the probe handle must be closed, the three pipes open";
}

TEST_F(CameraConnectionTest, EachClassRowSetsItsOwnMask)
{
    const uint32_t masks[] = {2, 4, 8, 16, 32, 64};
    for (int row = 1; row <= 6; ++row) {
        sim::ResetMachine();
        Plug("cam", row);
        config->OpenCamera();
        EXPECT_EQ(1u | masks[row - 1], config->familyFlags) << "class row " << row;
        config->CloseCamera();
        EXPECT_EQ(masks[row - 1], config->familyFlags) << "the class bit survives the close";
        EXPECT_STREQ("", config->devicePath);
    }
}

TEST_F(CameraConnectionTest, WithinAClassTheFirstOpenableInterfaceWins)
{
    sim::SimCamera& busy = Plug("busy", 3);
    busy.interfaceBusy = true;
    sim::SimCamera& broken = Plug("broken", 3);
    broken.enumerationError = true;
    sim::SimCamera& free = Plug("free", 3);
    config->OpenCamera();
    EXPECT_EQ(1u | 8u, config->familyFlags);
    EXPECT_STREQ(free.interfacePath.c_str(), config->devicePath);
}

TEST_F(CameraConnectionTest, PipesAreTheInterfacePathWithBackslashDigit)
{
    sim::SimCamera& camera = Plug("cam", 4);
    camera.interfacePath = "\\\\?\\" + std::string(76, 'p');
    ASSERT_EQ(80u, camera.interfacePath.size());
    config->OpenCamera();
    ASSERT_TRUE(config->familyFlags & connectedFlag);
    // The command pipe carries the requests, the data pipe the replies.
    uint8_t byte;
    ASSERT_TRUE(config->ReadEeprom(0, 1, &byte));
    HANDLE aux = win::CreateFileA((camera.interfacePath + "\\2").c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, aux);
    win::CloseHandle(aux);
}

TEST_F(CameraConnectionTest, NoCameraLeavesEverythingClosedAndNoClassBit)
{
    config->familyFlags = 16;
    CopyA(maxLastError, config->lastError, 0, "earlier text");
    config->OpenCamera();
    EXPECT_EQ(0u, config->familyFlags);
    EXPECT_TRUE(AllPipesClosed());
    EXPECT_STREQ("earlier text", config->lastError);
}

TEST_F(CameraConnectionTest, PipeThatCannotBeOpenedGivesItsTextAndClosesAll)
{
    const char* texts[] = {"DeviceInit failed, cannot open camera command pipe",
                           "DeviceInit failed, cannot open camera data pipe",
                           "DeviceInit failed, cannot open camera data pipe"};
    for (int pipe = 0; pipe < 3; ++pipe) {
        sim::ResetMachine();
        sim::SimCamera& camera = Plug("cam", 6);
        camera.pipeUnopenable[pipe] = true;
        config->OpenCamera();
        EXPECT_STREQ(texts[pipe], config->lastError);
        EXPECT_EQ(64u, config->familyFlags) << "class bit stays, connected bit clear";
        EXPECT_TRUE(AllPipesClosed());
        EXPECT_EQ(0u, Machine().OpenFileCount()) << "pipe " << pipe;
    }
}

TEST_F(CameraConnectionTest, OpenWhileConnectedClosesFirstAndMayTakeAnotherCamera)
{
    sim::SimCamera& first = Plug("first", 4);
    config->OpenCamera();
    Plug("second", 1);
    config->OpenCamera();
    EXPECT_EQ(1u | 2u, config->familyFlags) << "the old class bit is cleared by the new search";
    EXPECT_EQ(3u, Machine().OpenFileCount());
    Machine().Unplug(first);
    config->OpenCamera();
    EXPECT_EQ(1u | 2u, config->familyFlags);
}

TEST_F(CameraConnectionTest, InterfacePathsTooLongForAPipeSuffixArePassedOver)
{
    sim::SimCamera& tooLong = Plug("long", 2);
    tooLong.interfacePath = "\\\\?\\" + std::string(255, 'x');  // 259 characters
    sim::SimCamera& longest = Plug("longest", 2);
    longest.interfacePath = "\\\\?\\" + std::string(254, 'y');  // 258 characters
    config->OpenCamera();
    ASSERT_TRUE(config->familyFlags & connectedFlag);
    EXPECT_STREQ(longest.interfacePath.c_str(), config->devicePath);
    EXPECT_EQ(258u, std::strlen(config->devicePath));
    uint8_t byte;
    EXPECT_TRUE(config->ReadEeprom(0, 1, &byte));

    sim::SimCamera& huge = Plug("huge", 1);
    huge.interfacePath = "\\\\?\\" + std::string(400, 'z');
    config->OpenCamera();
    EXPECT_STREQ(longest.interfacePath.c_str(), config->devicePath) << "an over-long path must not be taken";
}

TEST_F(CameraConnectionTest, ClassListThatCannotBeHadCountsAsEmpty)
{
    Machine().classListFails[0] = true;
    Plug("unlisted", 1);
    Plug("listed", 2);
    config->OpenCamera();
    EXPECT_EQ(1u | 4u, config->familyFlags);
}

TEST_F(CameraConnectionTest, SearchOfOneClassReleasesItsList)
{
    Plug("a", 5);
    char path[261];
    HANDLE handle = OpenDeviceInterface(cameraClasses[4].classGuid, 260, path);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    EXPECT_EQ(0u, Machine().OpenListCount());
    win::CloseHandle(handle);
    handle = OpenDeviceInterface(cameraClasses[0].classGuid, 260, path);
    EXPECT_EQ(INVALID_HANDLE_VALUE, handle);
    EXPECT_STREQ("", path);
    EXPECT_EQ(0u, Machine().OpenListCount());
}

TEST_F(CameraConnectionTest, CloseInAnyStateLeavesTheInvariant)
{
    config->CloseCamera();
    EXPECT_TRUE(AllPipesClosed());
    Plug("cam", 2);
    config->OpenCamera();
    config->CloseCamera();
    config->CloseCamera();
    EXPECT_TRUE(AllPipesClosed());
    EXPECT_EQ(4u, config->familyFlags);
    EXPECT_EQ(0u, Machine().OpenFileCount());
}

}  // namespace
