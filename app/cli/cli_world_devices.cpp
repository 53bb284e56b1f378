// With real cameras the system's device list is the world: it is read at
// every turn.
#include "app/cli/cli_wizard.h"

void TakeWorldChanges() {}

int WorldChangeDescriptor()
{
    return -1;
}

bool DeviceMessagesReachWindow()
{
    return false;
}
