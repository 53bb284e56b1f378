// How a program that waits on its own learns that the bench changed: the
// terminal program sleeps on its input and on this descriptor together.
#pragma once

namespace sim {

// A descriptor that becomes readable when something on the bench may have
// changed; -1 when there is none, and then the caller looks again after a
// short wait.
int BenchChangeDescriptor();

// Takes in what changed on the bench: new cameras, plugs and unplugs (their
// device messages reach the registered windows), edited EEPROM files.
// Never blocks.
void TakeBenchChanges();

}  // namespace sim
