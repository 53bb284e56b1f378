// A camera is never left half written without a word, over a bench and the
// whole headless program: a failed update puts back what it sent, an
// update ended between its blocks (a kill) is told by the next run with the
// mode preselected, and a permission that cannot be removed is told.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "app/main_window.h"
#include "machine_data/update_note.h"
#include "overscan/driver_permission.h"
#include "tests/bench_wizard.h"
#include "toolkit/icon.h"

namespace {

const char note[] =
    "# Cameras whose last update did not finish: product id, camera id, the mode written.\n"
    "1030 123456 Enabled\n";
const char brennF[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters";
const char journal[] =
    "# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n"
    "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters\n";

class UnfinishedUpdateTest : public BenchWizardTest {
protected:
    // Sensor row 4, class row 4 (product id 1030, camera id 123456), "Disabled".
    sim::SimCamera& Camera()
    {
        CameraImage image;
        image.classRow = 4;
        image.productId = 1030;
        Bytes eeprom(256);
        BuildEeprom(image, eeprom.data());
        return AddCamera("cam", eeprom);
    }
    void Arm(sim::SimCamera& camera, std::vector<sim::Fault> faults)
    {
        ASSERT_TRUE(sim::Machine().ChangeCamera(camera, [&](sim::SimCamera& c) {
            c.faults = faults;
            return true;
        }));
    }
    void ExpectBox(size_t index, const char* line1, const char* line2, TIcon icon)
    {
        ASSERT_LT(index, headless::Boxes().size());
        const headless::BoxRecord& box = headless::Boxes()[index];
        EXPECT_EQ("Error", box.title);
        EXPECT_EQ(line1, box.lines[0]);
        EXPECT_EQ(line2, box.lines[1]);
        EXPECT_EQ("", box.lines[2]);
        EXPECT_EQ(icon, box.icon);
    }
    // A new run's start: the box of an unfinished update, or none.
    void ExpectToldAtStart(bool told, const char* overscan = "Disabled")
    {
        headless::Reset();
        w = StartMainWindow();
        EXPECT_STREQ("Step 1:", w->infoPane->stepTitle);
        EXPECT_STREQ(overscan, w->infoPane->overscanValue) << "the pane keeps the mode the descriptor says";
        ASSERT_EQ(told ? 1u : 0u, headless::Boxes().size());
        if (told) ExpectBox(0, "The last update of this camera did not finish", "Write the overscan mode again", piInfo32);
    }
    bool Present()
    {
        sim::Machine().RefreshFromBench();
        return sim::Machine().registry.GetValue(brennF, "AllowEEPROMWrite") != nullptr;
    }
};

struct FailedWrite {
    const char* what;
    std::vector<sim::Fault> faults;
    bool noteStays;  // a block's put-back could not be verified
    size_t writes;   // write requests of the run, the put-back's among them
    const char* geometryLine;  // null: the geometry was not sent
    const char* descriptorLine;
};

// Transfers: 1-3 the step-1 scan, 4-6 the step-3 scan, 7-9 the check before
// the write, 10 and 11 the descriptor, 12 and 13 the geometry, then the
// put-backs, each a read and, for a block that changed, a write and its
// read-back: geometry from 14, descriptor after it.
TEST_F(UnfinishedUpdateTest, AFailedUpdateLeavesTheEepromByteForByteAsItWas)
{
    const FailedWrite cases[] = {
        {"geometry read-back refused, its put-back's read-back refused",
         {{sim::FaultKind::status, 13, 0x82}, {sim::FaultKind::status, 16, 0x82}}, true, 4,
         "put back geometry 71 12: failed", "put back descriptor 10 61: done"},
        {"descriptor write's reply lost", {{sim::FaultKind::dropReply, 10, 0}}, false, 2, nullptr,
         "put back descriptor 10 61: done"},
        {"geometry read-back's reply lost", {{sim::FaultKind::dropReply, 13, 0}}, false, 4,
         "put back geometry 71 12: done", "put back descriptor 10 61: done"},
        // Refused writes change nothing: the block is read, found as it
        // was, and nothing is written to it.
        {"descriptor write refused", {{sim::FaultKind::status, 10, 0x83}}, false, 1, nullptr,
         "put back descriptor 10 61: unchanged"},
        {"geometry write refused", {{sim::FaultKind::status, 12, 0x83}}, false, 3,
         "put back geometry 71 12: unchanged", "put back descriptor 10 61: done"},
    };
    for (const FailedWrite& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        sim::SimCamera& camera = Camera();
        const Bytes before = Eeprom(camera);
        ToStepFour(camera);
        Arm(camera, c.faults);
        Choose(2);
        ASSERT_TRUE(headless::Click(w->actionButton));
        ASSERT_EQ(1u, headless::Boxes().size());
        ExpectBox(0, "Cannot write camera EEPROM", "Contact technical support", piStop);
        EXPECT_EQ(1, w->wizardStep);
        EXPECT_EQ(c.writes, WriteRequests(camera));
        ASSERT_TRUE(sim::Machine().ReadCamera(camera));
        EXPECT_EQ(before, Eeprom(camera));
        EXPECT_EQ(c.noteStays, std::filesystem::exists(Path("unfinished.txt")));
        EXPECT_EQ(c.noteStays ? note : "", Read("unfinished.txt"));
        ShutProgram();
        const std::vector<std::string> records = Files("logs");
        ASSERT_EQ(1u, records.size());
        const std::string record = Read("logs/" + records[0]);
        EXPECT_EQ(c.geometryLine != nullptr, record.find("put back geometry") != std::string::npos) << record;
        if (c.geometryLine) {
            EXPECT_NE(std::string::npos, record.find(c.geometryLine)) << record;
        }
        EXPECT_NE(std::string::npos, record.find(c.descriptorLine)) << record;
        ExpectToldAtStart(c.noteStays);
        ShutProgram();
        headless::Reset();
        ToStepFour(camera);
        // The scan reads "Disabled"; the note names the mode being written.
        EXPECT_EQ(c.noteStays ? enabledPosition : disabledPosition, w->modeCombo->SelectedPosition());
    }
}

// The camera back before the grant was saved: its driver took no
// permission and refuses the write. Nothing changed, so nothing is put
// back, no note stays and the next run tells nothing.
TEST_F(UnfinishedUpdateTest, AWriteRefusedByACameraPluggedWithoutThePermissionLeavesNoNote)
{
    sim::SimCamera& camera = Camera();
    const Bytes before = Eeprom(camera);
    w = StartMainWindow();
    ASSERT_TRUE(headless::Click(w->nextButton));
    sim::Machine().Unplug(camera);
    Pump();
    ASSERT_TRUE(Present()) << "the grant at the unplug";
    sim::Machine().registry.FindPath(brennF)->DeleteValue("AllowEEPROMWrite");
    sim::Machine().SaveRegistryToBench();
    sim::Machine().Plug(camera);
    Pump();
    ASSERT_FALSE(camera.writePermitted);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_TRUE(headless::Click(w->nextButton));
    ASSERT_EQ(4, w->wizardStep);
    camera.wire.clear();
    Choose(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "Cannot write camera EEPROM", "Contact technical support", piStop);
    EXPECT_EQ(UpdateOutcome::writeRefused, w->lastUpdate);
    // The check's three reads, the refused descriptor write, the put-back's
    // read of it, then the restart's scan: no write after the refused one.
    std::string commands;
    for (const sim::WireEvent& event : camera.wire)
        if (event.request) commands += event.bytes[0] == 0x13 ? 'W' : 'R';
    EXPECT_EQ("RRRWRRRR", commands);
    ASSERT_TRUE(sim::Machine().ReadCamera(camera));
    EXPECT_EQ(before, Eeprom(camera));
    EXPECT_FALSE(std::filesystem::exists(Path("unfinished.txt")));
    ShutProgram();
    const std::string record = Read("logs/" + Files("logs")[0]);
    for (const char* line : {" write 10 61: status 0x83 (refused or unknown), failed: Instruction failed: Unknown "
                             "instruction\n",
                             " put back: read 10 61: status 0x80 (done)\n", " put back descriptor 10 61: unchanged\n",
                             " update note taken off 1030 123456: done\n"})
        EXPECT_NE(std::string::npos, record.find(line)) << line << record;
    EXPECT_EQ(std::string::npos, record.find("put back: write")) << record;
    ExpectToldAtStart(false);
}

// The run killed while the geometry's write is held by the bench: the
// descriptor has the new visible size, the geometry the old numbers.
TEST_F(UnfinishedUpdateTest, AKillBetweenTheBlocksIsToldByTheNextRunWithTheModePreselected)
{
    sim::SimCamera& camera = Camera();
    const Bytes before = Eeprom(camera);
    Arm(camera, {{sim::FaultKind::hold, 12, 0}});
    pid_t child = fork();
    if (child == 0) {
        ToStepFour(camera);
        Choose(2);
        headless::Click(w->actionButton);
        _exit(3);  // never: the held transfer waits for the kill
    }
    ASSERT_GT(child, 0);
    bool held = false;
    for (int i = 0; i < 200 && !held; ++i) {
        usleep(50 * 1000);
        held = Read("cameras/cam/state.txt").find("fault hold 12 fired") != std::string::npos;
    }
    EXPECT_TRUE(held) << Read("cameras/cam/state.txt");
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    Arm(camera, {});
    ASSERT_TRUE(sim::Machine().ReadCamera(camera));
    const Bytes eeprom = Eeprom(camera);
    // 3443 x 2573 at 18; the geometry at 71 as before.
    EXPECT_EQ((Bytes{0x73, 0x0D, 0x0D, 0x0A}), Bytes(eeprom.begin() + 18, eeprom.begin() + 22));
    EXPECT_EQ(Bytes(before.begin() + 71, before.begin() + 83), Bytes(eeprom.begin() + 71, eeprom.begin() + 83));
    EXPECT_EQ(note, Read("unfinished.txt"));

    RevokeLeftoverGrants();  // the next start's, as RunProgram makes it
    ExpectToldAtStart(true, "Enabled");
    // Shown once a run: the scan again says nothing.
    ASSERT_TRUE(headless::Click(w->actionButton));
    EXPECT_EQ(1u, headless::Boxes().size());
    ShutProgram();
    headless::Reset();
    ToStepFour(camera);
    EXPECT_EQ(enabledPosition, w->modeCombo->SelectedPosition()) << "the mode the note names";
    WriteAndFinish(2);
    EXPECT_EQ("", Read("unfinished.txt")) << "the verified update takes the note off";
    ASSERT_TRUE(sim::Machine().ReadCamera(camera));
    // 3448, 2574, 4, 1, 3444 at 71.
    EXPECT_EQ((Bytes{0x78, 0x0D, 0x0E, 0x0A, 4, 1, 0x74, 0x0D}), Bytes(camera.eeprom + 71, camera.eeprom + 79));
    headless::Reset();
    w = StartMainWindow();
    EXPECT_TRUE(headless::Boxes().empty());
}

// The driver's key cannot be written after the write: the way to step 5
// tells it, the close cannot either, the key stays on the journal, and the
// next start that can revokes it.
TEST_F(UnfinishedUpdateTest, APermissionThatStaysIsToldAndEndsTheProgramWithItsFlag)
{
    sim::SimCamera& camera = Camera();
    ToStepFour(camera);
    Choose(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    sim::bench::InjectWriteFailure("brennccdF", EROFS);
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_STREQ("Camera update successful.", w->infoPane->stepLine1);
    ASSERT_EQ(1u, headless::Boxes().size());
    ExpectBox(0, "Cannot remove the write permission", "It is removed at the next start of the program", piStop);
    EXPECT_TRUE(w->permissionStayed);
    headless::Click(w->nextButton);
    ShutProgram();
    w = nullptr;
    EXPECT_EQ(1u, headless::Boxes().size()) << "the close opens no box";
    EXPECT_TRUE(permissionLeftAtEnd);
    EXPECT_TRUE(Present());
    const std::string listed = std::string(journal, sizeof journal - 2) + "  (run ";
    EXPECT_EQ(listed, Read("grants.txt").substr(0, listed.size()));

    sim::bench::InjectWriteFailure("", 0);
    RevokeLeftoverGrants();
    EXPECT_FALSE(Present());
    EXPECT_EQ("", Read("grants.txt"));
}

// A deletion that fails once on the way to step 5 is tried again at once:
// no box, no permission, nothing left on the journal.
TEST_F(UnfinishedUpdateTest, ARevokeThatFailsOnceOnTheWayToStepFiveIsTriedAgainAtOnce)
{
    sim::SimCamera& camera = Camera();
    ToStepFour(camera);
    Choose(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    sim::Machine().registry.valueDeletesToFail = 1;
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_EQ(0, sim::Machine().registry.valueDeletesToFail) << "the first deletion was tried and failed";
    EXPECT_STREQ("Camera update successful.", w->infoPane->stepLine1);
    EXPECT_TRUE(headless::Boxes().empty());
    EXPECT_FALSE(w->permissionStayed);
    EXPECT_FALSE(Present());
    EXPECT_EQ("", Read("grants.txt"));
}

// The value deleted but the journal not readable (a link in its place):
// no permission is left, so nothing is told and the exit code stays 0.
TEST_F(UnfinishedUpdateTest, AJournalThatCannotBeChangedAfterTheDeletionTellsNothing)
{
    sim::SimCamera& camera = Camera();
    ToStepFour(camera);
    ASSERT_TRUE(headless::Click(w->actionButton));
    Write("journal-elsewhere.txt", journal);
    std::filesystem::remove(Path("grants.txt"));
    std::filesystem::create_symlink(Path("journal-elsewhere.txt"), Path("grants.txt"));
    ASSERT_TRUE(headless::Click(w->nextButton));
    EXPECT_STREQ("Camera update successful.", w->infoPane->stepLine1);
    EXPECT_TRUE(headless::Boxes().empty());
    EXPECT_FALSE(w->permissionStayed);
    EXPECT_FALSE(Present());
    ShutProgram();
    w = nullptr;
    EXPECT_FALSE(permissionLeftAtEnd);
}

// What someone else left in the note is believed only in its own form:
// another mode word, a number out of range or a bad line is no camera.
TEST_F(UnfinishedUpdateTest, TheNoteKeepsOnlyLinesOfItsFormAndGoesWithItsLastCamera)
{
    Write("unfinished.txt", "# planted\n1030 5 Enabled\n1030 6 Sideways\n70000 1 Enabled\n1030 x Enabled\n"
                            "1029 7 Original\r\n");
    std::string mode;
    bool found = true;
    ASSERT_TRUE(updatenote::Find(1030, 6, &mode, &found));
    EXPECT_FALSE(found);
    ASSERT_TRUE(updatenote::Find(1029, 7, &mode, &found));
    EXPECT_TRUE(found);
    EXPECT_EQ("Original", mode);
    EXPECT_FALSE(updatenote::Begin(1030, 9, "Sideways"));
    ASSERT_TRUE(updatenote::Begin(1030, 8, "Disabled"));
    EXPECT_EQ("# Cameras whose last update did not finish: product id, camera id, the mode written.\n"
              "1030 5 Enabled\n1029 7 Original\n1030 8 Disabled\n",
              Read("unfinished.txt"));
    for (uint32_t id : {5u, 7u}) EXPECT_TRUE(updatenote::End(id == 5 ? 1030 : 1029, id));
    EXPECT_TRUE(updatenote::End(1030, 8));
    EXPECT_FALSE(std::filesystem::exists(Path("unfinished.txt"))) << "the note goes with its last camera";
}

// A note that cannot be read as the program's: one that a rename can take
// the name of is replaced (the record says so, the camera it named is not
// told), and the camera written; a folder or a socket stays, nothing is
// written, and the record names the note, not the backup; the box stays.
TEST_F(UnfinishedUpdateTest, ANoteNotTheProgramsIsReplacedWhereItCanBeAndNamedWhereItCannot)
{
    const std::string elsewhere = dir.string() + "-note.txt";
    struct Case {
        const char* what;
        std::function<void(const std::string& at)> plant;
        bool replaced;
    } cases[] = {
        {"unreadable or over 16 KiB", [](const std::string& at) { std::ofstream(at) << note << std::string(17000, '#'); },
         true},
        {"not text", [](const std::string& at) { std::ofstream(at) << note << std::string("\x01\x02\xff", 3); }, true},
        {"a link", [&](const std::string& at) { std::filesystem::create_symlink(elsewhere, at); }, true},
        {"a FIFO", [](const std::string& at) { mkfifo(at.c_str(), 0644); }, true},
        {"a folder", [](const std::string& at) { std::filesystem::create_directory(at); }, false},
        {"a socket", [](const std::string& at) { mknod(at.c_str(), S_IFSOCK | 0644, 0); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        std::ofstream(elsewhere) << note;
        c.plant(Path("unfinished.txt").string());
        sim::SimCamera& camera = Camera();
        const Bytes before = Eeprom(camera);
        ToStepFour(camera);
        EXPECT_TRUE(headless::Boxes().empty()) << "a note not the program's tells of no camera";
        Choose(2);
        ASSERT_TRUE(headless::Click(w->actionButton));
        const std::string notePath = Path("unfinished.txt").string();
        const std::string told =
            c.replaced ? "update note " + notePath + " not the program's (" + c.what + "): removed, the cameras it named are lost\n"
                       : "update note " + notePath + " is " + c.what + ", which cannot be replaced: no camera is written while it stands\n";
        if (c.replaced) {
            EXPECT_TRUE(headless::Boxes().empty());
            EXPECT_GT(WriteRequests(camera), 0u);
            EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(Path("unfinished.txt"))));
        } else {
            ASSERT_EQ(1u, headless::Boxes().size());
            ExpectBox(0, "Cannot save camera backup", "Check the disk and try again", piStop);
            EXPECT_EQ(0u, WriteRequests(camera));
            ASSERT_TRUE(sim::Machine().ReadCamera(camera));
            EXPECT_EQ(before, Eeprom(camera));
            struct stat info {};
            ASSERT_EQ(0, lstat(notePath.c_str(), &info));
            EXPECT_EQ(std::string(c.what) == "a folder" ? S_IFDIR : S_IFSOCK, info.st_mode & S_IFMT);
        }
        ShutProgram();
        w = nullptr;
        std::string records;
        for (const std::string& name : Files("logs")) records += Read("logs/" + name);
        EXPECT_NE(std::string::npos, records.find(told)) << records;
        EXPECT_NE(std::string::npos, records.find(c.replaced ? "update note saved 1030 123456: done\n"
                                                             : "update note saved 1030 123456: failed\n"))
            << records;
        std::ifstream kept(elsewhere);
        EXPECT_EQ(note, std::string(std::istreambuf_iterator<char>(kept), {})) << "what a link leads to is untouched";
    }
    std::filesystem::remove(elsewhere);
}

}  // namespace
