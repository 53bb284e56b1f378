// Interfaces the search passes over, as it passes over one held by another
// program: the console program names the cameras that are not the one it
// works on, so the wizard's search opens that one only. Empty in the window.
#pragma once

#include <string>
#include <vector>

void PassOverInterfaces(const std::vector<std::string>& paths);
bool InterfacePassedOver(const char* path);
