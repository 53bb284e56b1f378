// The geometry that the update puts on the wire and leaves in the EEPROM,
// for every sensor row, both modes and both families, checked against the
// two tables written out here number by number: a typo in the program's
// tables cannot pass.
#include <cstring>

#include "tests/camera_images.h"
#include "toolkit/combo_box.h"

namespace {

using Bytes = std::vector<uint8_t>;

// totalWidth, totalHeight, visibleWidth, visibleHeight, xOffset, yOffset.
struct Row {
    int totalWidth, totalHeight, visibleWidth, visibleHeight, xOffset, yOffset;
};

const Row normalRows[17] = {
    {0, 0, 0, 0, 0, 0},
    {794, 520, 768, 512, 14, 4},        {1562, 1032, 1536, 1024, 14, 4},    {2265, 1510, 2184, 1472, 46, 34},
    {3448, 2574, 3358, 2536, 27, 30},   {3098, 2056, 3072, 2048, 16, 4},    {1040, 1032, 1024, 1024, 8, 4},
    {3108, 3086, 3056, 3056, 34, 20},   {4151, 4128, 4096, 4096, 35, 21},   {4152, 4128, 4096, 4096, 35, 21},
    {4641, 3695, 4524, 3624, 64, 39},   {1644, 1214, 1604, 1204, 22, 4},    {2124, 2072, 2056, 2062, 40, 10},
    {4076, 2721, 4032, 2688, 24, 17},   {4943, 3301, 4888, 3256, 33, 23},   {1072, 1027, 1056, 1024, 8, 3},
    {2148, 2052, 2048, 2048, 50, 4},
};

const Row overscanRows[17] = {
    {0, 0, 0, 0, 0, 0},
    {794, 520, 783, 519, 10, 1},        {1562, 1032, 1551, 1031, 10, 1},    {2265, 1510, 2252, 1509, 12, 1},
    {3448, 2574, 3443, 2573, 4, 1},     {3098, 2056, 3087, 2055, 10, 1},    {1040, 1032, 1035, 1031, 4, 1},
    {3108, 3086, 3101, 3085, 6, 1},     {4151, 4128, 4144, 4127, 6, 1},     {4152, 4128, 4144, 4127, 6, 1},
    {4641, 3695, 4630, 3694, 10, 1},    {1644, 1214, 1639, 1213, 4, 1},     {2124, 2072, 2111, 2071, 12, 1},
    {4076, 2721, 4071, 2720, 4, 1},     {4943, 3301, 4931, 3300, 10, 1},    {1072, 1027, 1062, 1026, 8, 1},
    {2148, 2052, 2096, 2051, 50, 1},
};

// The interface class rows whose cameras carry the sensor: KAF rows 1-10
// in classes 2 (family A) and 4, KAI rows 11-14 in 1 (family A) and 3,
// E2V rows 15 and 16 in 5 and 6 (family B only).
std::vector<int> ClassRowsOf(int row)
{
    if (row <= 10) return {2, 4};
    if (row <= 14) return {1, 3};
    return {row == 15 ? 5 : 6};
}

void Put16(uint8_t* at, int value)
{
    at[0] = static_cast<uint8_t>(value & 0xFF);
    at[1] = static_cast<uint8_t>(value >> 8 & 0xFF);
}

// Family A: descriptor at 10 (visible size at its offsets 6 and 8),
// geometry at 69; family B: offsets 8 and 10, geometry at 71.
void PutRow(uint8_t* eeprom, bool familyA, const Row& row)
{
    Put16(eeprom + 10 + (familyA ? 6 : 8), row.visibleWidth);
    Put16(eeprom + 10 + (familyA ? 8 : 10), row.visibleHeight);
    uint8_t* geometry = eeprom + (familyA ? 69 : 71);
    Put16(geometry, row.totalWidth);
    Put16(geometry + 2, row.totalHeight);
    geometry[4] = static_cast<uint8_t>(row.xOffset);
    geometry[5] = static_cast<uint8_t>(row.yOffset);
    Put16(geometry + 6, row.totalWidth - row.xOffset);
}

Bytes WriteRequest(const uint8_t* eeprom, int address, int count)
{
    Bytes request = {0x13, static_cast<uint8_t>(address), static_cast<uint8_t>(count)};
    request.insert(request.end(), eeprom + address, eeprom + address + count);
    return request;
}

class GeometryBytesTest : public SimulatedCameraTest {};

TEST_F(GeometryBytesTest, EveryRowModeAndFamilyPutsTheTableOnTheWireAndInTheEeprom)
{
    for (int row = 1; row <= 16; ++row) {
        for (int classRow : ClassRowsOf(row)) {
            for (int position : {1, 2}) {
                const bool familyA = classRow <= 2;
                const bool enabled = position == 2;
                const std::string what = "row " + std::to_string(row) + " class " + std::to_string(classRow) +
                                         (enabled ? " Enabled" : " Disabled");
                SetUp();
                // The camera holds the other mode, so every field changes.
                CameraImage image;
                image.classRow = classRow;
                image.sensorRow = row;
                image.productId = DefaultProductId(classRow);
                Machine().registry.SetDword(sim::DriverParametersPath(image.productId), "AllowEEPROMWrite", 1);
                sim::SimCamera& camera = PlugCamera("cam", image);
                PutRow(camera.eeprom, familyA, enabled ? normalRows[row] : overscanRows[row]);
                uint8_t expected[256];
                std::memcpy(expected, camera.eeprom, 256);
                PutRow(expected, familyA, enabled ? overscanRows[row] : normalRows[row]);

                ASSERT_EQ(ScanOutcome::shown, config->ScanCamera()) << what;
                EXPECT_EQ(row, config->sensorIndex) << what;
                EXPECT_EQ(!enabled, config->overscanEnabled) << what;
                CComboBox combo;
                combo.AddItem(8, "Disabled", 0);
                combo.AddItem(7, "Enabled", 0);
                combo.Select(position);
                config->modeCombo = &combo;
                config->wizardStep = 4;
                camera.wire.clear();
                EXPECT_EQ(UpdateOutcome::written, config->UpdateOverscan()) << what;
                config->modeCombo = nullptr;

                std::vector<Bytes> writes;
                for (const Bytes& request : Requests(camera))
                    if (request[0] == 0x13) writes.push_back(request);
                ASSERT_EQ(2u, writes.size()) << what;
                // One request each: 3 + 59 bytes (family A) or 3 + 61 (family B), then 3 + 12.
                EXPECT_EQ(familyA ? 62u : 64u, writes[0].size()) << what;
                EXPECT_EQ(WriteRequest(expected, 10, familyA ? 59 : 61), writes[0]) << what;
                EXPECT_EQ(WriteRequest(expected, familyA ? 69 : 71, 12), writes[1]) << what;
                EXPECT_EQ(0, std::memcmp(expected, camera.eeprom, 256)) << what;
            }
        }
    }
}

// A step-3 scan compares; it does not identify again, so the sensor found
// at step 1 stays even when the camera's geometry would now give another row.
TEST_F(GeometryBytesTest, StepThreeScanKeepsTheSensorOfStepOne)
{
    CameraImage image;
    image.classRow = 4;
    image.sensorRow = 8;
    sim::SimCamera& camera = PlugCamera("cam", image);
    ASSERT_EQ(ScanOutcome::shown, config->ScanCamera());
    ASSERT_EQ(8, config->sensorIndex);
    // Total width 4152 is row 9's; the kept record is made to match so the
    // camera counts as the same one.
    Put16(camera.eeprom + 71, 4152);
    Put16(config->geometryBlock, 4152);
    config->wizardStep = 3;
    EXPECT_EQ(ScanOutcome::shown, config->ScanCamera());
    EXPECT_EQ(8, config->sensorIndex);
}

}  // namespace
