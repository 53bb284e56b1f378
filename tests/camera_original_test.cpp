// The camera's backup and the way back to its own numbers, over a bench:
// the backup saved once before the first write, "Original" at step 4, a
// backup that cannot be saved, and the transfers a job takes.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/bench_wizard.h"
#include "tests/file_watch.h"

namespace {

// Sensor row 4, class row 4, with numbers of its own from the factory:
// visible 3400 x 2550 (descriptor 18..21), offsets 20 and 12 and width
// after offset 3428 (geometry 75..78); the row's total size 3448 x 2574.
Bytes FactoryImage(bool ownNumbers)
{
    CameraImage image;
    image.classRow = 4;
    image.productId = 1030;
    Bytes eeprom(256);
    BuildEeprom(image, eeprom.data());
    if (ownNumbers) {
        const uint8_t visible[] = {0x48, 0x0d, 0xf6, 0x09};
        const uint8_t offsets[] = {20, 12, 0x64, 0x0d};
        std::copy(visible, visible + 4, eeprom.begin() + 18);
        std::copy(offsets, offsets + 4, eeprom.begin() + 75);
    }
    return eeprom;
}

class CameraOriginalTest : public BenchWizardTest {};

TEST_F(CameraOriginalTest, FactoryNumbersComeBackByteForByteWithOriginal)
{
    const Bytes factory = FactoryImage(true);
    sim::SimCamera& camera = AddCamera("cam", factory);

    EXPECT_EQ((std::vector<std::string>{"Disabled", "Enabled"}), ToStepFour(camera)) << "no backup yet";
    WriteAndFinish(2);
    EXPECT_EQ(13u, Requests(camera)) << "3 a scan, 3 for the check before the write, 2 writes and 2 read-backs";
    ASSERT_EQ(std::vector<std::string>{"1030-123456.txt"}, Files("backups"));
    const std::string backup = Read("backups/1030-123456.txt");
    for (const char* line : {"\nclass = 4\n", "\nproduct id = 1030\n", "\ncamera id = 123456\n",
                             "\ncamera type = TESTCAM\n", "\nvisible width = 3400\n", "\nvisible height = 2550\n",
                             "\ntotal width = 3448\n", "\ntotal height = 2574\n", "\nx offset = 20\n",
                             "\ny offset = 12\n", "\nwidth after offset = 3428\n", "\nversion = 1.1.0.0\n",
                             "\nheader = a0a1a20604a5a6a7a8a9\n", "\ngeometry = 780d0e0a140c640deff0f1f2\n"})
        EXPECT_NE(std::string::npos, backup.find(line)) << line;
    EXPECT_NE(std::string::npos, backup.find("\ndescriptor = 40e20100aeafb0b1480df609"));
    const uint8_t enabledVisible[] = {0x73, 0x0d, 0x0d, 0x0a};
    EXPECT_TRUE(std::equal(enabledVisible, enabledVisible + 4, camera.eeprom + 18)) << "3443 x 2573 written";
    FileWatch backups(Path("backups").string());
    ASSERT_TRUE(backups.Watching());

    EXPECT_EQ((std::vector<std::string>{"Disabled", "Enabled", "Original"}), ToStepFour(camera));
    EXPECT_EQ(2, w->modeCombo->SelectedPosition()) << "the scan read Enabled";
    Choose(3);
    ASSERT_TRUE(headless::Click(w->actionButton));
    EXPECT_TRUE(w->nextButton->IsEnabled());
    Choose(2);
    EXPECT_FALSE(w->nextButton->IsEnabled()) << "Enabled is not what was written";
    Choose(3);
    EXPECT_TRUE(w->nextButton->IsEnabled()) << "Original is";
    WriteAndFinish(3);
    EXPECT_EQ(factory, Eeprom(camera));
    EXPECT_EQ(13u + 20u, Requests(camera)) << "the second job wrote Original twice: 6 for the scans, 7 a write";
    EXPECT_EQ(backup, Read("backups/1030-123456.txt")) << "the backup is never changed";
    for (const std::string& name : backups.Touched())
        EXPECT_NE("1030-123456.txt", name) << "the backup is never written again, not even with the same bytes";
    EXPECT_EQ(std::vector<std::string>{"1030-123456.txt"}, Files("backups"));
}

TEST_F(CameraOriginalTest, NumbersOfATableRowOfferNoOriginal)
{
    sim::SimCamera& camera = AddCamera("cam", FactoryImage(false));
    ToStepFour(camera);
    WriteAndFinish(2);
    ASSERT_EQ(std::vector<std::string>{"1030-123456.txt"}, Files("backups"));
    EXPECT_EQ((std::vector<std::string>{"Disabled", "Enabled"}), ToStepFour(camera));
    WriteAndFinish(1);
    EXPECT_EQ(FactoryImage(false), Eeprom(camera));
    EXPECT_EQ(26u, Requests(camera)) << "13 a job, the backup reads nothing";
}

TEST_F(CameraOriginalTest, ABackupThatCannotBeSavedWritesNothing)
{
    Write("backups", "a file where the folder should be");
    sim::SimCamera& camera = AddCamera("cam", FactoryImage(true));
    ToStepFour(camera);
    Choose(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_EQ(1u, headless::Boxes().size());
    const headless::BoxRecord& box = headless::Boxes()[0];
    EXPECT_EQ("Error", box.title);
    EXPECT_EQ("Cannot save camera backup", box.lines[0]);
    EXPECT_EQ("Check the disk and try again", box.lines[1]);
    EXPECT_EQ(piStop, box.icon);
    EXPECT_EQ(1, w->wizardStep) << "restarted";
    EXPECT_EQ(0u, WriteRequests(camera));
    EXPECT_EQ(FactoryImage(true), Eeprom(camera));
}

TEST_F(CameraOriginalTest, AnotherCameraWithTheSameNumbersGetsABackupOfItsOwn)
{
    sim::SimCamera& first = AddCamera("first", FactoryImage(true));
    ToStepFour(first);
    WriteAndFinish(2);
    const std::string firstBackup = Read("backups/1030-123456.txt");
    sim::Machine().Unplug(first);
    Bytes other = FactoryImage(true);
    other[0] = 0x11;  // never interpreted, but not the same camera
    sim::SimCamera& second = AddCamera("second", other);
    EXPECT_EQ((std::vector<std::string>{"Disabled", "Enabled"}), ToStepFour(second)) << "the first one's is not its";
    WriteAndFinish(2);
    EXPECT_EQ((std::vector<std::string>{"1030-123456-2.txt", "1030-123456.txt"}), Files("backups"));
    EXPECT_EQ(firstBackup, Read("backups/1030-123456.txt"));
    EXPECT_NE(std::string::npos, Read("backups/1030-123456-2.txt").find("\nheader = 11a1a20604a5a6a7a8a9\n"));
}

}  // namespace
