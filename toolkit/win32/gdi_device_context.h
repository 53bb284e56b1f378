// A device context over a Windows GDI one, and the fonts behind TFont. It
// takes layout units and draws in the pixels of its DPI.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/control_label.h"
#include "toolkit/device_context.h"

namespace win32_backend {

// The font at dpi: its height, in layout units, scaled down to pixels.
HFONT FontHandle(TFont font, UINT dpi);

class GdiDeviceContext : public CDeviceContext {
public:
    GdiDeviceContext(HDC dc, TFont startFont, UINT dpi);
    ~GdiDeviceContext() override;

    void FillRect(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void SetLineColor(TColor color) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text) override;
    void SelectFont(TFont font) override;
    TFont SelectedFont() const override { return selected; }

private:
    int Scaled(int32_t value) const;

    HDC dc;
    TFont selected;
    UINT dpi;
    TColor lineColor = 0;
    HPEN pen = nullptr;
    HGDIOBJ originalPen;
    HGDIOBJ originalFont;
};

// Collects the texts a view draws, in reading order, for the window text
// that assistive tools and test drivers read.
class TextCollector : public CDeviceContext {
public:
    void FillRect(int32_t, int32_t, int32_t, int32_t) override {}
    void SetLineColor(TColor) override {}
    void DrawLine(int32_t, int32_t, int32_t, int32_t) override {}
    void DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text) override;
    void SelectFont(TFont font) override { selected = font; }
    TFont SelectedFont() const override { return selected; }
    // Lines top to bottom, texts on one line left to right, joined by a blank.
    std::string Text() const;
    // Each text where it was drawn, in the view's layout units.
    const std::vector<DrawnText>& Texts() const { return pieces; }

private:
    std::vector<DrawnText> pieces;
    TFont selected = nullptr;
};

}  // namespace win32_backend
