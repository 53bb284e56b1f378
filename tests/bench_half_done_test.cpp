// Changes of a camera are all or nothing: several files of one change go
// into place through the intent record, a change whose process died
// between its renames is finished, one that died before is as if never
// begun, and a new camera appears only complete. What dead processes left
// is swept, what live ones are writing is not.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "tests/bench_fixture.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<uint8_t>;

class BenchHalfDoneTest : public BenchFixture {
protected:
    // The number of a process that has ended.
    static unsigned long GoneProcess()
    {
        pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        return static_cast<unsigned long>(child);
    }
    // The write of two bytes at 200 and its reply, through the pipes.
    static Bytes WriteTwoBytes(const sim::SimCamera& camera)
    {
        HANDLE command = win::CreateFileA((camera.interfacePath + "\\0").c_str(), GENERIC_READ | GENERIC_WRITE, 3,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        HANDLE data = win::CreateFileA((camera.interfacePath + "\\1").c_str(), GENERIC_READ | GENERIC_WRITE, 3,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
        const uint8_t request[] = {0x13, 200, 2, 0xAB, 0xCD};
        DWORD moved = 0;
        Bytes reply(8);
        if (!win::WriteFile(command, request, 5, &moved, nullptr) ||
            !win::ReadFile(data, reply.data(), 8, &moved, nullptr))
            moved = 0;
        reply.resize(moved);
        win::CloseHandle(command);
        win::CloseHandle(data);
        return reply;
    }
    sim::SimCamera& PluggedWithPermission()
    {
        Write("registry/HKLM/SYSTEM/CurrentControlSet/Services/brennccdF/Parameters/values.reg",
              "\"AllowEEPROMWrite\"=dword:00000001\n");
        sim::SimCamera& camera = Create(sim::Machine(), "cam");
        EXPECT_TRUE(sim::Machine().Plug(camera));
        return camera;
    }
    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            if (entry.path().filename().string().find(".new.") != std::string::npos)
                found.push_back(fs::relative(entry.path(), dir).string());
        std::sort(found.begin(), found.end());
        return found;
    }
};

TEST_F(BenchHalfDoneTest, AChangeWhoseRenameFailsIsMadeAndFinishedByTheNext)
{
    sim::SimCamera& camera = PluggedWithPermission();
    std::string eeprom = Read("cameras/cam/eeprom.bin");
    sim::bench::InjectRenameFailure("eeprom.bin", EACCES);
    EXPECT_EQ((Bytes{0x80}), WriteTwoBytes(camera)) << "the change is made once its record is there";
    EXPECT_EQ(eeprom, Read("cameras/cam/eeprom.bin")) << "not yet in place";
    EXPECT_EQ("1\n", Read("cameras/cam/transfers.txt"));
    std::string record = Read("cameras/cam/intent.txt");
    EXPECT_EQ(0u, record.find("transfers.txt transfers.txt.new.")) << record;
    EXPECT_NE(std::string::npos, record.find("\neeprom.bin eeprom.bin.new.")) << record;

    auto other = Other();
    sim::SimCamera& theirs = *other->FindCamera("cam");
    EXPECT_EQ("", theirs.damage);
    EXPECT_EQ(0xAB, theirs.eeprom[200]) << "a reader takes the EEPROM from its new file";
    EXPECT_EQ(1u, theirs.transfers);

    sim::bench::InjectRenameFailure("", 0);
    ASSERT_TRUE(sim::Machine().Unplug(camera));
    EXPECT_EQ("\xAB\xCD", Read("cameras/cam/eeprom.bin").substr(200, 2)) << "the next change finished the renames";
    EXPECT_FALSE(fs::exists(Path("cameras/cam/intent.txt")));
    EXPECT_EQ(std::vector<std::string>{}, Leftovers());
}

struct DeadChange {
    const char* what;
    bool record;            // the intent record was in place
    bool countRenamed;      // transfers.txt was renamed already
    const char* eepromAt200;
    const char* transfers;
};

TEST_F(BenchHalfDoneTest, AChangeOfADeadProcessIsFinishedWhenItsRecordIsThereElseForgotten)
{
    const DeadChange cases[] = {
        {"died between the renames", true, true, "\x11\x22", "7\n"},
        {"died before the renames", true, false, "\x11\x22", "7\n"},
        {"died before the record", false, false, "\x68\x69", "0\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        Create(sim::Machine(), "cam");
        const std::string process = std::to_string(GoneProcess());
        std::string eeprom = Read("cameras/cam/eeprom.bin");
        eeprom.replace(200, 2, "\x11\x22");
        const std::string newEeprom = "eeprom.bin.new." + process + ".2", newCount = "transfers.txt.new." + process + ".1";
        Write("cameras/cam/" + newEeprom, eeprom);
        Write(c.countRenamed ? "cameras/cam/transfers.txt" : "cameras/cam/" + newCount, "7\n");
        if (c.record)
            Write("cameras/cam/intent.txt", "transfers.txt " + newCount + "\neeprom.bin " + newEeprom + "\n");

        auto other = Other();
        EXPECT_EQ("", other->FindCamera("cam")->damage);
        EXPECT_EQ(c.eepromAt200, Read("cameras/cam/eeprom.bin").substr(200, 2));
        EXPECT_EQ(c.transfers, Read("cameras/cam/transfers.txt"));
        EXPECT_FALSE(fs::exists(Path("cameras/cam/intent.txt")));
        EXPECT_EQ(std::vector<std::string>{}, Leftovers()) << "swept when the next process started";
    }
}

TEST_F(BenchHalfDoneTest, ACameraAppearsOnlyComplete)
{
    sim::bench::InjectWriteFailure("state.txt", ENOSPC);
    EXPECT_FALSE(sim::Machine().SaveNewCamera(sim::Machine().AddCamera("cam", 4)));
    EXPECT_EQ(0u, sim::bench::CameraNames(dir.string()).size());
    EXPECT_TRUE(fs::is_empty(Path("cameras"))) << "nothing of the failed camera is left";
    sim::bench::InjectWriteFailure("", 0);
    Create(sim::Machine(), "cam");
    EXPECT_EQ(std::vector<std::string>{"cam"}, sim::bench::CameraNames(dir.string()));
    EXPECT_EQ("", Other()->FindCamera("cam")->damage);
}

TEST_F(BenchHalfDoneTest, OnlyWhatDeadProcessesLeftIsSwept)
{
    Create(sim::Machine(), "cam");
    const std::string dead = std::to_string(GoneProcess()), live = std::to_string(getpid());
    const std::vector<std::string> deadOnes = {
        "cameras/.cam2.new." + dead + ".1/eeprom.bin",
        "cameras/cam/state.txt.new." + dead + ".3",
        "registry/HKLM/SOFTWARE/values.reg.new." + dead + ".1",
    };
    const std::vector<std::string> kept = {
        "cameras/cam/state.txt.new." + live + ".9",
        "journal.new." + dead + ".1",
        "backups/cam.new." + dead + ".1",
    };
    for (const auto& file : deadOnes) Write(file, "x");
    for (const auto& file : kept) Write(file, "x");
    auto other = Other();
    for (const auto& file : deadOnes) EXPECT_FALSE(fs::exists(Path(file))) << file;
    EXPECT_FALSE(fs::exists(Path("cameras/.cam2.new." + dead + ".1")));
    for (const auto& file : kept) EXPECT_TRUE(fs::exists(Path(file))) << file;
    EXPECT_EQ(nullptr, other->FindCamera(".cam2.new." + dead + ".1"));
}

TEST_F(BenchHalfDoneTest, ASaveProblemIsKeptUntilASaveWorksAgain)
{
    sim::SimCamera& camera = Create(sim::Machine(), "cam");
    sim::bench::InjectWriteFailure("state.txt", EROFS);
    EXPECT_FALSE(sim::Machine().Plug(camera));
    const std::string problem = "cannot save " + Path("cameras/cam/state.txt").string() + ": Read-only file system";
    EXPECT_EQ(problem, sim::Machine().BenchSaveProblem());
    EXPECT_FALSE(sim::Machine().Plug(camera));
    EXPECT_EQ(problem, sim::Machine().BenchSaveProblem());
    sim::bench::InjectWriteFailure("", 0);
    EXPECT_TRUE(sim::Machine().Plug(camera));
    EXPECT_EQ("", sim::Machine().BenchSaveProblem());
}

}  // namespace
