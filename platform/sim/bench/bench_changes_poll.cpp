#include "platform/sim/bench/bench_changes.h"

#include "platform/sim/sim_machine.h"

namespace sim {

int BenchChangeDescriptor()
{
    return -1;
}

int BenchLookInterval()
{
    return 1000;
}

void TakeBenchChanges()
{
    Machine().PollBench();
}

void InjectWatchFailure(const std::string&) {}

}  // namespace sim
