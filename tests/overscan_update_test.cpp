// The step-4 update against the simulated camera: the bytes that end up in
// the EEPROM for every sensor, mode and family, the six transfers, the
// first failure ending the update, and what a failed update puts back.
#include <algorithm>
#include <cstring>

#include "overscan/geometry_tables.h"
#include "tests/camera_images.h"
#include "toolkit/combo_box.h"

namespace {

using Bytes = std::vector<uint8_t>;

class OverscanUpdateTest : public SimulatedCameraTest {
protected:
    // A camera plugged in with the permission, scanned at step 1, and the
    // wizard at step 4 with the chooser at the position.
    sim::SimCamera& Ready(const CameraImage& image, int position)
    {
        Machine().registry.SetDword(sim::DriverParametersPath(image.productId), "AllowEEPROMWrite", 1);
        sim::SimCamera& camera = PlugCamera("cam", image);
        EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
        combo->AddItem(8, "Disabled", 0);
        combo->AddItem(7, "Enabled", 0);
        combo->Select(position);
        config->modeCombo = combo.get();
        config->wizardStep = 4;
        next.Disable();
        std::memcpy(before, camera.eeprom, 256);
        camera.wire.clear();
        return camera;
    }
    static uint16_t At16(const uint8_t* eeprom, int address)
    {
        return static_cast<uint16_t>(eeprom[address] | eeprom[address + 1] << 8);
    }
    // The EEPROM holds the row's geometry in its fields and is otherwise unchanged.
    void ExpectGeometry(const sim::SimCamera& camera, bool familyA, const SensorGeometry& row, const char* what)
    {
        int width = 10 + (familyA ? 6 : 8);
        int height = 10 + (familyA ? 8 : 10);
        int geometry = familyA ? 69 : 71;
        const uint8_t* e = camera.eeprom;
        EXPECT_EQ(row.visibleWidth, At16(e, width)) << what;
        EXPECT_EQ(row.visibleHeight, At16(e, height)) << what;
        EXPECT_EQ(row.totalWidth, At16(e, geometry)) << what;
        EXPECT_EQ(row.totalHeight, At16(e, geometry + 2)) << what;
        EXPECT_EQ(row.xOffset, e[geometry + 4]) << what;
        EXPECT_EQ(row.yOffset, e[geometry + 5]) << what;
        EXPECT_EQ(row.totalWidth - row.xOffset, At16(e, geometry + 6)) << what;
        for (int address = 0; address < 256; ++address) {
            bool field = address == width || address == width + 1 || address == height || address == height + 1 ||
                         (address >= geometry && address < geometry + 8);
            if (!field) {
                EXPECT_EQ(before[address], e[address]) << what << ": byte " << address << " changed";
            }
        }
    }
    void ExpectUnchanged(const sim::SimCamera& camera)
    {
        EXPECT_EQ(0, std::memcmp(before, camera.eeprom, 256)) << "the EEPROM must be as it was";
    }

    std::unique_ptr<CComboBox> combo = std::make_unique<CComboBox>();
    uint8_t before[256];
};

struct SensorCase {
    int classRowA;  // 0 when the sensor has no family A class
    int classRowB;
    int firstRow;
    int lastRow;
};

const SensorCase sensorCases[] = {{2, 4, 1, 10}, {1, 3, 11, 14}, {0, 5, 15, 16}, {0, 6, 15, 16}};

TEST_F(OverscanUpdateTest, EveryRowInBothModesAndFamiliesLandsExactlyInTheFields)
{
    for (const SensorCase& sensor : sensorCases) {
        for (int classRow : {sensor.classRowA, sensor.classRowB}) {
            if (classRow == 0) continue;
            for (int row = sensor.firstRow; row <= sensor.lastRow; ++row) {
                for (int position : {1, 2}) {
                    SetUp();
                    combo = std::make_unique<CComboBox>();
                    CameraImage image;
                    image.classRow = classRow;
                    image.sensorRow = row;
                    image.overscan = position == 1;  // start from the other mode
                    sim::SimCamera& camera = Ready(image, position);
                    ASSERT_EQ(row, config->sensorIndex);
                    std::string what = "class " + std::to_string(classRow) + " row " + std::to_string(row) +
                                       " position " + std::to_string(position);
                    EXPECT_EQ(UpdateOutcome::written, config->UpdateOverscan()) << what;
                    const SensorGeometry& expected = (position == 2 ? overscanGeometry : normalGeometry)[row];
                    ExpectGeometry(camera, IsFamilyARow(classRow), expected, what.c_str());
                    EXPECT_TRUE(next.IsEnabled()) << what;
                    config->CloseCamera();
                }
            }
        }
    }
}

TEST_F(OverscanUpdateTest, RowFourEnabledAndDisabledByteForByte)
{
    CameraImage image;
    image.classRow = 4;
    image.sensorRow = 4;
    sim::SimCamera& camera = Ready(image, 2);
    ASSERT_EQ(UpdateOutcome::written, config->UpdateOverscan());
    // 3443, 2573 at descriptor offsets 8 and 10; 3448, 2574, 4, 1, 3444 at 71.
    EXPECT_EQ((Bytes{0x73, 0x0D, 0x0D, 0x0A}), Bytes(camera.eeprom + 18, camera.eeprom + 22));
    EXPECT_EQ((Bytes{0x78, 0x0D, 0x0E, 0x0A, 4, 1, 0x74, 0x0D}), Bytes(camera.eeprom + 71, camera.eeprom + 79));
    combo->Select(1);
    ASSERT_EQ(UpdateOutcome::written, config->UpdateOverscan()) << "a second press must still work";
    // 3358, 2536; 3448, 2574, 27, 30, 3421.
    EXPECT_EQ((Bytes{0x1E, 0x0D, 0xE8, 0x09}), Bytes(camera.eeprom + 18, camera.eeprom + 22));
    EXPECT_EQ((Bytes{0x78, 0x0D, 0x0E, 0x0A, 27, 30, 0x5D, 0x0D}), Bytes(camera.eeprom + 71, camera.eeprom + 79));
}

TEST_F(OverscanUpdateTest, ChecksTheCameraThenWritesAndReadsBackEachBlock)
{
    CameraImage image;  // family A
    sim::SimCamera& camera = Ready(image, 2);
    ASSERT_EQ(UpdateOutcome::written, config->UpdateOverscan());
    std::vector<Bytes> requests = Requests(camera);
    ASSERT_EQ(7u, requests.size());
    EXPECT_EQ((Bytes{0x12, 0, 10}), requests[0]);
    EXPECT_EQ((Bytes{0x12, 10, 59}), requests[1]);
    EXPECT_EQ((Bytes{0x12, 69, 12}), requests[2]);
    Bytes descriptorWrite = {0x13, 10, 59};
    descriptorWrite.insert(descriptorWrite.end(), config->descriptorBlockA, config->descriptorBlockA + 59);
    EXPECT_EQ(descriptorWrite, requests[3]);
    EXPECT_EQ((Bytes{0x12, 10, 59}), requests[4]);
    Bytes geometryWrite = {0x13, 69, 12};
    geometryWrite.insert(geometryWrite.end(), config->geometryBlock, config->geometryBlock + 12);
    EXPECT_EQ(geometryWrite, requests[5]);
    EXPECT_EQ((Bytes{0x12, 69, 12}), requests[6]);
    EXPECT_EQ((std::vector<uint32_t>{64, 64, 64, 1, 64, 1, 64}), ReplySizesAsked(camera));
}

TEST_F(OverscanUpdateTest, WritingTheGeometryAlreadyHeldStillWritesAndVerifiesBoth)
{
    CameraImage image;
    image.classRow = 3;
    image.sensorRow = 12;
    image.overscan = true;
    sim::SimCamera& camera = Ready(image, 2);
    EXPECT_EQ(UpdateOutcome::written, config->UpdateOverscan());
    EXPECT_EQ(7u, Requests(camera).size());
    ExpectUnchanged(camera);
}

TEST_F(OverscanUpdateTest, NoSelectionOrAnyOtherPositionTakesTheNormalTable)
{
    CameraImage image;
    image.sensorRow = 2;
    image.overscan = true;
    sim::SimCamera& camera = Ready(image, 0);
    EXPECT_EQ(0, combo->SelectedPosition());
    ASSERT_EQ(UpdateOutcome::written, config->UpdateOverscan());
    ExpectGeometry(camera, true, normalGeometry[2], "no selection");
    config->modeCombo = nullptr;
    ASSERT_EQ(UpdateOutcome::written, config->UpdateOverscan());
    ExpectGeometry(camera, true, normalGeometry[2], "no chooser");
}

TEST_F(OverscanUpdateTest, WithoutConnectionNothingIsWrittenAndNothingOpened)
{
    sim::SimCamera& camera = Ready(CameraImage{}, 2);
    config->CloseCamera();
    EXPECT_EQ(UpdateOutcome::notConnected, config->UpdateOverscan());
    EXPECT_TRUE(camera.wire.empty());
    EXPECT_FALSE(config->familyFlags & connectedFlag) << "the update does not open the camera";
    EXPECT_FALSE(next.IsEnabled());
}

TEST_F(OverscanUpdateTest, AnotherCameraOnTheConnectionIsNotWritten)
{
    sim::SimCamera& scanned = Ready(CameraImage{}, 2);
    Machine().Unplug(scanned);
    config->CloseCamera();
    CameraImage other;
    other.cameraId = 999;
    Machine().registry.SetDword(sim::DriverParametersPath(other.productId), "AllowEEPROMWrite", 1);
    sim::SimCamera& intruder = Machine().AddCamera("other", other.classRow);
    BuildEeprom(other, intruder.eeprom);
    Machine().Plug(intruder);
    uint8_t intruderBefore[256];
    std::memcpy(intruderBefore, intruder.eeprom, 256);
    config->OpenCamera();
    ASSERT_TRUE(config->familyFlags & connectedFlag);
    EXPECT_EQ(UpdateOutcome::differentCamera, config->UpdateOverscan());
    EXPECT_EQ(0, std::memcmp(intruderBefore, intruder.eeprom, 256));
    for (const Bytes& request : Requests(intruder)) EXPECT_EQ(0x12, request[0]) << "only reads may reach it";
    EXPECT_FALSE(next.IsEnabled());
}

TEST_F(OverscanUpdateTest, FailedIdentityReadWritesNothing)
{
    sim::SimCamera& camera = Ready(CameraImage{}, 2);
    camera.faults = {{sim::FaultKind::status, camera.transfers + 2, 0x81}};
    EXPECT_EQ(UpdateOutcome::writeFailed, config->UpdateOverscan());
    EXPECT_EQ(2u, Requests(camera).size());
    ExpectUnchanged(camera);
}

// Transfers of the update after the three identity reads: 4 descriptor
// write, 5 its read-back, 6 geometry write, 7 its read-back. The put-back
// reads each block sent first and writes only one that changed.
struct FailureCase {
    sim::FaultKind kind;
    uint32_t transfer;
    size_t requestsMade;  // including what a restore sends
    size_t writesMade;    // the update's and the restore's that reached the camera
    bool unchanged;       // the EEPROM ends as it was
    const char* what;
};

TEST_F(OverscanUpdateTest, FirstFailureEndsTheUpdateAndTheOldBlocksArePutBack)
{
    const FailureCase cases[] = {
        // The link cut: the camera opened again, its three blocks read and
        // found the same, then what was sent read and, if changed, put back.
        {sim::FaultKind::dropRequest, 4, 4 + 3 + 1, 0, true, "descriptor write lost"},
        {sim::FaultKind::dropReply, 4, 4 + 3 + 3, 2, true, "descriptor write's reply lost"},
        {sim::FaultKind::dropRequest, 6, 6 + 3 + 1 + 3, 2, true, "geometry write lost"},
        {sim::FaultKind::dropReply, 7, 7 + 3 + 3 + 3, 4, true, "geometry read-back's reply lost"},
        // Status errors and bytes that do not stick: put back and verified.
        {sim::FaultKind::status, 4, 4 + 1, 1, true, "descriptor write refused"},
        {sim::FaultKind::status, 5, 5 + 3, 2, true, "descriptor read-back refused"},
        {sim::FaultKind::stuckByte, 4, 5 + 3, 2, true, "descriptor byte did not stick"},
        {sim::FaultKind::status, 6, 6 + 1 + 3, 3, true, "geometry write refused"},
        {sim::FaultKind::status, 7, 7 + 3 + 3, 4, true, "geometry read-back refused"},
        {sim::FaultKind::stuckByte, 6, 7 + 3 + 3, 4, true, "geometry byte did not stick"},
        // A read-back differing in its very last byte is a failed write too.
        {sim::FaultKind::lastByteFlipped, 5, 5 + 3, 2, true, "descriptor read back with another last byte"},
        {sim::FaultKind::lastByteFlipped, 7, 7 + 3 + 3, 4, true, "geometry read back with another last byte"},
    };
    for (const FailureCase& c : cases) {
        SetUp();
        combo = std::make_unique<CComboBox>();
        CameraImage image;
        image.classRow = 3;
        image.sensorRow = 13;
        sim::SimCamera& camera = Ready(image, 2);
        camera.faults = {{c.kind, camera.transfers + c.transfer, 0x82}};
        EXPECT_EQ(UpdateOutcome::writeFailed, config->UpdateOverscan()) << c.what;
        std::vector<Bytes> requests = Requests(camera);
        EXPECT_EQ(c.requestsMade, requests.size()) << c.what;
        EXPECT_EQ(c.writesMade, static_cast<size_t>(std::count_if(requests.begin(), requests.end(),
                                                                  [](const Bytes& r) { return !r.empty() && r[0] == 0x13; })))
            << c.what;
        if (c.unchanged) {
            EXPECT_EQ(0, std::memcmp(before, camera.eeprom, 256)) << c.what;
        }
        EXPECT_FALSE(next.IsEnabled()) << c.what;
        config->CloseCamera();
    }
}

TEST_F(OverscanUpdateTest, AGeometryThatCannotBePutBackStillHasItsDescriptorPutBack)
{
    CameraImage image;
    sim::SimCamera& camera = Ready(image, 2);
    uint32_t start = camera.transfers;
    // The geometry write is refused, then the geometry's put-back can
    // neither read it nor write it.
    camera.faults = {{sim::FaultKind::status, start + 6, 0x83},
                     {sim::FaultKind::status, start + 7, 0x83},
                     {sim::FaultKind::status, start + 8, 0x83}};
    EXPECT_EQ(UpdateOutcome::writeFailed, config->UpdateOverscan());
    std::vector<Bytes> requests = Requests(camera);
    ASSERT_EQ(11u, requests.size());
    EXPECT_EQ((Bytes{0x12, 69, 12}), requests[6]);
    EXPECT_EQ(0x13, requests[7][0]) << "a block that cannot be read is written all the same";
    EXPECT_EQ((Bytes{0x12, 10, 59}), requests[8]);
    Bytes descriptorBack = {0x13, 10, 59};
    descriptorBack.insert(descriptorBack.end(), before + 10, before + 69);
    EXPECT_EQ(descriptorBack, requests[9]) << "the descriptor as it was, after the failed geometry put-back";
    EXPECT_EQ((Bytes{0x12, 10, 59}), requests[10]);
    ExpectUnchanged(camera);
}

// A camera whose driver took no permission, or that answers the first
// write with 0x83: the put-back reads the descriptor, finds it as it was
// and writes nothing; the update tells the refusal.
TEST_F(OverscanUpdateTest, ARefusedFirstWriteIsPutBackWithNothingWritten)
{
    const struct {
        const char* what;
        bool permitted;
        uint8_t status;  // of the first write; 0: none injected
        UpdateOutcome outcome;
    } cases[] = {
        {"plugged in without the permission", false, 0, UpdateOutcome::writeRefused},
        {"status 0x83 at the first write", true, 0x83, UpdateOutcome::writeRefused},
        {"status 0x81 at the first write", true, 0x81, UpdateOutcome::writeFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        combo = std::make_unique<CComboBox>();
        CameraImage image;
        image.classRow = 4;
        sim::SimCamera& camera = Ready(image, 2);
        camera.writePermitted = c.permitted;
        if (c.status) camera.faults = {{sim::FaultKind::status, camera.transfers + 4, c.status}};
        EXPECT_EQ(c.outcome, config->UpdateOverscan());
        std::vector<Bytes> requests = Requests(camera);
        ASSERT_EQ(5u, requests.size());
        EXPECT_EQ((Bytes{0x13, 10, 61}), Bytes(requests[3].begin(), requests[3].begin() + 3));
        EXPECT_EQ((Bytes{0x12, 10, 61}), requests[4]) << "read, and nothing written back";
        ExpectUnchanged(camera);
        EXPECT_FALSE(next.IsEnabled());
        config->CloseCamera();
    }
}

TEST_F(OverscanUpdateTest, ACameraThatIsGoneAfterALostReplyIsLeftAsFarAsItWasWritten)
{
    CameraImage image;
    image.classRow = 4;
    sim::SimCamera& camera = Ready(image, 2);
    camera.faults = {{sim::FaultKind::dropReply, camera.transfers + 4, 0}};
    // No interface list can be had: the camera cannot be opened again.
    for (bool& fails : Machine().classListFails) fails = true;
    EXPECT_EQ(UpdateOutcome::writeFailed, config->UpdateOverscan());
    EXPECT_EQ(4u, Requests(camera).size()) << "nothing reaches the camera after the lost reply";
    // The descriptor holds the new visible size 3443 x 2573 at 18; the geometry at 71 is as it was.
    EXPECT_EQ((Bytes{0x73, 0x0D, 0x0D, 0x0A}), Bytes(camera.eeprom + 18, camera.eeprom + 22));
    EXPECT_EQ(Bytes(before + 71, before + 83), Bytes(camera.eeprom + 71, camera.eeprom + 83));
    for (bool& fails : Machine().classListFails) fails = false;
}

}  // namespace
