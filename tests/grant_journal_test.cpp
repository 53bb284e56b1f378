// The journal of granted driver keys on a bench (DIR/grants.txt): a key is
// listed from before its grant until its value is gone, a failed deletion
// is tried again at the close, the next start revokes what a killed run
// left and nothing else, and a close at step 2 grants nothing and shows no
// box.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/orvel_config.h"
#include "overscan/driver_permission.h"
#include "platform/data_files.h"
#include "tests/bench_fixture.h"
#include "tests/program_start.h"
#include "toolkit/button.h"
#include "toolkit/headless/headless.h"
#include "wizard/camera_info_pane.h"

namespace {

const char* const brennF = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters";
const char* const orvelI = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\orvelccdI\\Parameters";
const char* const brennB = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdB\\Parameters";
const char* const journalWithBrennF =
    "# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n"
    "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters\n";

// The journal lists exactly the key, as this run's: its process id and a
// start time.
void ExpectJournalOfThisRun(const char* key, const std::string& journal)
{
    const std::string prefix =
        std::string("# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n") + key +
        "  (run " + std::to_string(getpid()) + ", started ";
    EXPECT_EQ(prefix, journal.substr(0, prefix.size())) << journal;
    const std::string rest = journal.substr(std::min(prefix.size(), journal.size()));
    const size_t digits = rest.find_first_not_of("0123456789");
    EXPECT_TRUE(digits > 0 && digits != std::string::npos && rest.substr(digits) == ")\n") << journal;
}

class GrantJournalTest : public BenchFixture {
protected:
    void SetUp() override
    {
        BenchFixture::SetUp();
        headless::Reset();
        for (const char* key : {brennF, orvelI, brennB}) sim::Machine().registry.CreatePath(key);
        sim::Machine().SaveRegistryToBench();
    }
    void TearDown() override
    {
        ShutProgram();
        BenchFixture::TearDown();
    }
    // A camera of class row 4 (product 1030, the driver brennccdF), plugged in.
    sim::SimCamera& Plugged(const std::string& name)
    {
        sim::SimCamera& camera = Create(sim::Machine(), name);
        EXPECT_TRUE(sim::Machine().Plug(camera));
        return camera;
    }
    void Unplug(sim::SimCamera& camera)
    {
        sim::Machine().Unplug(camera);
        headless::Pump();
    }
    // Granted at step 2, plugged in again and written: at step 4 with Next on.
    void ToStepFourWritten(sim::SimCamera& camera)
    {
        w = StartMainWindow();
        ASSERT_TRUE(headless::Click(w->nextButton));
        Unplug(camera);
        ASSERT_TRUE(sim::Machine().Plug(camera));
        ASSERT_TRUE(headless::Click(w->actionButton));
        ASSERT_TRUE(headless::Click(w->nextButton));
        ASSERT_TRUE(headless::Click(w->actionButton));
        ASSERT_TRUE(w->nextButton->IsEnabled());
    }
    static bool Present(const char* key)
    {
        sim::Machine().RefreshFromBench();
        return sim::Machine().registry.GetValue(key, "AllowEEPROMWrite") != nullptr;
    }
    static void Grant(const char* key)
    {
        sim::Machine().registry.SetDword(key, "AllowEEPROMWrite", 1);
        sim::Machine().SaveRegistryToBench();
    }
    bool JournalExists() const { return std::filesystem::exists(Path("grants.txt")); }

    COrvelConfig* w = nullptr;
};

TEST_F(GrantJournalTest, TheKeyIsListedFromBeforeTheGrantUntilTheRevoke)
{
    sim::SimCamera& camera = Plugged("cam");
    w = StartMainWindow();
    EXPECT_FALSE(JournalExists());
    ASSERT_TRUE(headless::Click(w->nextButton));
    Unplug(camera);
    EXPECT_TRUE(Present(brennF));
    ExpectJournalOfThisRun(brennF, Read("grants.txt"));
    ASSERT_TRUE(sim::Machine().Plug(camera));
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_STREQ("Camera update successful.", w->infoPane->stepLine1);
    EXPECT_FALSE(Present(brennF));
    EXPECT_FALSE(JournalExists()) << "an empty journal is no file";
}

// The revoke on the way to step 5 fails (the registry read-only); the close
// tries again: with the rights back the value goes, without them the key
// stays on the journal for the next start.
TEST_F(GrantJournalTest, AFailedRevokeIsTriedAgainAtTheCloseAndStaysListedIfItFailsAgain)
{
    for (bool rightsBack : {true, false}) {
        SCOPED_TRACE(rightsBack ? "rights back" : "still read-only");
        sim::SimCamera& camera = Plugged(rightsBack ? "back" : "still");
        ToStepFourWritten(camera);
        sim::Machine().registry.machineWritable = false;
        ASSERT_TRUE(headless::Click(w->nextButton));
        EXPECT_STREQ("Camera update successful.", w->infoPane->stepLine1);
        ASSERT_EQ(1u, headless::Boxes().size()) << "a revoke that fails twice is told";
        EXPECT_EQ("Cannot remove the write permission", headless::Boxes()[0].lines[0]);
        EXPECT_TRUE(Present(brennF));
        ExpectJournalOfThisRun(brennF, Read("grants.txt"));
        sim::Machine().registry.machineWritable = rightsBack;
        ShutProgram();
        EXPECT_EQ(1u, headless::Boxes().size()) << "the close tells nothing in a box";
        EXPECT_EQ(!rightsBack, permissionLeftAtEnd) << "what the exit code says";
        headless::Reset();
        EXPECT_EQ(!rightsBack, Present(brennF));
        if (rightsBack)
            EXPECT_EQ("", Read("grants.txt"));
        else
            ExpectJournalOfThisRun(brennF, Read("grants.txt"));
        sim::Machine().registry.machineWritable = true;
        EXPECT_TRUE(sim::Machine().Unplug(camera));
    }
}

// What a killed run left: the keys the journal lists are revoked at start;
// a value that no run granted, and a line that is no driver's key, are left
// alone; a key that still cannot be revoked stays listed.
TEST_F(GrantJournalTest, TheStartRevokesWhatTheJournalListsAndNothingElse)
{
    Grant(brennF);
    Grant(orvelI);
    Grant(brennB);
    Grant("HKLM\\SOFTWARE\\Other");
    Write("grants.txt", std::string("# a killed run\n") + brennF + "\n" + "HKLM\\SOFTWARE\\Other\n" + orvelI + "\r\n");
    sim::Machine().registry.machineWritable = false;
    RevokeLeftoverGrants();
    EXPECT_TRUE(Present(brennF));
    EXPECT_EQ(std::string(journalWithBrennF) + orvelI + "\n", Read("grants.txt"));

    sim::Machine().registry.machineWritable = true;
    RevokeLeftoverGrants();
    EXPECT_FALSE(Present(brennF));
    EXPECT_FALSE(Present(orvelI));
    EXPECT_TRUE(Present(brennB)) << "never granted by a run: never touched";
    EXPECT_TRUE(Present("HKLM\\SOFTWARE\\Other"));
    EXPECT_FALSE(JournalExists());
}

// What the start did with each key, as the console program's revoke tells
// it: an ended run's value removed and its line taken off, a live run's
// value and line left as they stand, a value gone already told as gone.
TEST_F(GrantJournalTest, EachLeftoverKeyIsToldAndALiveRunsLineStays)
{
    Grant(brennF);
    Grant(orvelI);
    const uint32_t parent = static_cast<uint32_t>(getppid());
    const std::string live = std::string(orvelI) + "  (run " + std::to_string(parent) + ", started " +
                             std::to_string(datafiles::ProcessStartTime(parent)) + ")\n";
    Write("grants.txt", "# killed runs\n" + std::string(brennF) + "  (run 999999, started 1)\n" + live + brennB + "\n");
    const std::vector<LeftoverGrant> done = RevokeLeftoverGrants();
    struct Told {
        const char* key;
        LeftoverGrant::Result result;
        uint32_t run;
        std::string reason;
    } const told[] = {
        {brennF, LeftoverGrant::Result::removed, 999999, "run 999999 has ended"},
        {orvelI, LeftoverGrant::Result::left, parent, "run " + std::to_string(parent) + " still runs"},
        {brennB, LeftoverGrant::Result::gone, 0, "an earlier run has ended"},
    };
    ASSERT_EQ(3u, done.size());
    for (size_t i = 0; i < done.size(); ++i) {
        EXPECT_EQ(told[i].key, "HKLM\\" + done[i].key);
        EXPECT_EQ(told[i].result, done[i].result) << told[i].key;
        EXPECT_EQ(told[i].run, done[i].processId) << told[i].key;
        EXPECT_EQ(told[i].reason, done[i].reason);
    }
    EXPECT_FALSE(Present(brennF));
    EXPECT_TRUE(Present(orvelI));
    EXPECT_EQ("# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n" + live,
              Read("grants.txt"));
}

// A grant the journal cannot record is not made: the refusal box, no value.
TEST_F(GrantJournalTest, AGrantThatCannotBeJournalledIsNotMade)
{
    std::filesystem::create_directory(Path("grants.txt"));
    sim::SimCamera& camera = Plugged("cam");
    w = StartMainWindow();
    ASSERT_TRUE(headless::Click(w->nextButton));
    Unplug(camera);
    ASSERT_EQ(1u, headless::Boxes().size());
    EXPECT_EQ("Cannot write Windows Registry", headless::Boxes()[0].lines[0]);
    EXPECT_FALSE(Present(brennF));
    EXPECT_EQ(Path("grants.txt").string(), unsavedJournal) << "the console program names the journal";
    ShutProgram();
    w = nullptr;
    std::string records;
    for (const auto& entry : std::filesystem::directory_iterator(Path("logs")))
        records += Read("logs/" + entry.path().filename().string());
    EXPECT_NE(std::string::npos, records.find("grants journal " + Path("grants.txt").string() +
                                              ": the grant cannot be noted in it, so it is not made\n"))
        << records;
    EXPECT_TRUE(std::filesystem::is_directory(Path("grants.txt")));
}

// Closing at step 2 while another camera, found first by the search, is
// plugged in: the hook's step 3 scans that one, but grants nothing and
// shows no "This camera is different".
TEST_F(GrantJournalTest, AClosingWindowGrantsNothingAndShowsNoBox)
{
    Plugged("a");
    w = StartMainWindow();
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_EQ(2, w->wizardStep);
    sim::SimCamera& other = sim::Machine().AddCamera("b", 1);
    CameraImage image;
    image.classRow = 1;
    image.productId = 1027;
    BuildEeprom(image, other.eeprom);
    ASSERT_TRUE(sim::Machine().SaveNewCamera(other));
    ASSERT_TRUE(sim::Machine().Plug(other));
    std::vector<std::string>& written = sim::Machine().registry.writtenValues;
    written.clear();
    w->MakeEvent(closeEvent);
    headless::Pump();
    EXPECT_FALSE(ProgramRunning());
    EXPECT_TRUE(headless::Boxes().empty());
    EXPECT_FALSE(Present(brennF));
    EXPECT_FALSE(Present(orvelI));
    EXPECT_FALSE(JournalExists());
    // Not granted and taken back: never written at any moment of the close.
    for (const std::string& value : written)
        EXPECT_EQ(std::string::npos, value.find("AllowEEPROMWrite")) << value << " was written during the close";
}

}  // namespace
