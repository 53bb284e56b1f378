// The bench: the simulated machine kept on disk, as two processes see it.
// A second machine is played by reading the directory afresh.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/sim/bench/bench.h"
#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "tools/camsim/camera_image.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::string text;
    sim::bench::ReadFileText(path.string(), &text);
    return text;
}

class BenchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("vellmark-bench-test-" + std::to_string(getpid()) + "-" +
                                           std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        sim::ResetMachine();
        std::string error;
        ASSERT_TRUE(sim::Machine().AttachBench(dir.string(), &error)) << error;
    }
    void TearDown() override
    {
        sim::ResetMachine();
        fs::remove_all(dir);
    }
    sim::SimCamera& Create(const std::string& name, int classRow)
    {
        sim::SimCamera& camera = sim::Machine().AddCamera(name, classRow);
        CameraImage image;
        image.classRow = classRow;
        image.productId = DefaultProductId(classRow);
        BuildEeprom(image, camera.eeprom);
        sim::Machine().SaveNewCamera(camera);
        return camera;
    }
    // What another process finds on the bench.
    static std::unique_ptr<sim::SimMachine> Reread(const fs::path& dir)
    {
        auto other = std::make_unique<sim::SimMachine>();
        std::string error;
        EXPECT_TRUE(other->AttachBench(dir.string(), &error)) << error;
        return other;
    }
    fs::path CameraFile(const std::string& name, const char* file) const { return dir / "cameras" / name / file; }

    fs::path dir;
};

TEST_F(BenchTest, CameraFilesFollowPlugUnplugAndWrites)
{
    sim::SimCamera& camera = Create("cam", 4);
    EXPECT_EQ(256u, fs::file_size(CameraFile("cam", "eeprom.bin")));
    EXPECT_NE(std::string::npos, ReadFile(CameraFile("cam", "state.txt")).find("plugged no\n"));

    sim::Machine().registry.SetDword(sim::DriverParametersPath(1030), "AllowEEPROMWrite", 1);
    sim::Machine().SaveRegistryToBench();
    sim::Machine().Plug(camera);
    std::string state = ReadFile(CameraFile("cam", "state.txt"));
    EXPECT_NE(std::string::npos, state.find("plugged yes\n"));
    EXPECT_NE(std::string::npos, state.find("permitted yes\n"));

    HANDLE command = win::CreateFileA((camera.interfacePath + "\\0").c_str(), GENERIC_READ | GENERIC_WRITE, 3,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE data = win::CreateFileA((camera.interfacePath + "\\1").c_str(), GENERIC_READ | GENERIC_WRITE, 3, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    const uint8_t request[] = {0x13, 200, 3, 0xDE, 0xAD, 0x42};
    DWORD moved = 0;
    ASSERT_TRUE(win::WriteFile(command, request, sizeof request, &moved, nullptr));
    uint8_t status = 0;
    ASSERT_TRUE(win::ReadFile(data, &status, 1, &moved, nullptr));
    EXPECT_EQ(0x80, status);
    std::string eeprom = ReadFile(CameraFile("cam", "eeprom.bin"));
    ASSERT_EQ(256u, eeprom.size());
    EXPECT_EQ("\xDE\xAD\x42", eeprom.substr(200, 3)) << "the EEPROM file must be current after a write";
    EXPECT_EQ("1\n", ReadFile(CameraFile("cam", "transfers.txt")));
    win::CloseHandle(command);
    win::CloseHandle(data);

    sim::Machine().Unplug(camera);
    state = ReadFile(CameraFile("cam", "state.txt"));
    EXPECT_NE(std::string::npos, state.find("plugged no\n"));
    EXPECT_NE(std::string::npos, state.find("permitted no\n"));

    auto other = Reread(dir);
    sim::SimCamera* seen = other->FindCamera("cam");
    ASSERT_NE(nullptr, seen);
    EXPECT_EQ(4, seen->classRow);
    EXPECT_FALSE(seen->plugged);
    EXPECT_EQ(1u, seen->transfers);
    EXPECT_EQ(0, std::memcmp(seen->eeprom, camera.eeprom, 256));
    EXPECT_EQ(camera.interfacePath, seen->interfacePath);
}

TEST_F(BenchTest, RegistryIsKeptAsReadableFilesAndReadBack)
{
    sim::SimRegistry& registry = sim::Machine().registry;
    registry.SetDword("HKCU\\Software\\Kestrane\\Vellmark\\Window", "XPos", static_cast<uint32_t>(-20));
    const uint8_t text[] = {'a', ' ', '"', 'q', '"', 0};
    registry.CreatePath("HKLM\\SOFTWARE\\Test")->SetValue("Name", REG_SZ, text, sizeof text);
    const uint8_t blob[] = {1, 2, 0xFF};
    registry.FindPath("HKLM\\SOFTWARE\\Test")->SetValue("Blob", REG_BINARY, blob, sizeof blob);
    sim::Machine().SaveRegistryToBench();

    EXPECT_EQ("\"XPos\"=dword:ffffffec\n",
              ReadFile(dir / "registry" / "HKCU" / "Software" / "Kestrane" / "Vellmark" / "Window" / "values.reg"));
    EXPECT_EQ("\"Name\"=\"a \\\"q\\\"\"\n\"Blob\"=hex:01,02,ff\n",
              ReadFile(dir / "registry" / "HKLM" / "SOFTWARE" / "Test" / "values.reg"));

    auto other = Reread(dir);
    const sim::RegValue* x = other->registry.GetValue("HKCU\\Software\\Kestrane\\Vellmark\\Window", "XPos");
    ASSERT_NE(nullptr, x);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), x->type);
    EXPECT_EQ((std::vector<uint8_t>{0xEC, 0xFF, 0xFF, 0xFF}), x->data);
    const sim::RegValue* name = other->registry.GetValue("HKLM\\SOFTWARE\\Test", "Name");
    ASSERT_NE(nullptr, name);
    EXPECT_EQ(std::vector<uint8_t>(text, text + sizeof text), name->data);
    const sim::RegValue* data = other->registry.GetValue("HKLM\\SOFTWARE\\Test", "Blob");
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(std::vector<uint8_t>(blob, blob + 3), data->data);
}

TEST_F(BenchTest, RegistryChangesOfAnotherProcessReachOpenKeys)
{
    sim::Machine().registry.CreatePath("HKLM\\SYSTEM\\Key");
    sim::Machine().SaveRegistryToBench();
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, win::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\Key", 0, KEY_READ | KEY_WRITE, &key));
    {
        auto other = Reread(dir);
        other->registry.SetDword("HKLM\\SYSTEM\\Key", "Late", 7);
        other->SaveRegistryToBench();
    }
    uint8_t value[4] = {};
    DWORD size = 4, type = 0;
    EXPECT_EQ(ERROR_SUCCESS, win::RegQueryValueExA(key, "Late", nullptr, &type, value, &size));
    EXPECT_EQ(7, value[0]);
    EXPECT_EQ(ERROR_SUCCESS, win::RegDeleteValueA(key, "Late"));
    win::RegCloseKey(key);
    EXPECT_EQ(nullptr, Reread(dir)->registry.GetValue("HKLM\\SYSTEM\\Key", "Late"));
}

TEST_F(BenchTest, PollTakesInCamerasAndPlugsOfAnotherProcessWithNotifications)
{
    std::vector<WPARAM> events;
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x100));
    sim::Machine().deviceChangeSink = [&](HWND, WPARAM event, const DEV_BROADCAST_DEVICEINTERFACE_A*) {
        events.push_back(event);
    };
    {
        auto other = Reread(dir);
        sim::SimCamera& camera = other->AddCamera("remote", 3);
        other->SaveNewCamera(camera);
    }
    sim::Machine().PollBench();
    sim::SimCamera* camera = sim::Machine().FindCamera("remote");
    ASSERT_NE(nullptr, camera);
    EXPECT_FALSE(camera->plugged);
    sim::Machine().Register(window, sim::CameraClassGuid(3));

    {
        auto other = Reread(dir);
        other->Plug(*other->FindCamera("remote"));
    }
    sim::Machine().PollBench();
    EXPECT_TRUE(camera->plugged);
    EXPECT_EQ(std::vector<WPARAM>{DBT_DEVICEARRIVAL}, events);
    sim::Machine().PollBench();
    EXPECT_EQ(1u, events.size()) << "an unchanged state file is no new event";

    {
        auto other = Reread(dir);
        other->Unplug(*other->FindCamera("remote"));
    }
    sim::Machine().PollBench();
    EXPECT_FALSE(camera->plugged);
    EXPECT_EQ((std::vector<WPARAM>{DBT_DEVICEARRIVAL, DBT_DEVICEREMOVECOMPLETE}), events);
}

TEST(BenchPlace, OptionThenEnvironmentThenStateDirectory)
{
    const char* saved = std::getenv("VELLMARK_BENCH");
    std::string keep = saved ? saved : "";
    setenv("VELLMARK_BENCH", "/tmp/some-bench", 1);
    EXPECT_EQ("/tmp/some-bench", sim::DefaultBenchDir());
    unsetenv("VELLMARK_BENCH");
    setenv("XDG_STATE_HOME", "/tmp/state", 1);
    EXPECT_EQ("/tmp/state/vellmark/bench", sim::DefaultBenchDir());
    unsetenv("XDG_STATE_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ("/home/someone/.local/state/vellmark/bench", sim::DefaultBenchDir());
    if (saved) setenv("VELLMARK_BENCH", keep.c_str(), 1);
}

// Mode and names of what a folder holds, as a person would list them.
std::string Look(const fs::path& folder)
{
    std::string text = std::to_string(static_cast<unsigned>(fs::status(folder).permissions()));
    for (const auto& entry : fs::directory_iterator(folder)) text += " " + entry.path().filename().string();
    return text;
}

// A folder the user names that others may write is refused, with its mode
// and contents left as they were; one only its owner may write is used.
TEST(BenchFolder, OneOthersMayWriteIsRefusedAndLeftAsItIs)
{
    const fs::path dir = fs::temp_directory_path() / ("vellmark-bench-folder-named-" + std::to_string(getpid()));
    struct Case {
        fs::perms mode;
        const char* refusal;  // after "cannot use the bench directory DIR: "; empty when used
    } cases[] = {
        {fs::perms(01777), "others may write it (mode 1777); name a folder that only its owner may write"},
        {fs::perms(0777), "others may write it (mode 0777); name a folder that only its owner may write"},
        {fs::perms(0775), "others may write it (mode 0775); name a folder that only its owner may write"},
        {fs::perms(0722), "others may write it (mode 0722); name a folder that only its owner may write"},
        {fs::perms(0755), ""},
        {fs::perms(0700), ""},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directory(dir);
        std::ofstream(dir / "mine.txt") << "the user's own\n";
        fs::permissions(dir, c.mode);
        const std::string before = Look(dir);
        sim::ResetMachine();
        std::string error;
        const bool attached = sim::Machine().AttachBench(dir.string(), &error);
        EXPECT_EQ(c.refusal[0] == 0, attached) << error;
        if (c.refusal[0]) {
            EXPECT_EQ("cannot use the bench directory " + dir.string() + ": " + c.refusal, error);
            EXPECT_EQ(before, Look(dir));
        } else {
            EXPECT_TRUE(fs::is_directory(dir / "cameras"));
        }
    }
    sim::ResetMachine();
    fs::remove_all(dir);
}

// A bench is made only in a folder that exists, with no write for others
// whatever the umask; only the per-user bench's own state folders are made.
TEST(BenchFolder, MadeOnlyWhereItsParentIs)
{
    const fs::path top = fs::temp_directory_path() / ("vellmark-bench-folder-parents-" + std::to_string(getpid()));
    fs::remove_all(top);
    fs::create_directory(top);
    const mode_t umaskBefore = umask(0);
    std::string error;
    sim::ResetMachine();
    EXPECT_FALSE(sim::Machine().AttachBench((top / "missing/bench").string(), &error));
    EXPECT_EQ("cannot use the bench directory " + (top / "missing/bench").string() + ": the folder it would be made in, " +
                  (top / "missing").string() + ", does not exist",
              error);
    EXPECT_FALSE(fs::exists(top / "missing"));

    ASSERT_TRUE(sim::Machine().AttachBench((top / "new").string(), &error)) << error;
    EXPECT_EQ(fs::perms(0755), fs::status(top / "new").permissions());

    const char* named = std::getenv("VELLMARK_BENCH");
    const std::string keep = named ? named : "";
    unsetenv("VELLMARK_BENCH");
    setenv("XDG_STATE_HOME", (top / "state").c_str(), 1);
    sim::ResetMachine();
    EXPECT_TRUE(sim::Machine().AttachBench(sim::DefaultBenchDir(), &error)) << error;
    EXPECT_EQ(fs::perms(0700), fs::status(top / "state").permissions());
    EXPECT_EQ(fs::perms(0700), fs::status(top / "state/vellmark").permissions());
    EXPECT_EQ(fs::perms(0755), fs::status(top / "state/vellmark/bench").permissions());
    unsetenv("XDG_STATE_HOME");
    if (named) setenv("VELLMARK_BENCH", keep.c_str(), 1);
    umask(umaskBefore);
    sim::ResetMachine();
    fs::remove_all(top);
}

}  // namespace
