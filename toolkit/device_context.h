// What a view draws with in PaintView. Every paint starts with the normal
// text font of graphics context 7 selected.
#pragma once

#include <cstdint>

#include "toolkit/graphics.h"

class CDeviceContext {
public:
    virtual ~CDeviceContext() = default;

    // Paints the area in the context's background fill.
    virtual void FillRect(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual void SetLineColor(TColor color) = 0;
    virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    // Draws at most maxLength characters, stopping at the terminator, with
    // the text's top left corner at (x, y).
    virtual void DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text) = 0;
    // The font of the following texts; it stays selected.
    virtual void SelectFont(TFont font) = 0;
    virtual TFont SelectedFont() const = 0;
};
