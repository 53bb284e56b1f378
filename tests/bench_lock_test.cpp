// The bench's lock against what may happen while it is held: its files
// deleted or replaced, a stop asked for by job control. Another process
// (a child) tries for the lock meanwhile; the alarm ends a test that hangs.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>

#include "tests/bench_fixture.h"

namespace {

namespace fs = std::filesystem;

class BenchLockTest : public BenchFixture {
protected:
    void SetUp() override
    {
        // The alarm must be able to end the test, whatever mask or action
        // the process was started with.
        std::signal(SIGALRM, SIG_DFL);
        sigset_t alarmOnly;
        sigemptyset(&alarmOnly);
        sigaddset(&alarmOnly, SIGALRM);
        sigprocmask(SIG_UNBLOCK, &alarmOnly, nullptr);
        alarm(20);
        BenchFixture::SetUp();
    }
    void TearDown() override
    {
        BenchFixture::TearDown();
        alarm(0);
    }
    // Another program that takes the exclusive lock, then ends: camsim
    // beside the tests, listing the cameras.
    pid_t Contender() const
    {
        const std::string camsim = fs::read_symlink("/proc/self/exe").parent_path() / "camsim";
        pid_t child = fork();
        if (child == 0) {
            int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDOUT_FILENO);
            execl(camsim.c_str(), "camsim", "--bench", dir.c_str(), "list", static_cast<char*>(nullptr));
            _exit(127);
        }
        return child;
    }
    // Whether the child has ended within the time, and how.
    static bool EndedWithin(pid_t child, int ms, int* status)
    {
        for (int waited = 0; waited <= ms; waited += 10) {
            if (waitpid(child, status, WNOHANG) == child) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

struct TakenAway {
    const char* what;
    std::function<void(const fs::path& dir)> act;
};

TEST_F(BenchLockTest, AHeldLockHoldsWhateverBecomesOfTheFilesInTheBench)
{
    const TakenAway cases[] = {
        {"the lock file deleted", [](const fs::path& d) { fs::remove(d / "bench.lock"); }},
        {"the lock file replaced", [](const fs::path& d) { std::ofstream(d / "bench.lock") << "x"; }},
        {"the cameras folder removed", [](const fs::path& d) { fs::remove_all(d / "cameras"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int status = 0;
        pid_t child = 0;
        {
            sim::bench::BenchLock held(dir.string(), true);
            ASSERT_TRUE(held.Held()) << held.Error();
            c.act(dir);
            child = Contender();
            EXPECT_FALSE(EndedWithin(child, 300, &status)) << "a second change ran while the first held the lock";
        }
        ASSERT_TRUE(EndedWithin(child, 5000, &status)) << "the lock was never free again";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

TEST_F(BenchLockTest, AStopAskedForWhileTheLockIsHeldComesWhenItIsDropped)
{
    int ready[2], release[2];
    ASSERT_EQ(0, pipe(ready));
    ASSERT_EQ(0, pipe(release));
    pid_t holder = fork();
    if (holder == 0) {
        // A group of its own, with its parent outside it in the same
        // session: never orphaned, so the system does not drop its stop
        // (a test runner may start the tests in a session of their own).
        setpgid(0, 0);
        char byte = 0;
        {
            sim::bench::BenchLock lock(dir.string(), true);
            if (write(ready[1], "r", 1) != 1 || read(release[0], &byte, 1) != 1) _exit(4);
        }
        for (;;) pause();
    }
    char byte = 0;
    ASSERT_EQ(1, read(ready[0], &byte, 1));
    kill(holder, SIGTSTP);
    int status = 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(0, waitpid(holder, &status, WUNTRACED | WNOHANG)) << "stopped while holding the lock";
    ASSERT_EQ(1, write(release[1], "g", 1));
    pid_t waited = 0;
    for (int tries = 0; tries < 100 && waited == 0; ++tries) {
        waited = waitpid(holder, &status, WUNTRACED | WNOHANG);
        if (waited == 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(holder, waited) << "no stop within 5 s of the lock dropped";
    EXPECT_TRUE(waited == holder && WIFSTOPPED(status)) << "the stop came once the lock was dropped";
    sim::bench::BenchLock mine(dir.string(), true);
    EXPECT_TRUE(mine.Held()) << "a stopped program holds no lock";
    kill(holder, SIGKILL);
    kill(holder, SIGCONT);
    waitpid(holder, &status, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

}  // namespace
