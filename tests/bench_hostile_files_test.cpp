// What a hostile user may plant on the bench: special files, links and
// oversized files where the bench's files belong, links in place of the
// folders of cameras and keys, folders and values of one name in two
// letter cases. Each makes its camera or key damaged, with the reason;
// nothing hangs, nothing is written outside the bench. The alarm ends a
// test that hangs.
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <map>

#include "platform/sim/bench/bench_changes.h"

#include "tests/bench_fixture.h"

namespace {

namespace fs = std::filesystem;

const char driverKey[] = "SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters";

class BenchFileKindsTest : public BenchFixture {
protected:
    void SetUp() override
    {
        alarm(20);
        BenchFixture::SetUp();
        outside = dir.string() + "-outside";
        fs::remove_all(outside);
        fs::create_directories(outside);
    }
    void TearDown() override
    {
        BenchFixture::TearDown();
        fs::remove_all(outside);
        alarm(0);
    }
    // The permission as the wizard grants it: the key made, the value set.
    LONG Grant()
    {
        HKEY key = nullptr;
        LONG status = win::RegCreateKeyExA(HKEY_LOCAL_MACHINE, driverKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                           nullptr, &key, nullptr);
        if (status != ERROR_SUCCESS) return status;
        const DWORD one = 1;
        status = win::RegSetValueExA(key, "AllowEEPROMWrite", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
        win::RegCloseKey(key);
        return status;
    }
    // Every file outside and its bytes.
    std::map<std::string, std::string> Outside() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(outside))
            if (entry.is_regular_file()) sim::bench::ReadFileText(entry.path().string(), &files[entry.path().string()]);
        return files;
    }
    fs::path outside;
};

struct PlantedFile {
    const char* what;
    std::function<void(const fs::path& camera, const fs::path& outside)> plant;
    const char* damage;
};

TEST_F(BenchFileKindsTest, SpecialFilesLinksAndLargeFilesMakeTheCameraDamaged)
{
    const PlantedFile cases[] = {
        {"a FIFO for the EEPROM",
         [](const fs::path& cam, const fs::path&) {
             fs::remove(cam / "eeprom.bin");
             mkfifo((cam / "eeprom.bin").c_str(), 0644);
         },
         "eeprom.bin cannot be read: it is a FIFO, not a regular file"},
        {"the count linked to /dev/zero",
         [](const fs::path& cam, const fs::path&) {
             fs::remove(cam / "transfers.txt");
             fs::create_symlink("/dev/zero", cam / "transfers.txt");
         },
         "transfers.txt cannot be read: it is a link, not a regular file"},
        {"the state linked to a good state outside",
         [](const fs::path& cam, const fs::path& out) {
             fs::copy_file(cam / "state.txt", out / "state.txt");
             fs::remove(cam / "state.txt");
             fs::create_symlink(out / "state.txt", cam / "state.txt");
         },
         "state.txt cannot be read: it is a link, not a regular file"},
        {"a folder for the EEPROM",
         [](const fs::path& cam, const fs::path&) {
             fs::remove(cam / "eeprom.bin");
             fs::create_directory(cam / "eeprom.bin");
         },
         "eeprom.bin cannot be read: it is a folder, not a regular file"},
        {"a state too large",
         [](const fs::path& cam, const fs::path&) { std::ofstream(cam / "state.txt") << std::string(70000, '\n'); },
         "state.txt cannot be read: it holds 70000 bytes, more than the 65536 it may"},
        {"the camera's folder a link to a copy outside",
         [](const fs::path& cam, const fs::path& out) {
             fs::copy(cam, out / "cam");
             fs::remove_all(cam);
             fs::create_directory_symlink(out / "cam", cam);
         },
         "its folder cannot be read: cameras/cam is a link, not a folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        Create(sim::Machine(), "cam");
        c.plant(Path("cameras/cam"), outside);
        const auto before = Outside();
        auto other = Other();
        sim::SimCamera* camera = other->FindCamera("cam");
        ASSERT_NE(nullptr, camera);
        EXPECT_EQ(c.damage, camera->damage);
        EXPECT_FALSE(other->Plug(*camera));
        EXPECT_EQ(std::string("camera 'cam' is damaged: ") + c.damage, other->BenchError());
        EXPECT_EQ(before, Outside()) << "nothing outside is written";
    }
}

TEST_F(BenchFileKindsTest, ALinkInTheCamerasFolderIsADamagedCameraAndNeverWatched)
{
    Create(sim::Machine(), "cam");
    fs::create_directory_symlink("..", Path("cameras/loop"));
    sim::TakeBenchChanges();
    ASSERT_NE(nullptr, sim::Machine().FindCamera("loop"));
    EXPECT_EQ("its folder cannot be read: cameras/loop is a link, not a folder",
              sim::Machine().FindCamera("loop")->damage);
    EXPECT_EQ(-1, sim::BenchLookInterval()) << "every folder there is is watched";
    pollfd wait{sim::BenchChangeDescriptor(), POLLIN, 0};
    ASSERT_GE(wait.fd, 0);
    sim::TakeBenchChanges();
    for (int i = 0; i < 3; ++i) sim::bench::BenchLock lock(dir.string(), i == 1);
    Write("journal.txt", "another module's file in the bench's directory\n");
    EXPECT_EQ(0, poll(&wait, 1, 100)) << "the lock and the bench's directory never wake the program";
    ASSERT_TRUE(sim::Machine().Plug(*sim::Machine().FindCamera("cam")));
    EXPECT_EQ(1, poll(&wait, 1, 300)) << "a change of a camera does";
}

struct PlantedKey {
    const char* what;
    std::function<void(const fs::path& registry, const fs::path& outside)> plant;
    const char* damagedKey;  // the key reported damaged
    const char* damage;
};

TEST_F(BenchFileKindsTest, LinksAndNamesOfTwoCasesMakeTheKeyDamagedAndNothingIsWrittenThroughThem)
{
    const std::string services = "HKLM\\SYSTEM\\CurrentControlSet\\Services";
    const PlantedKey cases[] = {
        {"the driver's key a link to a folder outside",
         [](const fs::path& reg, const fs::path& out) {
             fs::create_directories(out / "Parameters");
             fs::create_directories(reg / "SYSTEM/CurrentControlSet/Services");
             fs::create_directory_symlink(out, reg / "SYSTEM/CurrentControlSet/Services/brennccdF");
         },
         "\\brennccdF", "its folder is a link"},
        {"two keys that are links to their own folder",
         [](const fs::path& reg, const fs::path&) {
             fs::create_directories(reg / "SYSTEM/CurrentControlSet/Services/brennccdF");
             fs::create_directory_symlink(".", reg / "SYSTEM/CurrentControlSet/Services/brennccdF/a");
             fs::create_directory_symlink(".", reg / "SYSTEM/CurrentControlSet/Services/brennccdF/b");
             fs::create_directory_symlink(".", reg / "SYSTEM/CurrentControlSet/Services/brennccdF/Parameters");
         },
         "\\brennccdF\\Parameters", "its folder is a link"},
        {"the key's folder in two letter cases",
         [](const fs::path& reg, const fs::path&) {
             fs::create_directories(reg / "SYSTEM/CurrentControlSet/Services/brennccdF/Parameters");
             fs::create_directories(reg / "SYSTEM/CurrentControlSet/Services/brennccdF/parameters");
             std::ofstream(reg / "SYSTEM/CurrentControlSet/Services/brennccdF/parameters/values.reg")
                 << "\"Other\"=dword:00000002\n";
         },
         "\\brennccdF\\Parameters", "two folders differ only in letter case: Parameters, parameters"},
        {"a value named twice in two letter cases",
         [](const fs::path& reg, const fs::path&) {
             fs::create_directories(reg / "SYSTEM/CurrentControlSet/Services/brennccdF/Parameters");
             std::ofstream(reg / "SYSTEM/CurrentControlSet/Services/brennccdF/Parameters/values.reg")
                 << "\"Level\"=dword:00000001\n; note\n\"LEVEL\"=dword:00000002\n";
         },
         "\\brennccdF\\Parameters", "values.reg lines 1 and 3 name one value: \"Level\", \"LEVEL\""},
        {"a FIFO for the values",
         [](const fs::path& reg, const fs::path&) {
             fs::create_directories(reg / "SYSTEM/CurrentControlSet/Services/brennccdF/Parameters");
             mkfifo((reg / "SYSTEM/CurrentControlSet/Services/brennccdF/Parameters/values.reg").c_str(), 0644);
         },
         "\\brennccdF\\Parameters", "values.reg cannot be read: it is a FIFO, not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.plant(Path("registry/HKLM"), outside);
        sim::ResetMachine();
        std::string error;
        ASSERT_TRUE(sim::Machine().AttachBench(dir.string(), &error)) << error;
        EXPECT_EQ(1015, Grant()) << "the grant is refused as a damaged registry";
        const sim::RegKey* key = sim::Machine().registry.FindPath(services + c.damagedKey);
        ASSERT_NE(nullptr, key);
        EXPECT_EQ(c.damage, key->damage);
        EXPECT_FALSE(sim::PermissionPresent(1030));
        for (const auto& entry : fs::recursive_directory_iterator(outside))
            EXPECT_FALSE(entry.path().filename() == "values.reg") << "written outside: " << entry.path();
    }
}

}  // namespace
