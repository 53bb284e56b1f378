// The camera scan of steps 1 and 3: the reads and their order for both
// families, the kept record, the shown values, and the step-3 comparison.
#include <cstring>

#include "overscan/geometry_tables.h"
#include "tests/camera_images.h"

namespace {

using Bytes = std::vector<uint8_t>;

class CameraScanTest : public SimulatedCameraTest {
protected:
    void ExpectShown(const char* type, const char* id, const char* overscan, bool nextEnabled)
    {
        EXPECT_STREQ(type, pane.typeValue);
        EXPECT_STREQ(id, pane.idValue);
        EXPECT_STREQ(overscan, pane.overscanValue);
        EXPECT_EQ(nextEnabled, next.IsEnabled());
    }
    void ExpectNotConnected()
    {
        ExpectShown("Not connected", "", "", false);
    }
    CameraImage Image(int classRow, int sensorRow, bool overscan = false)
    {
        CameraImage image;
        image.classRow = classRow;
        image.sensorRow = sensorRow;
        image.overscan = overscan;
        return image;
    }
};

TEST_F(CameraScanTest, FamilyAReadsHeaderDescriptorAndGeometryAt69)
{
    sim::SimCamera& camera = PlugCamera("a", Image(2, 4));
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ((std::vector<Bytes>{{0x12, 0, 10}, {0x12, 10, 59}, {0x12, 69, 12}}), Requests(camera));
    EXPECT_EQ(0, std::memcmp(config->headerBlock, camera.eeprom, 10));
    EXPECT_EQ(0, std::memcmp(config->descriptorBlockA, camera.eeprom + 10, 59));
    EXPECT_EQ(0, std::memcmp(config->geometryBlock, camera.eeprom + 69, 12));
    EXPECT_EQ(4, config->sensorIndex);
    ExpectShown("TESTCAM", "123456", "Disabled", true);
    EXPECT_EQ(1, pane.RepaintsAsked());
}

TEST_F(CameraScanTest, FamilyBReadsSixtyOneDescriptorBytesAndGeometryAt71)
{
    CameraImage image = Image(4, 7, true);
    image.cameraId = 4294967295u;
    image.type = "ABCDEFGHIJKLMN";  // all fourteen characters, unterminated
    sim::SimCamera& camera = PlugCamera("b", image);
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ((std::vector<Bytes>{{0x12, 0, 10}, {0x12, 10, 61}, {0x12, 71, 12}}), Requests(camera));
    EXPECT_EQ(0, std::memcmp(config->descriptorBlockB, camera.eeprom + 10, 61));
    EXPECT_EQ(0, std::memcmp(config->geometryBlock, camera.eeprom + 71, 12));
    EXPECT_EQ(7, config->sensorIndex);
    EXPECT_TRUE(config->overscanEnabled);
    ExpectShown("ABCDEFGHIJKLMN", "4294967295", "Enabled", true);
}

TEST_F(CameraScanTest, EveryClassRowReadsItsFamilyLayout)
{
    const int sensorOfClass[] = {0, 11, 1, 12, 2, 15, 16};
    for (int row = 1; row <= 6; ++row) {
        sim::ResetMachine();
        NewConfig();
        sim::SimCamera& camera = PlugCamera("cam", Image(row, sensorOfClass[row]));
        EXPECT_EQ(ScanOutcome::shown, config->ScanCamera()) << row;
        EXPECT_EQ(sensorOfClass[row], config->sensorIndex) << row;
        uint8_t geometryAt = IsFamilyARow(row) ? 69 : 71;
        ASSERT_EQ(3u, Requests(camera).size());
        EXPECT_EQ(geometryAt, Requests(camera)[2][1]) << row;
        config->CloseCamera();
    }
}

TEST_F(CameraScanTest, UnknownSensorShowsTheCameraButCannotBeConfigured)
{
    CameraImage image = Image(1, 11);  // a KAI class
    sim::SimCamera& camera = PlugCamera("a", image);
    camera.eeprom[69] = 794 & 0xFF;  // a KAF width
    camera.eeprom[70] = 794 >> 8;
    config->overscanEnabled = true;
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ(0, config->sensorIndex);
    EXPECT_FALSE(config->overscanEnabled);
    ExpectShown("TESTCAM", "123456", "Cannot be configured", false);
}

TEST_F(CameraScanTest, OverscanHeightAloneMakesItEnabled)
{
    CameraImage image = Image(3, 13, false);
    sim::SimCamera& camera = PlugCamera("a", image);
    uint16_t height = static_cast<uint16_t>(overscanGeometry[13].visibleHeight);
    camera.eeprom[10 + 10] = static_cast<uint8_t>(height);
    camera.eeprom[10 + 11] = static_cast<uint8_t>(height >> 8);
    config->ScanCamera();
    EXPECT_TRUE(config->overscanEnabled);
    EXPECT_STREQ("Enabled", pane.overscanValue);

    // A height of neither table reads as Disabled.
    camera.eeprom[10 + 10] = 1;
    config->ScanCamera();
    EXPECT_FALSE(config->overscanEnabled);
    EXPECT_STREQ("Disabled", pane.overscanValue);
}

TEST_F(CameraScanTest, ShortTypeFieldEndsAtItsFirstZero)
{
    CameraImage image = Image(2, 1);
    image.type = "KX3";
    PlugCamera("a", image);
    config->ScanCamera();
    EXPECT_STREQ("KX3", pane.typeValue);
}

TEST_F(CameraScanTest, NoCameraShowsNotConnected)
{
    std::strcpy(pane.idValue, "old");
    config->sensorIndex = 5;
    config->overscanEnabled = true;
    EXPECT_EQ(ScanOutcome::notConnected, config->ScanCamera());
    ExpectNotConnected();
    EXPECT_EQ(5, config->sensorIndex);
    EXPECT_TRUE(config->overscanEnabled);
    EXPECT_EQ(1, pane.RepaintsAsked());
}

TEST_F(CameraScanTest, FailedDescriptorReadStopsTheScanAndKeepsTheRecord)
{
    sim::SimCamera& camera = PlugCamera("a", Image(2, 4));
    config->ScanCamera();
    Bytes keptGeometry(config->geometryBlock, config->geometryBlock + 12);
    camera.eeprom[69] ^= 0xFF;
    camera.faults = {{sim::FaultKind::status, camera.transfers + 2, 0x82}};
    size_t before = Requests(camera).size();
    EXPECT_EQ(ScanOutcome::notConnected, config->ScanCamera());
    EXPECT_EQ(before + 2, Requests(camera).size()) << "no geometry read after the failed descriptor read";
    EXPECT_EQ(keptGeometry, Bytes(config->geometryBlock, config->geometryBlock + 12));
    ExpectNotConnected();
    EXPECT_TRUE(config->familyFlags & connectedFlag) << "a status failure keeps the connection";
}

TEST_F(CameraScanTest, ScanOpensTheCameraWhenNotConnected)
{
    EXPECT_EQ(ScanOutcome::notConnected, config->ScanCamera());
    PlugCamera("late", Image(5, 15));
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ(1u | 32u, config->familyFlags);
    EXPECT_EQ(15, config->sensorIndex);
}

TEST_F(CameraScanTest, StepThreeAcceptsTheSameCameraWithoutChangingTheRecord)
{
    sim::SimCamera& camera = PlugCamera("a", Image(4, 5));
    config->ScanCamera();
    Machine().Unplug(camera);
    config->wizardStep = 3;
    EXPECT_EQ(ScanOutcome::notConnected, config->ScanCamera());
    Machine().Plug(camera);
    config->sensorIndex = 5;
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    ExpectShown("TESTCAM", "123456", "Disabled", true);
}

TEST_F(CameraScanTest, StepThreeTakesAnyDifferingByteAsAnotherCamera)
{
    struct Change {
        int address;
        const char* where;
    };
    // Header offset 0 and geometry offset 10 are never interpreted, yet compared.
    const Change changes[] = {{0, "header offset 0"},      {9, "header offset 9"},
                              {10, "descriptor offset 0"}, {70, "descriptor offset 60"},
                              {71, "geometry offset 0"},   {81, "geometry offset 10"},
                              {82, "geometry offset 11"}};
    for (const Change& change : changes) {
        sim::ResetMachine();
        NewConfig();
        sim::SimCamera& camera = PlugCamera("a", Image(6, 16));
        ASSERT_EQ(ScanOutcome::shown, config->ScanCamera());
        std::string typeBefore = pane.typeValue;
        std::string idBefore = pane.idValue;
        Bytes header(config->headerBlock, config->headerBlock + 10);
        Bytes descriptor(config->descriptorBlockB, config->descriptorBlockB + 61);
        Bytes geometry(config->geometryBlock, config->geometryBlock + 12);
        camera.eeprom[change.address] ^= 0x01;
        config->wizardStep = 3;
        EXPECT_EQ(ScanOutcome::differentCamera, config->ScanCamera()) << change.where;
        EXPECT_EQ(header, Bytes(config->headerBlock, config->headerBlock + 10));
        EXPECT_EQ(descriptor, Bytes(config->descriptorBlockB, config->descriptorBlockB + 61));
        EXPECT_EQ(geometry, Bytes(config->geometryBlock, config->geometryBlock + 12));
        EXPECT_EQ(typeBefore, pane.typeValue) << "no value text is set for another camera";
        EXPECT_EQ(idBefore, pane.idValue);
        config->CloseCamera();
    }
}

TEST_F(CameraScanTest, StepOneRescanTakesTheCameraNowConnected)
{
    sim::SimCamera& first = PlugCamera("first", Image(2, 6));
    config->ScanCamera();
    Machine().Unplug(first);
    CameraImage other = Image(1, 14);
    other.cameraId = 77;
    PlugCamera("second", other);
    EXPECT_EQ(ScanOutcome::notConnected, config->ScanCamera()) << "the read finds the first camera gone";
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ(14, config->sensorIndex);
    EXPECT_STREQ("77", pane.idValue);
}

TEST_F(CameraScanTest, FamilyBScanLeavesTheFamilyADescriptorCopyAlone)
{
    sim::SimCamera& a = PlugCamera("a", Image(2, 3));
    config->ScanCamera();
    Bytes keptA(config->descriptorBlockA, config->descriptorBlockA + 59);
    Machine().Unplug(a);
    config->CloseCamera();
    PlugCamera("b", Image(3, 12));
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ(12, config->sensorIndex);
    EXPECT_EQ(keptA, Bytes(config->descriptorBlockA, config->descriptorBlockA + 59));
}

}  // namespace
