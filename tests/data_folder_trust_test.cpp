// The data folder belongs to the program: what someone else planted in it
// is neither believed, nor followed, nor written through. The rules are
// driven through the simulated facts (another owner, a reparse point, a
// foreign writer) and through real files on the bench (links, hard links,
// impossible backups, oversized and odd journals, live runs, time zones).
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <sstream>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <thread>

#include "machine_data/camera_backup.h"
#include "machine_data/grant_journal.h"
#include "machine_data/leftovers.h"
#include "machine_data/run_record.h"
#include "overscan/driver_permission.h"
#include "platform/data_files.h"
#include "platform/one_copy.h"
#include "tests/bench_wizard.h"

namespace {

namespace fs = std::filesystem;
using datafiles::Standing;

const char* const brennF = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\brennccdF\\Parameters";
const char* const orvelI = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\orvelccdI\\Parameters";

std::string Hex(const uint8_t* bytes, size_t count)
{
    std::string text;
    char digits[3];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        text += digits;
    }
    return text;
}

// The test camera: sensor row 4 (total 3448 x 2574), class row 4, product
// id 1030, camera ID 123456.
Bytes CameraEeprom()
{
    CameraImage image;
    image.classRow = 4;
    image.productId = 1030;
    Bytes eeprom(256);
    BuildEeprom(image, eeprom.data());
    return eeprom;
}

// A backup of the test camera with other numbers: the visible size at
// EEPROM 18..21, the totals at 71..74, the offsets and the width after the
// offset at 75..78, each as 4 bytes of hex.
std::string BackupText(const char* visible, const char* totals, const char* offsets)
{
    const Bytes eeprom = CameraEeprom();
    std::string descriptor = Hex(eeprom.data() + 10, 61), geometry = Hex(eeprom.data() + 71, 12);
    descriptor.replace(16, 8, visible);
    geometry.replace(0, 8, totals);
    geometry.replace(8, 8, offsets);
    return "class = 4\nheader = " + Hex(eeprom.data(), 10) + "\ndescriptor = " + descriptor + "\ngeometry = " +
           geometry + "\n";
}

// The simulated facts for the tests below, by path in the data folder.
std::string simulatedPath;
Standing simulatedFacts;
void SimulatedFacts(const std::string& path, Standing* standing)
{
    if (path == simulatedPath) *standing = simulatedFacts;
}

class DataFolderTrustTest : public BenchWizardTest {
protected:
    void TearDown() override
    {
        datafiles::SimulateStanding(nullptr);
        BenchWizardTest::TearDown();
    }
    static void Simulate(const std::string& path, const Standing& facts)
    {
        datafiles::CloseFolders();
        simulatedPath = path;
        simulatedFacts = facts;
        datafiles::SimulateStanding(SimulatedFacts);
    }
    sim::SimCamera& TestCamera() { return AddCamera("cam", CameraEeprom()); }
    static bool Present(const char* key)
    {
        sim::Machine().RefreshFromBench();
        return sim::Machine().registry.GetValue(key, "AllowEEPROMWrite") != nullptr;
    }
    static void Grant(const char* key)
    {
        sim::Machine().registry.CreatePath(key);
        sim::Machine().registry.SetDword(key, "AllowEEPROMWrite", 1);
        sim::Machine().SaveRegistryToBench();
    }
    std::string Records() const
    {
        std::string all;
        for (const std::string& name : Files("logs")) all += Read("logs/" + name);
        return all;
    }
};

Standing Facts(bool folder, bool redirect, uint32_t links, bool owner, bool othersWrite, bool canTakeOver = true)
{
    Standing standing;
    standing.folder = folder;
    standing.regular = !folder;
    standing.redirect = redirect;
    standing.links = links;
    standing.programsOwner = owner;
    standing.othersMayWrite = othersWrite;
    standing.canTakeOver = canTakeOver;
    return standing;
}

TEST(DataStandingRules, FilesAndFoldersAreJudgedByOwnerWritersKindAndLinks)
{
    using datafiles::FolderUse;
    struct Case {
        Standing facts;
        bool planted;
        FolderUse folderUse;
        FolderUse namedUse;  // the same folder named by the user: never taken over
    } cases[] = {
        {Facts(false, false, 1, true, false), false, FolderUse::refuse, FolderUse::refuse},
        {Facts(false, true, 1, true, false), true, FolderUse::refuse, FolderUse::refuse},
        {Facts(false, false, 2, true, false), true, FolderUse::refuse, FolderUse::refuse},
        {Facts(false, false, 1, false, false), true, FolderUse::refuse, FolderUse::refuse},
        {Facts(false, false, 1, true, true), true, FolderUse::refuse, FolderUse::refuse},
        {Facts(true, false, 1, true, false), true, FolderUse::use, FolderUse::use},
        {Facts(true, true, 1, true, false), true, FolderUse::refuse, FolderUse::refuse},
        {Facts(true, false, 1, false, false), true, FolderUse::takeOver, FolderUse::use},
        {Facts(true, false, 1, true, true), true, FolderUse::takeOver, FolderUse::refuse},
        {Facts(true, false, 1, false, true, false), true, FolderUse::refuse, FolderUse::refuse},
        {Facts(true, false, 1, false, false, false), true, FolderUse::refuse, FolderUse::refuse},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.planted, datafiles::Planted(c.facts));
        EXPECT_EQ(c.folderUse, datafiles::JudgeFolder(c.facts));
        EXPECT_EQ(c.namedUse, datafiles::JudgeNamedFolder(c.facts));
    }
}

// A folder that is a reparse point is never used: no backup, so no write;
// one that cannot be taken over leaves no journal, so no grant.
TEST_F(DataFolderTrustTest, AFolderThatCannotBeTheProgramsIsNeverUsed)
{
    sim::SimCamera& camera = TestCamera();
    Simulate("backups", Facts(true, true, 1, true, false));
    ToStepFour(camera);
    Choose(2);
    ASSERT_TRUE(headless::Click(w->actionButton));
    ASSERT_FALSE(headless::Boxes().empty());
    EXPECT_EQ("Cannot save camera backup", headless::Boxes().back().lines[0]);
    EXPECT_EQ(0u, WriteRequests(camera)) << "no backup, no write";
    ShutProgram();
    w = nullptr;

    headless::Reset();
    Simulate("", Facts(true, false, 1, false, true, false));
    EXPECT_FALSE(grantjournal::Add(brennF + 5));
    EXPECT_FALSE(fs::exists(Path("grants.txt")));
}

// A folder another account may write is made the program's own (here its
// mode), and a file in it of another owner is planted.
TEST_F(DataFolderTrustTest, AFolderOthersMayWriteIsTakenOverAndItsForeignFilesArePlanted)
{
    fs::create_directories(Path("logs"));
    chmod(Path("logs").c_str(), 0777);
    Simulate("logs", Facts(true, false, 1, false, true));
    datafiles::Folder* folder = nullptr;
    std::string problem;
    ASSERT_TRUE(datafiles::OpenFolder(datafiles::Place::logs, &folder, &problem)) << problem;
    struct stat info {};
    ASSERT_EQ(0, stat(Path("logs").c_str(), &info));
    EXPECT_EQ(0755u, info.st_mode & 0777);

    Write("grants.txt", std::string(brennF) + "\n");
    Simulate("grants.txt", Facts(false, false, 1, false, false));
    std::string text;
    ASSERT_TRUE(datafiles::OpenFolder(datafiles::Place::data, &folder, &problem)) << problem;
    EXPECT_EQ(datafiles::ReadResult::planted, datafiles::Read(folder, "grants.txt", 1024, &text));
}

// The bench is the user's folder: one that others came to write since it
// was attached is refused as the data folder, its mode left as it is,
// nothing made in it; the program's own logs/ is still taken over.
TEST_F(DataFolderTrustTest, TheBenchItselfIsNeverTakenOver)
{
    datafiles::CloseFolders();
    chmod(dir.c_str(), 01777);
    datafiles::Folder* folder = nullptr;
    std::string problem;
    EXPECT_FALSE(datafiles::OpenFolder(datafiles::Place::logs, &folder, &problem));
    EXPECT_EQ(dir.string() + ": others may write it; name a folder that only its owner may write", problem);
    std::string running;
    EXPECT_EQ(onecopy::Outcome::failed, onecopy::TakeGuard(&running));
    struct stat info {};
    ASSERT_EQ(0, stat(dir.c_str(), &info));
    EXPECT_EQ(01777u, info.st_mode & 07777);
    EXPECT_FALSE(fs::exists(Path("logs")));
    EXPECT_FALSE(fs::exists(Path("vellmark.lock")));
    chmod(dir.c_str(), 0755);
}

// Planted backups, one impossible for the sensor (visible 0 x 0, totals 0,
// offsets 200) and one of another account: neither is offered as
// "Original" nor touched; the camera's own is saved beside them.
TEST_F(DataFolderTrustTest, APlantedBackupIsPassedOverAndTheCamerasOwnSavedBeside)
{
    const std::string impossible = BackupText("00000000", "00000000", "c8c80000");
    const std::string foreign = BackupText("480df609", "780d0e0a", "140c640d");
    Write("backups/1030-123456.txt", impossible);
    Write("backups/1030-123456-2.txt", foreign);
    // Another user's file, for real where the test may give it away.
    if (geteuid() != 0 || chown(Path("backups/1030-123456-2.txt").c_str(), 12345, 12345) != 0)
        Simulate("backups/1030-123456-2.txt", Facts(false, false, 1, false, false));
    sim::SimCamera& camera = TestCamera();
    EXPECT_EQ((std::vector<std::string>{"Disabled", "Enabled"}), ToStepFour(camera));
    WriteAndFinish(2);
    EXPECT_EQ((std::vector<std::string>{"1030-123456-2.txt", "1030-123456-3.txt", "1030-123456.txt"}),
              Files("backups"));
    EXPECT_EQ(impossible, Read("backups/1030-123456.txt"));
    EXPECT_EQ(foreign, Read("backups/1030-123456-2.txt"));
    EXPECT_NE(std::string::npos, Read("backups/1030-123456-3.txt").find("\ngeometry = 780d0e0a1b1e5d0d"));
    const std::string records = Records();
    for (const char* line : {"backup passed over: 1030-123456.txt: its numbers are not possible for the camera's "
                             "sensor\n",
                             "backup passed over: 1030-123456-2.txt: not made by the program\n",
                             "backup saved as 1030-123456-3.txt\n"})
        EXPECT_NE(std::string::npos, records.find(line)) << line << records;
}

// A link, a FIFO, a socket, a folder or a backup others may write at the
// camera's backup name: passed over and left as it is, the camera's own
// backup saved under the next free name, the record naming what and why.
TEST_F(DataFolderTrustTest, WhateverStandsAtTheBackupNameIsPassedOverAndLeftAsItIs)
{
    const std::string believable = BackupText("480df609", "780d0e0a", "140c640d");
    const fs::path target = dir.string() + "-target.txt";
    struct Case {
        const char* why;
        std::function<void(const fs::path&)> plant;
        mode_t kind;
    } cases[] = {
        {"a link", [&](const fs::path& at) { fs::create_symlink(target, at); }, S_IFLNK},
        {"a FIFO", [](const fs::path& at) { mkfifo(at.c_str(), 0644); }, S_IFIFO},
        {"a socket", [](const fs::path& at) { mknod(at.c_str(), S_IFSOCK | 0644, 0); }, S_IFSOCK},
        {"a folder", [](const fs::path& at) { fs::create_directory(at); }, S_IFDIR},
        {"not made by the program",
         [&](const fs::path& at) {
             std::ofstream(at) << believable;
             chmod(at.c_str(), 0666);
         },
         S_IFREG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        TearDown();
        SetUp();
        std::ofstream(target) << believable;
        fs::create_directories(Path("backups"));
        c.plant(Path("backups/1030-123456.txt"));
        struct stat before {}, after {};
        ASSERT_EQ(0, lstat(Path("backups/1030-123456.txt").c_str(), &before));
        ASSERT_EQ(c.kind, before.st_mode & S_IFMT);
        sim::SimCamera& camera = TestCamera();
        ToStepFour(camera);
        WriteAndFinish(2);
        EXPECT_EQ((std::vector<std::string>{"1030-123456-2.txt", "1030-123456.txt"}), Files("backups"));
        ASSERT_EQ(0, lstat(Path("backups/1030-123456.txt").c_str(), &after));
        EXPECT_EQ(before.st_ino, after.st_ino);
        EXPECT_EQ(before.st_mode, after.st_mode);
        EXPECT_EQ(before.st_size, after.st_size);
        std::ifstream linked(target);
        EXPECT_EQ(believable, std::string(std::istreambuf_iterator<char>(linked), {}));
        const std::string saved = Read("backups/1030-123456-2.txt");
        for (const char* line : {"\nclass = 4\n", "\nproduct id = 1030\n", "\ncamera id = 123456\n",
                                 "\ngeometry = 780d0e0a1b1e5d0d"})
            EXPECT_NE(std::string::npos, saved.find(line)) << line << saved;
        const std::string records = Records();
        EXPECT_NE(std::string::npos, records.find(std::string("backup passed over: 1030-123456.txt: ") + c.why + "\n"))
            << records;
        EXPECT_NE(std::string::npos, records.find("backup saved as 1030-123456-2.txt\n")) << records;
        EXPECT_GT(WriteRequests(camera), 0u);
    }
    fs::remove(target);
}

// logs/ and backups/ links to a folder outside: the start sweeps, prunes
// and writes nothing there, and neither folder is used.
TEST_F(DataFolderTrustTest, FoldersThatAreLinksAreNeverOpened)
{
    const fs::path outside = dir.string() + "-outside";
    fs::remove_all(outside);
    fs::create_directories(outside);
    for (int i = 0; i < 22; ++i) std::ofstream(outside / ("run-20200101-0000" + std::to_string(10 + i) + "-1.txt")) << i;
    pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    const std::string leftover = "grants.txt.new." + std::to_string(dead) + ".1";
    std::ofstream(outside / leftover) << "half\n";
    fs::create_directory_symlink(outside, Path("logs"));
    fs::create_directory_symlink(outside, Path("backups"));
    datafiles::CloseFolders();
    machinedata::SweepLeftovers();
    EXPECT_FALSE(runrecord::Open("# a run\n"));
    runrecord::Close("end");
    camerabackup::Blocks camera;
    std::string problem;
    ASSERT_TRUE(camerabackup::Parse(BackupText("480df609", "780d0e0a", "140c640d"), &camera, &problem));
    camerabackup::Search search;
    EXPECT_FALSE(camerabackup::KeepOnce(camera, {3448, 2574}, "1.1.0.0", &search));
    datafiles::Folder* folder = nullptr;
    EXPECT_FALSE(datafiles::OpenFolder(datafiles::Place::logs, &folder, &problem));
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(outside)) count += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(23u, count);
    EXPECT_TRUE(fs::exists(outside / leftover));
    fs::remove_all(outside);
}

// A grants.txt that is a link to a file listing nothing hides nothing: the
// link is not read, every driver key is revoked where present, and the
// file it leads to keeps its bytes.
TEST_F(DataFolderTrustTest, AJournalThatIsALinkIsNotReadAndRevokesEveryKey)
{
    const fs::path elsewhere = dir.string() + "-journal.txt";
    std::ofstream(elsewhere) << "# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n";
    fs::create_symlink(elsewhere, Path("grants.txt"));
    Grant(brennF);
    RevokeLeftoverGrants();
    EXPECT_FALSE(Present(brennF)) << "a permission hidden by the link would stay";
    EXPECT_FALSE(fs::is_symlink(Path("grants.txt")));
    std::ifstream in(elsewhere);
    EXPECT_EQ("# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n",
              std::string(std::istreambuf_iterator<char>(in), {}));
    fs::remove(elsewhere);
}

// The new files of dead runs are swept in the data folder and in each of
// its subfolders; a live run's stay.
TEST_F(DataFolderTrustTest, LeftoversOfDeadRunsAreSweptInEveryFolder)
{
    pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    for (const std::string folder : {"", "backups/", "logs/"}) {
        SCOPED_TRACE(folder);
        Write(folder + "x.txt.new." + std::to_string(dead) + ".3", "half\n");
        Write(folder + "x.txt.new." + std::to_string(getppid()) + ".3", "a live run's\n");
        datafiles::CloseFolders();
        machinedata::SweepLeftovers();
        EXPECT_FALSE(fs::exists(Path(folder + "x.txt.new." + std::to_string(dead) + ".3")));
        EXPECT_TRUE(fs::exists(Path(folder + "x.txt.new." + std::to_string(getppid()) + ".3")));
    }
}

TEST(BackupPlausibility, OnlyNumbersPossibleForTheSensorRow)
{
    const camerabackup::SensorTotals row4{3448, 2574};
    struct Case {
        const char *visible, *totals, *offsets;
        bool plausible;
    } cases[] = {
        {"480df609", "780d0e0a", "140c640d", true},   // 3400 x 2550 at 20, 12; 3428 after the offset
        {"000000f6", "780d0e0a", "140c640d", false},  // no visible width
        {"0000f609", "780d0e0a", "140c640d", false},  // no visible width, all else possible
        {"640df609", "780d0e0a", "140c640d", true},   // 3428 + 20 fills the 3448 exactly
        {"650df609", "780d0e0a", "140c640d", false},  // 3429 + 20 one beyond 3448
        {"480df609", "780d0f0a", "140c640d", false},  // a total height of another sensor
        {"670df609", "780d0e0a", "140c640d", false},  // 3431 + 20 beyond 3448
        {"480d030a", "780d0e0a", "140c640d", false},  // 2563 + 12 beyond 2574
        {"480df609", "780d0e0a", "140c650d", false},  // 3429 after an offset of 20
    };
    for (const Case& c : cases) {
        camerabackup::Blocks blocks;
        std::string problem;
        ASSERT_TRUE(camerabackup::Parse(BackupText(c.visible, c.totals, c.offsets), &blocks, &problem)) << problem;
        EXPECT_EQ(c.plausible, camerabackup::Plausible(blocks, row4)) << c.visible << c.totals << c.offsets;
    }
}

// logs/ and backups/ swapped for links to a folder outside the bench, over
// and over, while the program opens its folders, prunes and writes: the
// outside folder keeps its 40 files and gets none.
TEST_F(DataFolderTrustTest, FoldersSwappedForLinksLeadNowhereOutside)
{
    const fs::path outside = dir.string() + "-outside";
    fs::remove_all(outside);
    fs::create_directories(outside);
    for (int i = 0; i < 40; ++i) std::ofstream(outside / ("run-20200101-0000" + std::to_string(10 + i) + "-1.txt")) << i;
    fs::create_directories(Path("logs"));
    fs::create_directories(Path("backups"));
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        std::error_code ignored;
        while (!stop) {
            for (const char* name : {"logs", "backups"}) {
                const fs::path real = Path(std::string(name) + ".real");
                fs::rename(Path(name), real, ignored);
                fs::create_directory_symlink(outside, Path(name), ignored);
                std::this_thread::yield();
                fs::remove(Path(name), ignored);
                fs::rename(real, Path(name), ignored);
            }
        }
    });
    camerabackup::Blocks camera;
    std::string problem;
    ASSERT_TRUE(camerabackup::Parse(BackupText("480df609", "780d0e0a", "140c640d"), &camera, &problem));
    for (int i = 0; i < 200; ++i) {
        datafiles::CloseFolders();
        runrecord::Open("# a run\n");
        runrecord::Note("a line");
        runrecord::Close("end");
        camerabackup::Search search;
        camerabackup::KeepOnce(camera, {3448, 2574}, "1.1.0.0", &search);
    }
    stop = true;
    swapper.join();
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(outside)) count += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(40u, count);
    fs::remove_all(outside);
}

// A hard link planted as vellmark.lock is not truncated: the lock is made
// anew beside, and the linked file keeps its bytes.
TEST_F(DataFolderTrustTest, AHardLinkAsTheLockFileIsNotWrittenThrough)
{
    const fs::path outside = dir.string() + "-precious";
    std::ofstream(outside) << "precious bytes\n";
    ASSERT_EQ(0, link(outside.c_str(), Path("vellmark.lock").c_str()));
    pid_t child = fork();
    if (child == 0) {
        std::string running;
        _exit(onecopy::TakeGuard(&running) == onecopy::Outcome::first ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::ifstream in(outside);
    EXPECT_EQ("precious bytes", std::string(std::istreambuf_iterator<char>(in), {}).substr(0, 14));
    EXPECT_EQ(std::to_string(child) + "\n", Read("vellmark.lock"));
    fs::remove(outside);
}

// Keys in another letter case or with blanks at the ends are revoked; an
// oversized or binary journal revokes every driver key where present.
TEST_F(DataFolderTrustTest, TheStartRevokesWhateverTheJournalCouldMean)
{
    Grant(brennF);
    Write("grants.txt", "# a run\n  hklm\\system\\currentcontrolset\\services\\BRENNCCDF\\parameters \t\n");
    RevokeLeftoverGrants();
    EXPECT_FALSE(Present(brennF));
    EXPECT_FALSE(fs::exists(Path("grants.txt")));

    for (const std::string& journal : {std::string(5 * 1024 * 1024, '#'), std::string("HKLM\\\0\x01\x02", 8)}) {
        Grant(brennF);
        Grant(orvelI);
        Write("grants.txt", journal);
        RevokeLeftoverGrants();
        EXPECT_FALSE(Present(brennF));
        EXPECT_FALSE(Present(orvelI));
        EXPECT_FALSE(fs::exists(Path("grants.txt")));
    }
}

// A value that cannot be deleted at start stays on the journal, also
// through the refused grant that follows.
TEST_F(DataFolderTrustTest, AnUndeletableValueStaysJournalledThroughARefusedGrant)
{
    Grant(brennF);
    Write("grants.txt", std::string(brennF) + "\n");
    sim::SimCamera& camera = TestCamera();
    sim::Machine().registry.machineWritable = false;
    RevokeLeftoverGrants();
    w = StartMainWindow();
    ASSERT_TRUE(headless::Click(w->nextButton));
    sim::Machine().Unplug(camera);
    Pump();
    ShutProgram();
    w = nullptr;
    EXPECT_TRUE(Present(brennF));
    EXPECT_NE(std::string::npos, Read("grants.txt").find(std::string(brennF) + "  (run "));
    sim::Machine().registry.machineWritable = true;
    RevokeLeftoverGrants();
    EXPECT_FALSE(Present(brennF));
}

// The grant of a run that still lives stays, whatever became of its lock;
// that of an ended run goes.
TEST_F(DataFolderTrustTest, AStartLeavesTheGrantOfALiveRun)
{
    pid_t live = fork();
    if (live == 0) {
        pause();
        _exit(0);
    }
    pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    std::ifstream stat("/proc/" + std::to_string(live) + "/stat");
    std::string statLine((std::istreambuf_iterator<char>(stat)), {});
    std::string afterName = statLine.substr(statLine.rfind(')') + 2);
    std::istringstream fields(afterName);
    std::string field;
    for (int number = 3; number <= 22; ++number) fields >> field;  // the 22nd: its start time
    Grant(brennF);
    Grant(orvelI);
    Write("grants.txt", std::string(brennF) + "  (run " + std::to_string(live) + ", started " + field + ")\n" +
                            orvelI + "  (run " + std::to_string(ended) + ", started " + field + ")\n");
    RevokeLeftoverGrants();
    kill(live, SIGKILL);
    waitpid(live, nullptr, 0);
    EXPECT_TRUE(Present(brennF)) << "the live run's grant";
    EXPECT_FALSE(Present(orvelI));
    EXPECT_EQ(std::string("# Driver keys given AllowEEPROMWrite and not revoked yet; revoked at the next start.\n") +
                  brennF + "  (run " + std::to_string(live) + ", started " + field + ")\n",
              Read("grants.txt"));
}

// Named by the time in UTC whatever the zone: the 20 kept are the newest
// by it, and only the names the program makes are pruned. Leftover new
// files of dead runs are swept at start. The planted records are of a day
// long gone and the new one's name is held to the seconds around its
// making, so that no day or hour of the test's run changes the outcome.
TEST_F(DataFolderTrustTest, RecordsAreNamedAndPrunedByUtcAndLeftoversSwept)
{
    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    setenv("TZ", "XYZ-14", 1);
    tzset();
    for (int i = 0; i < 22; ++i) Write("logs/run-20000101-0000" + std::to_string(10 + i) + "-1.txt", "old\n");
    Write("logs/run-notes.txt", "mine\n");
    Write("logs/run-19990101-000000-1.txt.bak", "mine\n");
    pid_t dead = fork();
    if (dead == 0) _exit(0);
    waitpid(dead, nullptr, 0);
    Write("grants.txt.new." + std::to_string(dead) + ".1", "half\n");
    Write("logs/grants.txt.new." + std::to_string(getppid()) + ".1", "a live run's\n");
    machinedata::SweepLeftovers();
    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(runrecord::Open("# a run\n"));
    runrecord::Close("end");
    const std::time_t after = std::time(nullptr);
    zone ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
    tzset();
    std::vector<std::string> names = Files("logs");
    ASSERT_EQ(23u, names.size());
    EXPECT_EQ("grants.txt.new." + std::to_string(getppid()) + ".1", names[0]);
    EXPECT_EQ("run-19990101-000000-1.txt.bak", names[1]);
    EXPECT_EQ("run-20000101-000013-1.txt", names[2]) << "the three oldest went";
    EXPECT_EQ("run-notes.txt", names[22]);
    // In UTC the name lies between the stamps of the seconds before and
    // after; in the zone's local time it would be 14 hours later.
    auto stamp = [](std::time_t when) {
        char text[32];
        std::tm utc{};
        gmtime_r(&when, &utc);
        std::strftime(text, sizeof text, "run-%Y%m%d-%H%M%S", &utc);
        return std::string(text);
    };
    const std::string named = names[21].substr(0, 19);
    EXPECT_LE(stamp(before), named);
    EXPECT_GE(stamp(after), named);
    EXPECT_NE(std::string::npos, Read("logs/" + names[21]).find(" UTC (every time in this record is UTC)\n"));
    EXPECT_FALSE(fs::exists(Path("grants.txt.new." + std::to_string(dead) + ".1")));
}

}  // namespace
