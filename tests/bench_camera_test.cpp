// Cameras on the bench shared by two processes: every plug, unplug, fault
// and transfer works on what the files hold, a failed save fails the
// operation, damaged cameras are left alone, links beside the files are
// never followed, and a change reaches the other process at once.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sim/bench/bench_changes.h"
#include "tests/bench_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

class BenchCameraTest : public BenchFixture {
protected:
    struct Pipes {
        HANDLE command, data;
    };
    static Pipes Open(const sim::SimCamera& camera)
    {
        return {win::CreateFileA((camera.interfacePath + "\\0").c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                 OPEN_EXISTING, 0, nullptr),
                win::CreateFileA((camera.interfacePath + "\\1").c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                 OPEN_EXISTING, 0, nullptr)};
    }
    static void Close(const Pipes& pipes)
    {
        win::CloseHandle(pipes.command);
        win::CloseHandle(pipes.data);
    }
    // One request and its reply; the reply's bytes, none when either failed.
    static Bytes Transfer(const Pipes& pipes, const Bytes& request)
    {
        DWORD moved = 0;
        if (!win::WriteFile(pipes.command, request.data(), static_cast<DWORD>(request.size()), &moved, nullptr))
            return {};
        Bytes reply(64);
        if (!win::ReadFile(pipes.data, reply.data(), static_cast<DWORD>(reply.size()), &moved, nullptr)) return {};
        reply.resize(moved);
        return reply;
    }
    void Permit() { Write("registry/HKLM/SYSTEM/CurrentControlSet/Services/brennccdF/Parameters/values.reg",
                          "\"AllowEEPROMWrite\"=dword:00000001\n"); }
};

struct DamageCase {
    const char* file;
    std::string content;  // none: the file is removed
    bool remove;
    const char* reason;
};

TEST_F(BenchCameraTest, DamagedCamerasAreShownWithTheReasonAndNeverRewritten)
{
    const DamageCase cases[] = {
        {"eeprom.bin", std::string(100, 'x'), false, "eeprom.bin holds 100 bytes, not 256"},
        {"eeprom.bin", "", true, "eeprom.bin cannot be read: No such file or directory"},
        {"state.txt", "", true, "state.txt cannot be read: No such file or directory"},
        {"state.txt", "garbage\n", false, "state.txt line 1 is not understood: garbage"},
        {"state.txt", "class 9\nplugged yes\n", false, "state.txt line 1 is not understood: class 9"},
        {"state.txt", "class 4\nplugged maybe\n", false, "state.txt line 2 is not understood: plugged maybe"},
        {"state.txt", "plugged yes\n", false, "state.txt has no class line"},
        {"state.txt", "class 4\n", false, "state.txt has no plugged line"},
        {"state.txt", "class 4\nplugged no\nfault status 0 0x82\n", false,
         "state.txt line 3 is not understood: fault status 0 0x82"},
        {"transfers.txt", "12x\n", false, "transfers.txt does not hold a count"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        TearDown();
        SetUp();
        sim::SimCamera& made = Create(sim::Machine(), "cam");
        ASSERT_TRUE(sim::Machine().Plug(made));
        std::string relative = std::string("cameras/cam/") + c.file;
        if (c.remove)
            std::filesystem::remove(Path(relative));
        else
            Write(relative, c.content);
        std::string stateBefore = Read("cameras/cam/state.txt");

        auto other = Other();
        sim::SimCamera* camera = other->FindCamera("cam");
        ASSERT_NE(nullptr, camera);
        EXPECT_EQ(c.reason, camera->damage);
        EXPECT_FALSE(other->Plug(*camera));
        EXPECT_EQ("camera 'cam' is damaged: " + std::string(c.reason), other->BenchError());
        EXPECT_EQ(stateBefore, Read("cameras/cam/state.txt"));
        HDEVINFO list = other->OpenList(sim::CameraClassGuid(4));
        EXPECT_TRUE(other->List(list)->members.empty()) << "a damaged camera is not in the lists";
        other->CloseList(list);
        EXPECT_FALSE(other->SaveNewCamera(other->AddCamera("CAM", 4)));
        EXPECT_EQ("a camera named 'cam' exists already", other->BenchError());
    }
}

TEST_F(BenchCameraTest, LinksPlantedAtTemporaryNamesAreNeverFollowed)
{
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    std::filesystem::path outside = dir / "outside";
    std::filesystem::create_directories(outside);
    std::vector<std::string> planted;
    for (const char* file : {"state.txt", "eeprom.bin", "transfers.txt"}) {
        std::string link = std::string("cameras/cam/") + file + ".new";
        std::filesystem::create_symlink(outside / file, Path(link));
        planted.push_back(link);
        for (int n = 1; n <= 8; ++n) {
            std::string guessed = link + "." + std::to_string(getpid()) + "." + std::to_string(n);
            std::filesystem::create_symlink(outside / (std::string(file) + std::to_string(n)), Path(guessed));
            planted.push_back(guessed);
        }
    }
    Permit();
    ASSERT_TRUE(sim::Machine().Plug(camera));
    Pipes pipes = Open(camera);
    EXPECT_EQ((Bytes{0x80}), Transfer(pipes, {0x13, 200, 2, 0xAB, 0xCD}));
    Close(pipes);
    EXPECT_TRUE(std::filesystem::is_empty(outside)) << "a file was written through a link";
    for (const auto& link : planted) EXPECT_TRUE(std::filesystem::is_symlink(Path(link))) << link;
    EXPECT_EQ("\xAB\xCD", Read("cameras/cam/eeprom.bin").substr(200, 2));
    EXPECT_NE(std::string::npos, Read("cameras/cam/state.txt").find("plugged yes\n"));
}

TEST_F(BenchCameraTest, ATransferThatCannotBeSavedIsADeadLink)
{
    const struct {
        const char* failing;
        Bytes request;
    } cases[] = {
        {"transfers.txt", {0x12, 0, 4}},
        {"transfers.txt", {0x13, 200, 1, 0x55}},
        {"eeprom.bin", {0x13, 200, 1, 0x55}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.failing);
        TearDown();
        SetUp();
        Permit();
        sim::SimCamera& camera = Create(sim::Machine(), "cam");
        ASSERT_TRUE(sim::Machine().Plug(camera));
        std::string eeprom = Read("cameras/cam/eeprom.bin");
        Pipes pipes = Open(camera);
        sim::bench::InjectWriteFailure(c.failing, EACCES);
        DWORD moved = 99;
        EXPECT_FALSE(win::WriteFile(pipes.command, c.request.data(), static_cast<DWORD>(c.request.size()), &moved, nullptr));
        EXPECT_EQ(0u, moved);
        EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), win::GetLastError());
        uint8_t reply[8];
        EXPECT_FALSE(win::ReadFile(pipes.data, reply, sizeof reply, &moved, nullptr)) << "no reply follows";
        EXPECT_EQ("0\n", Read("cameras/cam/transfers.txt"));
        EXPECT_EQ(eeprom, Read("cameras/cam/eeprom.bin"));
        EXPECT_EQ(0u, camera.transfers);
        sim::bench::InjectWriteFailure("", 0);
        EXPECT_EQ((Bytes{0x80, 0x68, 0x69, 0x6A}), Transfer(pipes, {0x12, 200, 3}))
            << "the link works again once saves do, and the failed write left nothing";
        Close(pipes);
    }
}

TEST_F(BenchCameraTest, PlugAndUnplugThatCannotBeSavedFailAndChangeNothing)
{
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    std::string state = Read("cameras/cam/state.txt");
    sim::bench::InjectWriteFailure("state.txt", EACCES);
    EXPECT_FALSE(sim::Machine().Plug(camera));
    EXPECT_EQ("cannot save " + Path("cameras/cam/state.txt").string() + ": Permission denied",
              sim::Machine().BenchError());
    EXPECT_FALSE(camera.plugged);
    EXPECT_EQ(state, Read("cameras/cam/state.txt"));
    EXPECT_FALSE(sim::Machine().SaveNewCamera(sim::Machine().AddCamera("new", 4)));
    EXPECT_EQ(nullptr, sim::Machine().FindCamera("new"));
}

// The other process changes the camera while this one holds it open: the
// next transfer here works on the changed files and writes none of its
// own old copy back.
TEST_F(BenchCameraTest, ChangesOfAnotherProcessAreNeverUndone)
{
    Permit();
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    ASSERT_TRUE(sim::Machine().Plug(camera));
    Pipes pipes = Open(camera);
    auto other = Other();
    sim::SimCamera& theirs = *other->FindCamera("cam");

    ASSERT_TRUE(other->ChangeCamera(theirs, [](sim::SimCamera& c) {
        c.faults.push_back({sim::FaultKind::status, 9, 0x82});
        return true;
    }));
    sim::OpenFile theirCommand{&theirs, 0, theirs.generation}, theirData{&theirs, 1, theirs.generation};
    const uint8_t write[] = {0x13, 100, 2, 0x11, 0x22};
    ASSERT_EQ(5u, other->Request(theirCommand, write, 5));
    uint8_t status = 0;
    ASSERT_EQ(1u, other->Reply(theirData, &status, 1));

    EXPECT_EQ((Bytes{0x80, 0x11, 0x22}), Transfer(pipes, {0x12, 100, 2})) << "the write of the other is read";
    EXPECT_EQ("\x11\x22", Read("cameras/cam/eeprom.bin").substr(100, 2));
    EXPECT_EQ("2\n", Read("cameras/cam/transfers.txt"));
    EXPECT_NE(std::string::npos, Read("cameras/cam/state.txt").find("fault status 9 0x82\n"));

    ASSERT_TRUE(other->Unplug(theirs));
    EXPECT_EQ(Bytes{}, Transfer(pipes, {0x12, 100, 2})) << "an unplugged camera serves nothing";
    EXPECT_NE(std::string::npos, Read("cameras/cam/state.txt").find("plugged no\n"));
    EXPECT_EQ("2\n", Read("cameras/cam/transfers.txt"));
    ASSERT_TRUE(other->Plug(theirs));
    EXPECT_EQ(Bytes{}, Transfer(pipes, {0x12, 100, 2})) << "files opened before the unplug stay dead";
    Close(pipes);
}

TEST_F(BenchCameraTest, FaultsAreMarkedWhenTheirTransferComes)
{
    Permit();
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    ASSERT_TRUE(sim::Machine().ChangeCamera(camera, [](sim::SimCamera& c) {
        c.faults.push_back({sim::FaultKind::status, 2, 0x81});
        c.faults.push_back({sim::FaultKind::dropRequest, 3, 0});
        return true;
    }));
    ASSERT_TRUE(sim::Machine().Plug(camera));
    Pipes pipes = Open(camera);
    EXPECT_EQ((Bytes{0x80, 0xA0}), Transfer(pipes, {0x12, 0, 1}));
    EXPECT_EQ((Bytes{0x81}), Transfer(pipes, {0x12, 0, 1}));
    EXPECT_EQ((Bytes{}), Transfer(pipes, {0x12, 0, 1}));
    Close(pipes);
    std::string state = Read("cameras/cam/state.txt");
    EXPECT_NE(std::string::npos, state.find("fault status 2 0x81 fired\nfault drop-request 3 fired\n")) << state;
    EXPECT_EQ("3\n", Read("cameras/cam/transfers.txt"));
}

TEST_F(BenchCameraTest, AListTakenAfterAPlugElsewhereHoldsTheCamera)
{
    Create(sim::Machine(), "cam");
    auto other = Other();
    ASSERT_TRUE(other->Plug(*other->FindCamera("cam")));
    GUID guid = sim::CameraClassGuid(4);
    HDEVINFO list = win::SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(win::SetupDiEnumDeviceInterfaces(list, nullptr, &guid, 0, &data));
    win::SetupDiDestroyDeviceInfoList(list);
}

TEST_F(BenchCameraTest, TheChangeDescriptorWakesForPlugsAndCamerasOfAnotherProcess)
{
    std::vector<WPARAM> events;
    sim::Machine().deviceChangeSink = [&](HWND, WPARAM event, const DEV_BROADCAST_DEVICEINTERFACE_A*) {
        events.push_back(event);
    };
    sim::Machine().Register(reinterpret_cast<HWND>(static_cast<uintptr_t>(0x100)), sim::CameraClassGuid(4));
    int fd = sim::BenchChangeDescriptor();
    ASSERT_GE(fd, 0);
    pollfd wait{fd, POLLIN, 0};
    EXPECT_EQ(0, poll(&wait, 1, 0)) << "nothing changed yet";

    auto other = Other();
    Create(*other, "cam");
    ASSERT_EQ(1, poll(&wait, 1, 300)) << "a new camera wakes the descriptor";
    sim::TakeBenchChanges();
    EXPECT_EQ(0, poll(&wait, 1, 0)) << "taking the changes drains it";
    ASSERT_NE(nullptr, sim::Machine().FindCamera("cam"));

    const struct {
        bool plug;
        std::vector<WPARAM> events;
    } steps[] = {{true, {DBT_DEVICEARRIVAL}}, {false, {DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE}}};
    for (const auto& step : steps) {
        sim::SimCamera& theirs = *other->FindCamera("cam");
        ASSERT_TRUE(step.plug ? other->Plug(theirs) : other->Unplug(theirs));
        ASSERT_EQ(1, poll(&wait, 1, 300)) << "the camera folder is watched";
        sim::TakeBenchChanges();
        EXPECT_EQ(step.events, events);
    }
    ASSERT_TRUE(other->Plug(*other->FindCamera("cam")));
    ASSERT_TRUE(other->Unplug(*other->FindCamera("cam")));
    ASSERT_TRUE(other->Plug(*other->FindCamera("cam")));
    sim::TakeBenchChanges();
    EXPECT_EQ((std::vector<WPARAM>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE, DBT_DEVICEARRIVAL}), events);
    sim::Machine().Unplug(*sim::Machine().FindCamera("cam"));
}

}  // namespace
