// The administrator probe over the simulated system: every branch, and
// nothing left loaded or open afterwards.
#include <gtest/gtest.h>

#include "overscan/administrator_probe.h"
#include "platform/sim/sim_machine.h"

namespace {

class AdministratorProbeTest : public ::testing::Test {
protected:
    void SetUp() override { sim::ResetMachine(); }
    void TearDown() override
    {
        EXPECT_EQ(0, System().loadedLibraries) << "advapi32 left loaded";
        EXPECT_EQ(0, System().openServiceHandles) << "a service manager handle left open";
    }
    sim::SimSystem& System() { return sim::Machine().system; }
};

TEST_F(AdministratorProbeTest, NtWithAllRightsIsAnAdministrator)
{
    EXPECT_TRUE(IsAdministrator());
    EXPECT_EQ(1, System().scmOpens);
    EXPECT_EQ(0xE0000000u, System().lastScmAccess);
    EXPECT_EQ("advapi32.dll", System().lastLibraryName);
}

TEST_F(AdministratorProbeTest, ServiceManagerRefusingAnyRightIsNot)
{
    sim::Machine().SetAdministrator(false);
    EXPECT_FALSE(IsAdministrator());
    System().scmGrantedAccess = GENERIC_READ | GENERIC_WRITE;
    EXPECT_FALSE(IsAdministrator());
    EXPECT_EQ(2, System().scmOpens);
}

TEST_F(AdministratorProbeTest, OldConsumerWindowsNeedsNoFurtherTest)
{
    System().version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    System().advapiMissing = true;
    EXPECT_TRUE(IsAdministrator());
    EXPECT_EQ("", System().lastLibraryName) << "nothing may be loaded";
}

TEST_F(AdministratorProbeTest, OtherPlatformsAndAnUnreadableVersionAreNot)
{
    for (DWORD platform : {0u, 3u, 4u, 0xFFFFFFFFu}) {
        System().version.dwPlatformId = platform;
        EXPECT_FALSE(IsAdministrator()) << platform;
    }
    System().version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    System().versionFails = true;
    EXPECT_FALSE(IsAdministrator());
    EXPECT_EQ(0, System().scmOpens);
}

TEST_F(AdministratorProbeTest, MissingLibraryOrFunctionIsNot)
{
    System().advapiMissing = true;
    EXPECT_FALSE(IsAdministrator());
    System().advapiMissing = false;
    System().openScManagerMissing = true;
    EXPECT_FALSE(IsAdministrator());
    System().openScManagerMissing = false;
    System().closeServiceHandleMissing = true;
    EXPECT_FALSE(IsAdministrator());
    EXPECT_EQ(0, System().scmOpens) << "the manager is not opened without a way to close it";
}

}  // namespace
