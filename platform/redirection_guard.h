// The process refuses to follow links that ordinary users made (Windows'
// RedirectionGuard, where the system has it): the program runs as an
// administrator, and its data folder is within reach of others.
#pragma once

namespace programsecurity {

void GuardAgainstRedirection();

}  // namespace programsecurity
