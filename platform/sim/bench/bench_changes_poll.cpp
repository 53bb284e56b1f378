#include "platform/sim/bench/bench_changes.h"

#include "platform/sim/sim_machine.h"

namespace sim {

int BenchChangeDescriptor()
{
    return -1;
}

void TakeBenchChanges()
{
    Machine().PollBench();
}

}  // namespace sim
