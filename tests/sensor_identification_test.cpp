// Sensor identification by interface class and total width, and the
// recognition of the overscan geometry by visible height.
#include <gtest/gtest.h>

#include "overscan/geometry_tables.h"
#include "overscan/sensor_identification.h"

namespace {

struct WidthRow {
    uint16_t width;
    int32_t row;
};

const WidthRow kaiRows[] = {{1644, 11}, {2124, 12}, {4076, 13}, {4943, 14}};
const WidthRow kafRows[] = {{794, 1},  {1562, 2}, {2265, 3}, {3448, 4}, {3098, 5},
                            {1040, 6}, {3108, 7}, {4151, 8}, {4152, 9}, {4641, 10}};
const WidthRow e2vRows[] = {{1072, 15}, {2148, 16}};

void ExpectClass(uint32_t mask, const WidthRow* rows, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(rows[i].row, IdentifySensor(mask, rows[i].width)) << "mask " << mask << " width " << rows[i].width;
        EXPECT_EQ(rows[i].row, IdentifySensor(mask | 1, rows[i].width)) << "the connected bit is not a class";
    }
}

TEST(SensorIdentification, EveryWidthOfEachClassGivesItsRow)
{
    ExpectClass(2, kaiRows, 4);
    ExpectClass(8, kaiRows, 4);
    ExpectClass(4, kafRows, 10);
    ExpectClass(16, kafRows, 10);
    ExpectClass(32, e2vRows, 2);
    ExpectClass(64, e2vRows, 2);
}

TEST(SensorIdentification, WidthsOfAnotherClassAreNotRecognised)
{
    for (const WidthRow& kaf : kafRows) {
        EXPECT_EQ(0, IdentifySensor(2, kaf.width));
        EXPECT_EQ(0, IdentifySensor(64, kaf.width));
    }
    for (const WidthRow& kai : kaiRows) {
        EXPECT_EQ(0, IdentifySensor(16, kai.width));
        EXPECT_EQ(0, IdentifySensor(32, kai.width));
    }
    for (const WidthRow& e2v : e2vRows) {
        EXPECT_EQ(0, IdentifySensor(4, e2v.width));
        EXPECT_EQ(0, IdentifySensor(8, e2v.width));
    }
    EXPECT_EQ(0, IdentifySensor(2, 794));
    EXPECT_EQ(0, IdentifySensor(4, 4150));
    EXPECT_EQ(0, IdentifySensor(0, 1644)) << "no class mask, no sensor";
    EXPECT_EQ(0, IdentifySensor(1, 1644));
}

TEST(SensorIdentification, OverscanIsRecognisedByVisibleHeightAlone)
{
    for (int32_t row = 1; row < sensorRowCount; ++row) {
        EXPECT_TRUE(IsOverscanHeight(row, static_cast<uint16_t>(overscanGeometry[row].visibleHeight))) << row;
        EXPECT_FALSE(IsOverscanHeight(row, static_cast<uint16_t>(normalGeometry[row].visibleHeight))) << row;
    }
    EXPECT_FALSE(IsOverscanHeight(4, 0));
    EXPECT_FALSE(IsOverscanHeight(0, 0)) << "row 0 is no sensor";
    EXPECT_FALSE(IsOverscanHeight(17, 0));
}

TEST(GeometryTables, RowsAreConsistentAndShareTheirTotals)
{
    EXPECT_EQ(0, normalGeometry[0].totalWidth);
    EXPECT_EQ(0, overscanGeometry[0].visibleHeight);
    for (int32_t row = 1; row < sensorRowCount; ++row) {
        for (const SensorGeometry* table : {normalGeometry, overscanGeometry}) {
            const SensorGeometry& g = table[row];
            EXPECT_LE(g.visibleWidth + g.xOffset, g.totalWidth) << row;
            EXPECT_LE(g.visibleHeight + g.yOffset, g.totalHeight) << row;
            EXPECT_LT(g.xOffset, 256);
            EXPECT_LT(g.totalWidth, 65536);
        }
        EXPECT_EQ(normalGeometry[row].totalWidth, overscanGeometry[row].totalWidth) << row;
        EXPECT_EQ(normalGeometry[row].totalHeight, overscanGeometry[row].totalHeight) << row;
    }
    // Spot checks against the printed tables.
    EXPECT_EQ(3358, normalGeometry[4].visibleWidth);
    EXPECT_EQ(2573, overscanGeometry[4].visibleHeight);
    EXPECT_EQ(50, normalGeometry[16].xOffset);
    EXPECT_EQ(50, overscanGeometry[16].xOffset);
    EXPECT_EQ(39, normalGeometry[10].yOffset);
}

}  // namespace
