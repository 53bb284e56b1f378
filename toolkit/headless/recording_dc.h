// A device context that records what is drawn on it, call by call.
#pragma once

#include <string>
#include <vector>

#include "toolkit/device_context.h"

namespace headless {

struct DrawCall {
    enum Kind { fillRect, setLineColor, drawLine, drawText, selectFont } kind = fillRect;
    int32_t a = 0, b = 0, c = 0, d = 0;  // fill: x y w h; line: x1 y1 x2 y2; text: x y
    TColor color = 0;
    std::string text;       // the characters drawn: the text as shown
    TFont font = nullptr;   // the font selected, or the one a text is drawn in
};

class RecordingDC : public CDeviceContext {
public:
    explicit RecordingDC(TFont startFont) : selected(startFont) {}

    void FillRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void SetLineColor(TColor color) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text) override;
    void SelectFont(TFont font) override;
    TFont SelectedFont() const override { return selected; }

    std::vector<DrawCall> calls;

private:
    TFont selected;
};

}  // namespace headless
