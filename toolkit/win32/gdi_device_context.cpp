#include "toolkit/win32/gdi_device_context.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "toolkit/text.h"

namespace win32_backend {

HFONT FontHandle(TFont font)
{
    static std::map<TFont, HFONT> fonts;
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto it = fonts.find(font);
    if (it != fonts.end()) return it->second;
    HFONT handle = CreateFontA(-font->height, 0, 0, 0, font->bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, font->face);
    fonts[font] = handle;
    return handle;
}

GdiDeviceContext::GdiDeviceContext(HDC context, TFont startFont) : dc(context), selected(startFont)
{
    originalPen = GetCurrentObject(dc, OBJ_PEN);
    originalFont = SelectObject(dc, FontHandle(startFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
}

GdiDeviceContext::~GdiDeviceContext()
{
    SelectObject(dc, originalPen);
    SelectObject(dc, originalFont);
    if (pen) DeleteObject(pen);
}

void GdiDeviceContext::FillRect(int32_t x, int32_t y, int32_t width, int32_t height)
{
    RECT area = {x, y, x + width, y + height};
    ::FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
}

void GdiDeviceContext::SetLineColor(TColor color)
{
    HPEN next = CreatePen(PS_SOLID, 1, color);
    SelectObject(dc, next);
    if (pen) DeleteObject(pen);
    pen = next;
}

void GdiDeviceContext::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    // LineTo stops short of its end point; the line includes it.
    LineTo(dc, x2 + (x2 >= x1 ? 1 : -1), y2);
}

void GdiDeviceContext::DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text)
{
    TextOutA(dc, x, y, text, static_cast<int>(maxLength ? LengthA(maxLength, text) : 0));
}

void GdiDeviceContext::SelectFont(TFont font)
{
    selected = font;
    SelectObject(dc, FontHandle(font));
}

void TextCollector::DrawText(int32_t x, int32_t y, uint32_t maxLength, const char* text)
{
    std::string piece(text, maxLength ? LengthA(maxLength, text) : 0);
    if (!piece.empty()) pieces.push_back(Piece{y, x, piece});
}

std::string TextCollector::Text() const
{
    std::vector<Piece> sorted = pieces;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Piece& a, const Piece& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    std::string text;
    int32_t lastY = -1;
    for (const Piece& piece : sorted) {
        if (!text.empty()) text += piece.y == lastY ? " " : "\r\n";
        text += piece.text;
        lastY = piece.y;
    }
    return text;
}

}  // namespace win32_backend
