// The cameras connected now: the interface paths that the driver publishes
// in the six classes, in the order the wizard's search goes through them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> ConnectedInterfaces();
bool InterfaceListed(const std::string& path);
