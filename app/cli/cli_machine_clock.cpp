// With real cameras the simulated machine lends the headless toolkit its
// clock and its window-message sink only: this one machine, with no bench,
// cameras or registry behind it, so none of their code is in the program.
#include "platform/sim/sim_machine.h"

namespace sim {

SimMachine& Machine()
{
    static SimMachine machine;
    return machine;
}

}  // namespace sim
