#include "toolkit/win32/gdi_device_context.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "i18n/translate.h"
#include "toolkit/win32/dpi_scaling.h"
#include "toolkit/win32/shown_text.h"

namespace win32_backend {

HFONT FontHandle(TFont font, UINT dpi)
{
    static std::map<std::pair<TFont, UINT>, HFONT> fonts;
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto it = fonts.find(std::make_pair(font, dpi));
    if (it != fonts.end()) return it->second;
    // The face of the chosen language, at the toolkit font's height.
    const ShownFace shown = FaceFor(font->face);
    HFONT handle = CreateFontW(-ScaleFontHeight(font->height, dpi), 0, 0, 0, font->bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                               FALSE, shown.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, Wide(shown.face).c_str());
    fonts[std::make_pair(font, dpi)] = handle;
    return handle;
}

GdiDeviceContext::GdiDeviceContext(HDC context, TFont startFont, UINT contextDpi)
    : dc(context), selected(startFont), dpi(contextDpi)
{
    originalPen = GetCurrentObject(dc, OBJ_PEN);
    originalFont = SelectObject(dc, FontHandle(startFont, dpi));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
}

GdiDeviceContext::~GdiDeviceContext()
{
    SelectObject(dc, originalPen);
    SelectObject(dc, originalFont);
    if (pen) DeleteObject(pen);
}

int GdiDeviceContext::Scaled(int32_t value) const
{
    return Scale(value, dpi);
}

void GdiDeviceContext::FillRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    RECT area = ScaleRect(CRect(x, y, width, height), dpi);
    ::FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

void GdiDeviceContext::SetLineColor(TColor color)
{
    lineColor = color;
    HPEN next = CreatePen(PS_SOLID, Scaled(1), color);
    SelectObject(dc, next);
    if (pen) DeleteObject(pen);
    pen = next;
}

void GdiDeviceContext::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x1 == x2 || y1 == y2) {
        // One layout unit thick, end points included: the cells it covers,
        // filled, so that it stays one solid line at any scale.
        const int32_t left = std::min(x1, x2), top = std::min(y1, y2);
        RECT area = ScaleRect(CRect(left, top, std::max(x1, x2) - left + 1, std::max(y1, y2) - top + 1), dpi);
        HBRUSH brush = CreateSolidBrush(lineColor);
        ::FillRect(dc, &area, brush);
        DeleteObject(brush);
        return;
    }
    MoveToEx(dc, Scaled(x1), Scaled(y1), nullptr);
    // LineTo stops short of its end point; the line includes it.
    LineTo(dc, Scaled(x2) + (x2 >= x1 ? 1 : -1), Scaled(y2));
}

void GdiDeviceContext::DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text)
{
    if (!maxLength) return;
    const std::wstring shown = ShownWide(maxLength, text);
    TextOutW(dc, Scaled(x), Scaled(y), shown.c_str(), static_cast<int>(shown.size()));
}

void GdiDeviceContext::SelectFont(TFont font)
{
    selected = font;
    SelectObject(dc, FontHandle(font, dpi));
}

void TextCollector::DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text)
{
    // What the window shows: the text in the chosen language.
    std::string piece = maxLength ? TrCut(maxLength, text) : std::string();
    if (!piece.empty()) pieces.push_back(DrawnText{x, y, piece});
}

std::string TextCollector::Text() const
{
    std::vector<DrawnText> sorted = pieces;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const DrawnText& a, const DrawnText& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    std::string text;
    int32_t lastY = -1;
    for (const DrawnText& piece : sorted) {
        if (!text.empty()) text += piece.y == lastY ? " " : "\r\n";
        text += piece.text;
        lastY = piece.y;
    }
    return text;
}

}  // namespace win32_backend
