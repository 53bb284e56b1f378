// The backup's text: what it holds, read back, what makes a file no
// backup, and which cameras count as the same one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "machine_data/camera_backup_text.h"
#include "tools/camsim/camera_image.h"

namespace {

using camerabackup::Blocks;

// A family A camera (class row 2), sensor row 2 as the normal table has it.
Blocks FamilyACamera()
{
    CameraImage image;
    image.classRow = 2;
    image.sensorRow = 2;
    uint8_t eeprom[256];
    BuildEeprom(image, eeprom);
    Blocks blocks;
    blocks.classRow = 2;
    std::copy(eeprom, eeprom + 10, blocks.header);
    std::copy(eeprom + 10, eeprom + 69, blocks.descriptor);
    std::copy(eeprom + 69, eeprom + 81, blocks.geometry);
    return blocks;
}

const char familyAText[] =
    "# Vellmark camera backup: the camera's EEPROM blocks as first read, before the program first wrote to it.\n"
    "# Never changed afterwards.\n"
    "date = 2026-12-09 10:15:00\n"
    "version = 1.1.0.0\n"
    "class = 2\n"
    "product id = 1028\n"
    "camera id = 123456\n"
    "camera type = TESTCAM\n"
    "visible width = 1536\n"
    "visible height = 1024\n"
    "total width = 1562\n"
    "total height = 1032\n"
    "x offset = 14\n"
    "y offset = 4\n"
    "width after offset = 1548\n"
    "header = a0a1a20404a5a6a7a8a9\n"
    "descriptor = 40e20100aeaf00060004b4b5b6b7"
    "5445535443414d00000000000000"
    "868788898a8b8c8d8e8f909192939495969798999a9b9c9d9e9fe0e1e2e3e4\n"
    "geometry = 1a0608040e040c06edeeeff0\n";

TEST(CameraBackupText, HoldsTheBlocksAsHexWithTheDecodedFields)
{
    EXPECT_EQ(familyAText, camerabackup::Format(FamilyACamera(), "2026-12-09 10:15:00", "1.1.0.0"));
}

TEST(CameraBackupText, IsReadBackWithItsClass)
{
    const Blocks camera = FamilyACamera();
    Blocks read;
    std::string problem;
    ASSERT_TRUE(camerabackup::Parse(camerabackup::Format(camera, "d", "v"), &read, &problem)) << problem;
    EXPECT_EQ(2, read.classRow);
    EXPECT_TRUE(camerabackup::SameCamera(camera, read));
    EXPECT_EQ(0, std::memcmp(camera.descriptor, read.descriptor, 59));
    EXPECT_EQ(0, std::memcmp(camera.geometry, read.geometry, 12));
    EXPECT_EQ(1028, camerabackup::ProductId(read));
    EXPECT_EQ(123456u, camerabackup::CameraId(read));
}

TEST(CameraBackupText, AFileThatIsNoBackupSaysWhatIsWrong)
{
    const std::string good = camerabackup::Format(FamilyACamera(), "d", "v");
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string text;
        const char* problem;
    };
    const Case cases[] = {
        {replaced("header = ", "heading = "), "no line 'header = ...'"},
        {replaced("\ngeometry = 1a06", "\n"), "no line 'geometry = ...'"},
        {replaced("class = 2", "class = 7"), "the class must be 1..6, not '7'"},
        {replaced("class = 2\n", ""), "no line 'class = ...'"},
        {replaced("header = a0a1", "header = a0g1"), "the header is not hex"},
        {replaced("class = 2", "class = 4"), "the descriptor holds 118 hex digits; class 4 takes 122 (61 bytes)"},
        {replaced("geometry = 1a06", "geometry = 1a0"), "the geometry holds 23 hex digits; class 2 takes 24 (12 bytes)"},
        {good + "class = 2\n", "the line 'class = ...' is there twice"},
        {"", "no line 'class = ...'"},
    };
    for (const Case& c : cases) {
        Blocks read;
        read.classRow = 5;
        std::string problem;
        EXPECT_FALSE(camerabackup::Parse(c.text, &read, &problem)) << c.problem;
        EXPECT_EQ(c.problem, problem);
        EXPECT_EQ(5, read.classRow) << "nothing taken from a bad file";
    }
}

TEST(CameraBackupText, TheSameCameraDiffersOnlyInTheWrittenFields)
{
    const Blocks camera = FamilyACamera();
    struct Case {
        int block;  // 0 header, 1 descriptor, 2 geometry
        int offset;
        bool same;
    };
    // Family A: visible size at descriptor 6..9; geometry 0..7 written.
    const Case cases[] = {{1, 6, true}, {1, 9, true}, {2, 0, true}, {2, 7, true},  {0, 0, false}, {0, 3, false},
                          {1, 0, false}, {1, 5, false}, {1, 10, false}, {1, 58, false}, {2, 8, false}, {2, 11, false}};
    for (const Case& c : cases) {
        Blocks other = camera;
        uint8_t* block = c.block == 0 ? other.header : c.block == 1 ? other.descriptor : other.geometry;
        block[c.offset] ^= 0xff;
        EXPECT_EQ(c.same, camerabackup::SameCamera(camera, other)) << c.block << " " << c.offset;
    }
    Blocks otherClass = camera;
    otherClass.classRow = 1;
    EXPECT_FALSE(camerabackup::SameCamera(camera, otherClass));
}

}  // namespace
