// The run's record in the bench's logs folder: what a run with a failing
// write leaves in it, that it is on disk as it goes, and its bounds.
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "machine_data/run_record.h"
#include "tests/bench_wizard.h"

namespace {

class RunRecordTest : public BenchWizardTest {
protected:
    std::string OnlyRecord()
    {
        std::vector<std::string> names = Files("logs");
        EXPECT_EQ(1u, names.size());
        return names.empty() ? "" : Read("logs/" + names[0]);
    }
};

TEST_F(RunRecordTest, AFailedWriteLeavesItsReasonAndTheRunsSteps)
{
    CameraImage image;
    image.classRow = 4;
    image.productId = 1030;
    Bytes eeprom(256);
    BuildEeprom(image, eeprom.data());
    sim::SimCamera& camera = AddCamera("cam", eeprom);
    // Transfers 1 to 9 are the two scans and the check before the write.
    ASSERT_TRUE(sim::Machine().ChangeCamera(camera, [](sim::SimCamera& c) {
        c.faults.push_back({sim::FaultKind::status, 10, 0x82});
        return true;
    }));
    ToStepFour(camera);
    headless::AdvanceTime(300);
    Pump();
    Choose(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_EQ(1, w->wizardStep);
    ShutProgram();
    const std::string record = OnlyRecord();
    for (const char* line :
         {"# Vellmark run record, for technical support\nversion = 1.1.0.0\nplatform = Windows ", "data folder = ",
          " UTC (every time in this record is UTC)\n", " step 1\n", " camera opened: class 4, path ",
          " read 0 10: status 0x80 (done)\n", " read 10 61: status 0x80 (done)\n", " read 71 12: status 0x80 (done)\n",
          " camera at step 1: class 4, product id 1030, type TESTCAM, camera ID 123456, sensor row 4, mode Disabled\n",
          " step 2\n",
          " grant AllowEEPROMWrite under HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters: done\n",
          " camera at step 3: the same camera: class 4, product id 1030, type TESTCAM, camera ID 123456, sensor row 4, "
          "mode Disabled\n",
          " step 4\n", " administrator probe: administrator\n", " mode chosen at step 4: \"Enabled\"\n",
          " backup saved as 1030-123456.txt\n",
          " write 10 61: status 0x82 (bad count), failed: Instruction failed: Invalid parameter\n",
          " put back: read 10 61: status 0x80 (done)\n", " put back descriptor 10 61: unchanged\n",
          " box: \"Error\" / \"Cannot write camera EEPROM\" / \"Contact technical support\"\n",
          " end: the window closed at step 1 as the user saw it, by the window's close\n"})
        EXPECT_NE(std::string::npos, record.find(line)) << line << "\nin\n" << record;
    EXPECT_EQ(std::string::npos, record.find(" step 5\n"));
    const std::string ending = "end: the program ended at 20";
    EXPECT_EQ(ending, record.substr(record.rfind('\n', record.size() - 2) + 1, ending.size()));
    EXPECT_EQ(" UTC\n", record.substr(record.size() - 5));
}

TEST_F(RunRecordTest, KeepsTheTwentyNewestEachAtMost64KiBAndIsOnDiskAsItGoes)
{
    // Dated in the year 0, so they sort before this run's record at any
    // clock's date.
    std::vector<std::string> old;
    for (int i = 10; i < 35; ++i) {
        old.push_back("run-00000101-0000" + std::to_string(i) + "-7.txt");
        Write("logs/" + old.back(), "old\n");
    }
    Write("logs/notes.txt", "not a record\n");
    ASSERT_TRUE(runrecord::Open("heading\n"));
    std::vector<std::string> kept = Files("logs");
    ASSERT_EQ(21u, kept.size()) << "19 older records, this run's, and notes.txt";
    EXPECT_EQ("notes.txt", kept[0]);
    EXPECT_EQ(old[6], kept[1]) << "the six oldest are gone";
    EXPECT_EQ(old[24], kept[19]);
    const std::string path = "logs/" + kept[20];

    runrecord::Note("the first entry");
    EXPECT_NE(std::string::npos, Read(path).find(" the first entry\n")) << "written before the record closes";
    const std::string entry(100, 'x');
    // Each different: a line repeated at once is written once.
    for (int i = 0; i < 1000; ++i) runrecord::Note(entry + std::to_string(i));
    runrecord::WindowClosed(5);
    runrecord::Close("end: the program ended");
    const std::string record = Read(path);
    EXPECT_LE(record.size(), 65536u);
    EXPECT_GT(record.size(), 50000u);
    EXPECT_EQ(0u, record.find("heading\nstarted = "));
    const std::string ending = " end: the window closed at step 5 as the user saw it, by the window's close\n"
                               "end: the program ended at ";
    EXPECT_NE(std::string::npos, record.find(ending, record.size() - ending.size() - 24)) << "room is kept for the end";
    const std::regex gap("\n\\([0-9]+ lines dropped here to keep the record within 64 KiB\\)\n");
    EXPECT_TRUE(std::regex_search(record, gap))
        << "the dropped lines told";
}

// The times of a record's lines, each as TT:TT:TT: the rest is compared whole.
std::string WithoutTimes(const std::string& text)
{
    return std::regex_replace(text, std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}"), "TT:TT:TT");
}

TEST_F(RunRecordTest, ALineRepeatedAtOnceIsWrittenOnceWithTheCountOfItsRepeats)
{
    ASSERT_TRUE(runrecord::Open("heading\n"));
    for (const char* line : {"one", "scan", "scan", "scan", "scan", "two", "two", "scan", "three", "three", "three"})
        runrecord::Note(line);
    runrecord::Close("end: the program ended", "exit code 0");
    const std::string record = WithoutTimes(OnlyRecord());
    const std::string body = "TT:TT:TT one\n"
                             "TT:TT:TT scan\n(the same 3 times more, until TT:TT:TT)\n"
                             "TT:TT:TT two\n(the same 1 times more, until TT:TT:TT)\n"
                             "TT:TT:TT scan\n"
                             "TT:TT:TT three\n(the same 2 times more, until TT:TT:TT)\n"
                             "end: the program ended at ";
    ASSERT_NE(std::string::npos, record.find("UTC)\n")) << record;
    EXPECT_EQ(body, record.substr(record.find("UTC)\n") + 5, body.size())) << record;
    EXPECT_EQ(" UTC\nexit code 0\n", record.substr(record.size() - 17)) << "the exit code last";
}

// A record flooded past its bound: the start and the lines that matter
// stay, the others go oldest first, their count told where they were.
TEST_F(RunRecordTest, PastItsBoundTheRecordKeepsItsStartAndWhatMatters)
{
    ASSERT_TRUE(runrecord::Open("heading\n"));
    runrecord::StepReached(1);
    char line[80];
    for (int i = 0; i < 3000; ++i) {
        std::snprintf(line, sizeof line, "scan %04d: not connected", i);
        runrecord::Note(line);
        if (i == 500) runrecord::Transfer(true, 71, 12, 0x80, nullptr);
        if (i == 1500) runrecord::Revoked("SYSTEM\\Key", true);
    }
    runrecord::PutBack("geometry", 71, 12, "done");
    runrecord::WindowClosed(3);
    runrecord::Close("end: the program ended", "exit code 1");
    const std::string record = OnlyRecord();
    EXPECT_LE(record.size(), 65536u);
    EXPECT_EQ(0u, record.find("heading\nstarted = ")) << record.substr(0, 200);
    for (const char* kept : {" step 1\n", " scan 0000: not connected\n", " write 71 12: status 0x80 (done)\n",
                             " revoke AllowEEPROMWrite under HKLM\\SYSTEM\\Key: done\n", " scan 2999: not connected\n",
                             " put back geometry 71 12: done\n",
                             " end: the window closed at step 3 as the user saw it, by the window's close\n"})
        EXPECT_NE(std::string::npos, record.find(kept)) << kept;
    EXPECT_EQ(" UTC\nexit code 1\n", record.substr(record.size() - 17));
    // Every scan line either kept or counted among the dropped.
    const std::regex scan(" scan [0-9]{4}: not connected\n");
    const std::regex gap("\n\\(([0-9]+) lines dropped here to keep the record within 64 KiB\\)\n");
    const auto scans = std::distance(std::sregex_iterator(record.begin(), record.end(), scan), {});
    size_t dropped = 0;
    for (auto it = std::sregex_iterator(record.begin(), record.end(), gap); it != std::sregex_iterator(); ++it)
        dropped += std::stoul((*it)[1]);
    EXPECT_GT(dropped, 0u);
    EXPECT_EQ(3000u, static_cast<size_t>(scans) + dropped);
    EXPECT_LT(record.find(" scan 0000: not connected\n"), record.find(" lines dropped here")) << "after the start";
}

// Closed at step 2, the window goes through step 3 as it closes the
// camera: the record tells step 2.
TEST_F(RunRecordTest, AWindowClosedAtStepTwoIsRecordedAtStepTwo)
{
    CameraImage image;
    image.classRow = 4;
    image.productId = 1030;
    Bytes eeprom(256);
    BuildEeprom(image, eeprom.data());
    AddCamera("cam", eeprom);
    w = StartMainWindow();
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_EQ(2, w->wizardStep);
    w->MakeEvent(closeEvent);
    Pump();
    ShutProgram();
    const std::string record = OnlyRecord();
    const std::string end = " end: the window closed at step 2 as the user saw it, by the window's close\n";
    EXPECT_NE(std::string::npos, record.find(end)) << record;
}

}  // namespace
