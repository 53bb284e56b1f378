// Numbers on camsim's command line: decimal or 0x hex, the whole text,
// within a range.
#pragma once

#include <cstdint>
#include <string>

bool ParseNumber(const std::string& text, uint64_t low, uint64_t high, uint64_t* value);
