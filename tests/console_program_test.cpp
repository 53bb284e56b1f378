// The console program's command inside the test process, where the bench
// machine can be set up as no other process can: a user without
// administrator rights.
#include "app/cli/cli_commands.h"
#include "machine_data/grant_journal.h"
#include "tests/bench_fixture.h"
#include "toolkit/modules.h"

namespace {

class ConsoleProgramTest : public BenchFixture {
protected:
    int Write(const char* mode, std::string* said)
    {
        CliOptions options;
        options.command = CliCommand::write;
        options.mode = mode;
        options.waitSeconds = 2;
        InitAllModules();
        ::testing::internal::CaptureStderr();
        int code = RunWrite(options, CliReport(false));
        *said = ::testing::internal::GetCapturedStderr();
        return code;
    }
};

TEST_F(ConsoleProgramTest, WithoutAdministratorRightsWriteEndsWithCodeFourBeforeAnyUnplug)
{
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    sim::Machine().registry.CreatePath(sim::DriverParametersPath(1030));
    sim::Machine().SaveRegistryToBench();
    ASSERT_TRUE(sim::Machine().Plug(camera));
    uint8_t before[256];
    std::copy(camera.eeprom, camera.eeprom + 256, before);
    sim::Machine().SetAdministrator(false);

    std::string said;
    EXPECT_EQ(4, Write("enabled", &said));
    EXPECT_EQ("vellmark-cli: run it from an administrator's command prompt\n", said);
    EXPECT_FALSE(sim::PermissionPresent(1030));
    EXPECT_TRUE(std::equal(before, before + 256, sim::Machine().FindCamera("cam")->eeprom));
}

TEST_F(ConsoleProgramTest, ACameraOfNoDriverCannotBeWrittenAndEndsWithCodeThree)
{
    // Class row 4 with product id 1030 and no driver key: "Driver not installed".
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    ASSERT_TRUE(sim::Machine().Plug(camera));
    std::string said;
    EXPECT_EQ(3, Write("disabled", &said));
    EXPECT_NE(std::string::npos, said.find("cannot be written: Driver not installed")) << said;
}

}  // namespace
