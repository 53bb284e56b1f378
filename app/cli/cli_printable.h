// Bytes for a terminal: what a camera holds (its type, say) may hold
// escape sequences and line ends, which a terminal would obey.
#pragma once

#include <string>

// Each byte below 0x20, 0x7F and each above it as \xHH (upper-case hex
// digits); the others as they are. One line stays one line.
std::string Printable(const std::string& bytes);
