// A rectangle: left, top, width, height, in pixels.
#pragma once

#include <cstdint>

struct CRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    CRect() = default;
    CRect(int32_t left, int32_t top, int32_t w, int32_t h) : x(left), y(top), width(w), height(h) {}
};
