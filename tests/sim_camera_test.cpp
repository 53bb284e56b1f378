// The simulated camera and driver, driven through the platform seam as the
// system drives the real one.
#include <cstring>

#include "platform/win_api.h"
#include "tests/camera_images.h"

namespace {

class SimDriverTest : public SimulatedCameraTest {
protected:
    void Open(const sim::SimCamera& camera)
    {
        command = win::CreateFileA((camera.interfacePath + "\\0").c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        data = win::CreateFileA((camera.interfacePath + "\\1").c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, command);
        ASSERT_NE(INVALID_HANDLE_VALUE, data);
    }
    void TearDown() override
    {
        if (command != INVALID_HANDLE_VALUE) win::CloseHandle(command);
        if (data != INVALID_HANDLE_VALUE) win::CloseHandle(data);
        SimulatedCameraTest::TearDown();
    }
    // One request and its reply; the reply's bytes, empty when nothing came.
    std::vector<uint8_t> Transfer(std::vector<uint8_t> request, DWORD asked = 64)
    {
        DWORD moved = 0;
        win::WriteFile(command, request.data(), static_cast<DWORD>(request.size()), &moved, nullptr);
        if (moved == 0) return {};
        std::vector<uint8_t> reply(asked);
        moved = 0;
        win::ReadFile(data, reply.data(), asked, &moved, nullptr);
        reply.resize(moved);
        return reply;
    }
    std::vector<uint8_t> Write(uint8_t address, std::vector<uint8_t> bytes)
    {
        std::vector<uint8_t> request = {0x13, address, static_cast<uint8_t>(bytes.size())};
        request.insert(request.end(), bytes.begin(), bytes.end());
        return Transfer(request, 1);
    }
    void Permit(uint16_t productId)
    {
        Machine().registry.SetDword(sim::DriverParametersPath(productId), "AllowEEPROMWrite", 1);
    }

    HANDLE command = INVALID_HANDLE_VALUE;
    HANDLE data = INVALID_HANDLE_VALUE;
};

TEST_F(SimDriverTest, ReadsAnswerTheStatusAndTheBytesOfTheRange)
{
    sim::SimCamera& camera = PlugCamera("a", CameraImage{});
    Open(camera);
    std::vector<uint8_t> reply = Transfer({0x12, 250, 6});
    ASSERT_EQ(7u, reply.size());
    EXPECT_EQ(0x80, reply[0]);
    EXPECT_EQ(0, std::memcmp(reply.data() + 1, camera.eeprom + 250, 6));

    EXPECT_EQ(std::vector<uint8_t>{0x81}, Transfer({0x12, 250, 7}));  // past the end
    EXPECT_EQ(std::vector<uint8_t>{0x82}, Transfer({0x12, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>{0x82}, Transfer({0x12, 0, 64}));
    EXPECT_EQ(std::vector<uint8_t>{0x83}, Transfer({0x14, 0, 1}));
    EXPECT_EQ(5u, camera.transfers);
    EXPECT_EQ(64u, Transfer({0x12, 0, 63}).size());
}

TEST_F(SimDriverTest, WritesNeedThePermissionPresentWhenTheCameraWasPluggedIn)
{
    CameraImage image;
    image.productId = 1030;
    sim::SimCamera& camera = PlugCamera("a", image);
    Open(camera);
    uint8_t before = camera.eeprom[100];
    Permit(1030);  // too late: the driver looked at plug-in
    EXPECT_EQ(std::vector<uint8_t>{0x83}, Write(100, {0x55}));
    EXPECT_EQ(before, camera.eeprom[100]);

    Machine().Unplug(camera);
    Machine().Plug(camera);
    win::CloseHandle(command);
    win::CloseHandle(data);
    Open(camera);
    Machine().registry.FindPath(sim::DriverParametersPath(1030))->DeleteValue("AllowEEPROMWrite");
    EXPECT_EQ(std::vector<uint8_t>{0x80}, Write(100, {0x55, 0x66}));  // kept until unplugged
    std::vector<uint8_t> reply = Transfer({0x12, 100, 2});
    EXPECT_EQ((std::vector<uint8_t>{0x80, 0x55, 0x66}), reply);
}

TEST_F(SimDriverTest, PermissionIsLookedUpUnderTheKeyOfTheProductId)
{
    CameraImage image;
    image.productId = 1201;
    Permit(1200);  // another driver's key
    sim::SimCamera& camera = PlugCamera("a", image);
    EXPECT_FALSE(camera.writePermitted);
    EXPECT_EQ("HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdBI\\Parameters", sim::DriverParametersPath(1201));
    EXPECT_EQ("", sim::DriverParametersPath(1199));
}

TEST_F(SimDriverTest, WriteChecksCountRangeAndLength)
{
    CameraImage image;
    Permit(image.productId);
    sim::SimCamera& camera = PlugCamera("a", image);
    Open(camera);
    EXPECT_EQ(std::vector<uint8_t>{0x82}, Write(0, std::vector<uint8_t>(62, 1)));
    EXPECT_EQ(std::vector<uint8_t>{0x81}, Write(250, std::vector<uint8_t>(7, 1)));
    EXPECT_EQ(std::vector<uint8_t>{0x82}, Transfer({0x13, 0, 5, 1, 2}, 1));  // fewer data bytes than counted
    EXPECT_EQ(std::vector<uint8_t>{0x80}, Write(195, std::vector<uint8_t>(61, 7)));
    EXPECT_EQ(7, camera.eeprom[255]);
}

TEST_F(SimDriverTest, UnpluggedCameraMovesNothingAndOldHandlesStayDead)
{
    sim::SimCamera& camera = PlugCamera("a", CameraImage{});
    Open(camera);
    Machine().Unplug(camera);
    EXPECT_TRUE(Transfer({0x12, 0, 1}).empty());
    EXPECT_EQ(INVALID_HANDLE_VALUE, win::CreateFileA((camera.interfacePath + "\\0").c_str(), GENERIC_READ, 3,
                                                     nullptr, OPEN_EXISTING, 0, nullptr));
    Machine().Plug(camera);
    EXPECT_TRUE(Transfer({0x12, 0, 1}).empty()) << "a handle from before the unplug reached the camera";
    EXPECT_EQ(0u, camera.transfers);
}

TEST_F(SimDriverTest, InjectedFaultsHitTheirTransferOnly)
{
    CameraImage image;
    Permit(image.productId);
    sim::SimCamera& camera = PlugCamera("a", image);
    Open(camera);
    camera.faults = {{sim::FaultKind::dropRequest, 1},
                     {sim::FaultKind::dropReply, 2},
                     {sim::FaultKind::status, 3, 0x99},
                     {sim::FaultKind::shortReply, 4},
                     {sim::FaultKind::stuckByte, 5}};
    EXPECT_TRUE(Transfer({0x12, 0, 4}).empty());
    EXPECT_TRUE(Write(20, {0x01, 0x02}).empty());
    EXPECT_EQ(0x01, camera.eeprom[20]) << "a lost reply still carries out the request";
    EXPECT_EQ(std::vector<uint8_t>{0x99}, Transfer({0x12, 0, 4}));
    EXPECT_EQ(4u, Transfer({0x12, 0, 4}).size());
    EXPECT_EQ(std::vector<uint8_t>{0x80}, Write(20, {0x01, 0x04, 0x05}));
    EXPECT_EQ(0x01, camera.eeprom[20]);
    EXPECT_EQ(0x02, camera.eeprom[21]) << "the first byte the write changes must keep its value";
    EXPECT_EQ(0x05, camera.eeprom[22]);
    EXPECT_EQ(5u, Transfer({0x12, 0, 4}).size());
    EXPECT_EQ(6u, camera.transfers);
}

TEST_F(SimDriverTest, InterfaceListShowsPresentCamerasOfTheClassInOrder)
{
    CameraImage image;
    image.classRow = 3;
    PlugCamera("first", image);
    sim::SimCamera& second = PlugCamera("second", image);
    image.classRow = 4;
    PlugCamera("other", image);
    const GUID& guid = sim::CameraClassGuid(3);
    HDEVINFO list = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    ASSERT_NE(INVALID_HANDLE_VALUE, list);
    std::vector<std::string> paths;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (!win::SetupDiEnumDeviceInterfaces(list, nullptr, &guid, index, &data)) {
            EXPECT_EQ(static_cast<DWORD>(ERROR_NO_MORE_ITEMS), win::GetLastError());
            break;
        }
        DWORD size = 0;
        EXPECT_FALSE(win::SetupDiGetDeviceInterfaceDetailA(list, &data, nullptr, 0, &size, nullptr));
        std::vector<uint8_t> block(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(block.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
        ASSERT_TRUE(win::SetupDiGetDeviceInterfaceDetailA(list, &data, detail, size, nullptr, nullptr));
        paths.push_back(detail->DevicePath);
    }
    EXPECT_TRUE(win::SetupDiDestroyDeviceInfoList(list));
    ASSERT_EQ(2u, paths.size());
    EXPECT_NE(std::string::npos, paths[0].find("#first#"));
    EXPECT_EQ(second.interfacePath, paths[1]);
}

}  // namespace
