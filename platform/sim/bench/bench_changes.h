// How a program that waits on its own learns that the bench changed: the
// terminal program sleeps on its input and on this descriptor together.
#pragma once

#include <string>

namespace sim {

// A descriptor that becomes readable when something on the bench may have
// changed; -1 when there is none.
int BenchChangeDescriptor();

// How often, in milliseconds, the bench must be looked at besides: -1 when
// the descriptor sees every change; once a second while a folder of the
// bench cannot be watched (the system's limit of watches reached, the
// bench removed) or there is no descriptor at all.
int BenchLookInterval();

// Takes in what changed on the bench: new cameras, plugs and unplugs (their
// device messages reach the registered windows), edited EEPROM files; and
// watches the folders again that could not be watched. Never blocks.
void TakeBenchChanges();

// For tests: the watch of every folder whose path holds the text cannot be
// added, as when the system's limit of watches is reached (none: "").
void InjectWatchFailure(const std::string& pathPart);

}  // namespace sim
