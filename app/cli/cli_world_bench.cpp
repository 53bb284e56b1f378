// On the bench: what camsim and other programs change comes in through the
// bench's change notification, as device messages to registered windows.
#include "app/cli/cli_wizard.h"
#include "platform/sim/bench/bench_changes.h"

void TakeWorldChanges()
{
    sim::TakeBenchChanges();
}

int WorldChangeDescriptor()
{
    return sim::BenchChangeDescriptor();
}

bool DeviceMessagesReachWindow()
{
    return true;
}
