#include "tests/windows/text_fit.h"

namespace driver {

namespace {

// The fonts the program's toolkit draws with: Tahoma of 11 pixels at
// 96 DPI, the caption font bold.
HFONT MakeFont(bool caption, int height)
{
    return CreateFontA(-height, 0, 0, 0, caption ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
}

class PaneText {
public:
    PaneText(HWND pane, bool caption, int height) : pane(pane), dc(GetDC(pane)), font(MakeFont(caption, height))
    {
        if (dc) old = SelectObject(dc, font);
    }
    ~PaneText()
    {
        if (dc) {
            SelectObject(dc, old);
            ReleaseDC(pane, dc);
        }
        DeleteObject(font);
    }
    bool Ready() const { return dc != nullptr; }
    int Width(const char* text) const
    {
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        return size.cx;
    }
    std::string Face() const
    {
        char face[LF_FACESIZE] = "";
        GetTextFaceA(dc, sizeof face, face);
        return face;
    }

private:
    HWND pane;
    HDC dc;
    HFONT font;
    HGDIOBJ old = nullptr;
};

}  // namespace

std::string MeasuredFace(HWND pane, bool caption, int fontHeight)
{
    PaneText text(pane, caption, fontHeight);
    return text.Ready() ? text.Face() : "no device context";
}

RowWidth Widest(HWND pane, const TextRow& row, int fontHeight)
{
    PaneText text(pane, row.caption, fontHeight);
    if (!text.Ready()) return RowWidth{"", -1};
    RowWidth widest{"", 0};
    for (const char* piece : row.texts) {
        const int width = text.Width(piece);
        if (width > widest.width) widest = RowWidth{piece, width};
    }
    return widest;
}

}  // namespace driver
