// The driver's write permission in the simulated registry: the six driver
// keys, unknown product ids, keys that are missing or closed to us, and the
// revoke's removal from every key granted in the run.
#include "overscan/driver_permission.h"
#include "tests/camera_images.h"

namespace {

const char* const servicesKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\";

class DriverPermissionTest : public SimulatedCameraTest {
protected:
    void InstallDriver(const std::string& service)
    {
        Machine().registry.CreatePath(servicesKey + service + "\\Parameters");
    }
    void SetProductId(uint16_t productId)
    {
        config->headerBlock[3] = static_cast<uint8_t>(productId);
        config->headerBlock[4] = static_cast<uint8_t>(productId >> 8);
    }
    const sim::RegValue* Permission(const std::string& service)
    {
        return Machine().registry.GetValue(servicesKey + service + "\\Parameters", "AllowEEPROMWrite");
    }
};

TEST_F(DriverPermissionTest, EachProductIdNamesItsDriversParametersKey)
{
    struct Row {
        uint16_t productId;
        const char* service;
    };
    const Row rows[] = {{1027, "orvelccdI"}, {1028, "orvelccdF"}, {1029, "brennccdI"},
                        {1030, "brennccdF"}, {1200, "brennccdB"}, {1201, "brennccdBI"}};
    for (const Row& row : rows) {
        std::string expected = std::string("SYSTEM\\CurrentControlSet\\Services\\") + row.service + "\\Parameters";
        ASSERT_NE(nullptr, DriverParametersKey(row.productId));
        EXPECT_EQ(expected, DriverParametersKey(row.productId));
        InstallDriver(row.service);
        SetProductId(row.productId);
        ASSERT_TRUE(config->GrantDriverWrite()) << row.service;
        const sim::RegValue* value = Permission(row.service);
        ASSERT_NE(nullptr, value) << row.service;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), value->type);
        EXPECT_EQ((std::vector<uint8_t>{1, 0, 0, 0}), value->data);
        for (const Row& other : rows)
            if (other.productId != row.productId) {
                EXPECT_EQ(nullptr, Permission(other.service)) << other.service;
            }
        config->RevokeDriverWrite();
        EXPECT_EQ(nullptr, Permission(row.service));
    }
}

TEST_F(DriverPermissionTest, UnknownProductIdsTouchNoKey)
{
    for (const char* service : {"orvelccdI", "orvelccdF", "brennccdI", "brennccdF", "brennccdB", "brennccdBI"})
        InstallDriver(service);
    Machine().registry.SetDword(servicesKey + std::string("brennccdF\\Parameters"), "AllowEEPROMWrite", 1);
    for (uint16_t productId : {1026, 1031, 1199, 0, 65535}) {
        EXPECT_EQ(nullptr, DriverParametersKey(productId));
        SetProductId(productId);
        EXPECT_FALSE(config->GrantDriverWrite()) << productId;
        config->RevokeDriverWrite();
    }
    EXPECT_NE(nullptr, Permission("brennccdF")) << "a revoke for an unknown product removed another's value";
    EXPECT_EQ(nullptr, Permission("orvelccdI"));
}

TEST_F(DriverPermissionTest, MissingParametersKeyIsNotCreated)
{
    Machine().registry.CreatePath(servicesKey + std::string("orvelccdF"));
    SetProductId(1028);
    EXPECT_FALSE(config->GrantDriverWrite());
    EXPECT_EQ(nullptr, Machine().registry.FindPath(servicesKey + std::string("orvelccdF\\Parameters")));
    config->RevokeDriverWrite();  // silent
}

TEST_F(DriverPermissionTest, KeyClosedToUsOrAFailedWriteGivesFalseAndLeavesNothingOpen)
{
    InstallDriver("brennccdB");
    SetProductId(1200);
    Machine().SetAdministrator(false);
    EXPECT_FALSE(config->GrantDriverWrite()) << "the key opens only for reading";
    EXPECT_EQ(nullptr, Permission("brennccdB"));
    Machine().SetAdministrator(true);
    Machine().registry.valueWritesFail = true;
    EXPECT_FALSE(config->GrantDriverWrite());
    EXPECT_EQ(0u, Machine().registry.OpenHandleCount()) << "the helper must be closed after a failed write";
}

TEST_F(DriverPermissionTest, RevokeIsSilentWhenTheValueCannotBeDeleted)
{
    InstallDriver("orvelccdI");
    SetProductId(1027);
    ASSERT_TRUE(config->GrantDriverWrite());
    Machine().SetAdministrator(false);
    config->RevokeDriverWrite();
    EXPECT_NE(nullptr, Permission("orvelccdI")) << "a failed deletion leaves the value in place";
    EXPECT_EQ(0u, Machine().registry.OpenHandleCount());
}

TEST_F(DriverPermissionTest, RevokeRemovesThePermissionFromEveryKeyGrantedInTheRun)
{
    InstallDriver("orvelccdF");
    InstallDriver("brennccdBI");
    InstallDriver("brennccdI");
    SetProductId(1028);
    ASSERT_TRUE(config->GrantDriverWrite());
    // A restart with another camera, granted again under its own driver.
    SetProductId(1201);
    ASSERT_TRUE(config->GrantDriverWrite());
    // A value another run left behind is not this run's to remove.
    Machine().registry.SetDword(servicesKey + std::string("brennccdI\\Parameters"), "AllowEEPROMWrite", 1);
    config->RevokeDriverWrite();
    EXPECT_EQ(nullptr, Permission("orvelccdF"));
    EXPECT_EQ(nullptr, Permission("brennccdBI"));
    EXPECT_NE(nullptr, Permission("brennccdI"));
}

TEST_F(DriverPermissionTest, GrantedPermissionReachesACameraPluggedInAfterwards)
{
    CameraImage image;
    image.productId = 1029;
    image.classRow = 3;
    InstallDriver("brennccdI");
    sim::SimCamera& camera = PlugCamera("cam", image);
    ASSERT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_FALSE(camera.writePermitted);
    Machine().Unplug(camera);
    ASSERT_TRUE(config->GrantDriverWrite());
    Machine().Plug(camera);
    EXPECT_TRUE(camera.writePermitted);
}

}  // namespace
