// The interfaces that the driver publishes now in the six classes: the
// cameras connected, one interface path each.
#pragma once

#include <string>
#include <vector>

// Every listed interface path, in the order the search goes through them.
std::vector<std::string> ConnectedInterfaces();
bool InterfaceListed(const std::string& path);
