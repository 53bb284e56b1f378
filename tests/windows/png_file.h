// Writes 32-bit pixels as a PNG file (deflate without compression, which
// every reader takes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// pixels: rows top to bottom, each pixel B, G, R, X as GDI gives them.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels);
